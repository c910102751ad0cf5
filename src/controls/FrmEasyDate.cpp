#include "FrmEasyDate.h"

#include "DateField.h"
#include "FrmCalendar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

FrmEasyDate::FrmEasyDate(const QDate& today, QWidget* parent)
    : QDialog(parent), m_baseDate(new DateField(this)), m_reference(today)
{
    setObjectName(u"FrmEasyDate"_s);
    setWindowTitle(u"기간 선택"_s);

    m_baseDate->setObjectName(u"txtBaseDate"_s);
    m_baseDate->setDate(today);
    // Enter in the date moves to it; the button keeps no focus, so a click checks the date once.
    m_baseDate->setAutoTab(false);
    auto* move = new QPushButton(u"이동"_s, this);
    move->setObjectName(u"cmdMvDate"_s);
    move->setDefault(true);
    move->setFocusPolicy(Qt::NoFocus);
    QToolButton* calendar = FrmCalendar::openButton(this);
    connect(move, &QPushButton::clicked, this, &FrmEasyDate::moveToTypedDate);
    connect(calendar, &QToolButton::clicked, this, &FrmEasyDate::pickFromCalendar);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(u"기준일"_s, this));
    top->addWidget(m_baseDate, 1);
    top->addWidget(calendar);
    top->addWidget(move);

    // Rows of related periods: days, weeks, months, years, quarters, halves, recent spans.
    static constexpr int rowStarts[] = {0, 4, 8, 12, 16, 20, 22, QuickPeriod::kCount};
    auto* grid = new QGridLayout;
    for (int row = 0; row + 1 < static_cast<int>(std::size(rowStarts)); ++row) {
        for (int k = rowStarts[row]; k < rowStarts[row + 1]; ++k) {
            const auto kind = static_cast<QuickPeriod::Kind>(k);
            auto* button = new QPushButton(QuickPeriod::caption(kind), this);
            button->setObjectName(u"cmdEasy"_s + QString::number(k));
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, kind] { choose(kind); });
            grid->addWidget(button, row, k - rowStarts[row]);
        }
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
}

void FrmEasyDate::choose(QuickPeriod::Kind kind)
{
    m_period = QuickPeriod::range(kind, m_reference);
    accept();
}

void FrmEasyDate::moveToTypedDate()
{
    if (!m_baseDate->validate())
        return;
    m_reference = *m_baseDate->date();
}

void FrmEasyDate::pickFromCalendar()
{
    if (const auto picked = FrmCalendar::pick(m_baseDate, m_reference)) {
        m_reference = *picked;
        m_baseDate->setDate(*picked);
    }
}

} // namespace asv
