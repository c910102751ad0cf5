#include "FrmAS_SubDate.h"

#include "DateText.h"
#include "HistoryPeriods.h"
#include "WidgetHelpers.h"
#include "hcDate.h"
#include "modMsgBox.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace asv {

FrmAS_SubDate::FrmAS_SubDate(QWidget* parent) : QDialog(parent), m_grid(new QGridLayout)
{
    setObjectName(u"FrmAS_SubDate"_s);
    setWindowTitle(u"조회 기간 설정"_s);
    addRow(u"AS"_s, u"AS 내역"_s, HistoryPeriods::AS);
    addRow(u"Consult"_s, u"상담 내역"_s, HistoryPeriods::Consult);
    addRow(u"Sell"_s, u"구매 내역"_s, HistoryPeriods::Sell);

    auto* close = NamedButton(this, u"btnClose"_s, u"확인"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_grid);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void FrmAS_SubDate::addRow(const QString& name, const QString& caption, const HistoryPeriodSetting& period)
{
    const int row = static_cast<int>(m_rows.size());
    auto* from = new hcDate(this);
    from->setObjectName(u"dt"_s + name + u'1');
    from->SetText(period.from.text());
    auto* to = new QLabel(DateText::format(Clock::today()), this);
    to->setObjectName(u"lbl"_s + name + u'2');
    m_grid->addWidget(new QLabel(caption, this), row, 0);
    m_grid->addWidget(from, row, 1);
    m_grid->addWidget(new QLabel(u"~"_s, this), row, 2);
    m_grid->addWidget(to, row, 3);
    m_rows.append({&period, from});
}

void FrmAS_SubDate::done(int result)
{
    for (const Row& row : m_rows) {
        if (!row.from->date()) {
            MsgWarn(DateText::invalidMessage(), DateText::invalidTitle());
            row.from->setFocus();
            return;
        }
    }
    for (const Row& row : m_rows) {
        row.period->from.set(row.from->Text());
        row.period->endToday();
    }
    QDialog::done(result);
}

} // namespace asv
