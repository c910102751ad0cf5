#include "FrmTool_SMS.h"

#include "Grid.h"
#include "HCTerm.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "modSMSLink.h"
#include "RecordSet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kTicked = u"1"_s;

QPushButton* button(const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    return b;
}

} // namespace

FrmTool_SMS::FrmTool_SMS(QWidget* parent)
    : QWidget(parent), m_list(new Grid), m_chkAllSel(new QCheckBox(u"전체선택(&A)"_s)), m_htTerm(new HCTerm),
      m_htLastday(new QSpinBox), m_lblCount(new QLabel)
{
    setObjectName(u"FrmTool_SMS"_s);
    setWindowTitle(u"문자, 음성, 팩스 전송"_s);
    setAttribute(Qt::WA_DeleteOnClose);

    m_list->setObjectName(u"spList"_s);
    m_list->setColumns({{}, u"거래처명"_s, u"검색 전화번호"_s, u"핸드폰No"_s, u"비 고"_s});
    // The selection column shows a tick; a click on it or a double click on the row turns it.
    m_list->cells().setCheckColumn(ColSelect);
    m_list->installEventFilter(this);
    m_chkAllSel->setObjectName(u"chkAllSel"_s);
    m_htTerm->setObjectName(u"htTerm"_s);
    m_htLastday->setObjectName(u"htLastday"_s);
    m_htLastday->setRange(0, 99999);
    m_htLastday->setValue(30);
    m_lblCount->setObjectName(u"lblCount"_s);

    auto* kindsBox = new QGroupBox(u"번호종류"_s);
    auto* kindsLayout = new QHBoxLayout(kindsBox);
    const QStringList kindCaptions{u"핸드폰"_s, u"일반전화"_s, u"팩스"_s};
    for (qsizetype i = 0; i < kindCaptions.size(); ++i) {
        auto* kind = new QCheckBox(kindCaptions[i]);
        kind->setObjectName(u"chkPhoneType"_s + QString::number(i));
        kind->setChecked(i == 0);
        kindsLayout->addWidget(kind);
        m_chkPhoneType.append(kind);
    }

    auto* filterBox = new QGroupBox(u"선택 검색조건"_s);
    auto* filterLayout = new QGridLayout(filterBox);
    auto* filters = new QButtonGroup(this);
    const QStringList filterCaptions{u"전  체:"_s, u"미수금:"_s, u"방문예정:"_s, u"최종A/S일:"_s, u"A/S기간:"_s};
    for (qsizetype i = 0; i < filterCaptions.size(); ++i) {
        auto* option = new QRadioButton(filterCaptions[i]);
        option->setObjectName(u"optFilter"_s + QString::number(i));
        filters->addButton(option);
        m_optFilter.append(option);
    }
    m_optFilter[0]->setChecked(true);
    filterLayout->addWidget(m_optFilter[0], 0, 0);
    filterLayout->addWidget(m_optFilter[1], 0, 1);
    filterLayout->addWidget(m_optFilter[2], 1, 0);
    filterLayout->addWidget(m_optFilter[4], 1, 1);
    filterLayout->addWidget(m_htTerm, 1, 2);
    filterLayout->addWidget(m_optFilter[3], 2, 0);
    filterLayout->addWidget(m_htLastday, 2, 1);
    filterLayout->addWidget(new QLabel(u"일 경과고객"_s), 2, 2);

    auto* btnQuery = button(u"btnQuery"_s, u"조회"_s);
    auto* btnSms = button(u"btnSend0"_s, u"문자전송"_s);
    auto* btnFaxVoice = button(u"btnSend1"_s, u"팩스/음성전송"_s);
    auto* btnClose = button(u"btnClose"_s, u"닫기"_s);

    auto* top = new QHBoxLayout;
    top->addWidget(kindsBox);
    top->addWidget(filterBox, 1);
    top->addWidget(btnQuery);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_chkAllSel);
    bottom->addWidget(new QLabel(u"선택수:"_s));
    bottom->addWidget(m_lblCount);
    bottom->addStretch();
    bottom->addWidget(btnSms);
    bottom->addWidget(btnFaxVoice);
    bottom->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    connect(btnQuery, &QPushButton::clicked, this, &FrmTool_SMS::query);
    connect(btnSms, &QPushButton::clicked, this, [this] { send(false); });
    connect(btnFaxVoice, &QPushButton::clicked, this, [this] { send(true); });
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_chkAllSel, &QCheckBox::clicked, this, &FrmTool_SMS::tickAll);
    connect(m_list, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == ColSelect)
            toggle(index.row());
    });
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() != ColSelect)
            toggle(index.row());
    });
    updateCount();
}

void FrmTool_SMS::showCustomers(const QStringList& codes)
{
    m_list->cells().clearRows();
    for (const SmsRecipient& r : LeaveOutWithoutNumber(SmsCustomers::byCodes(codes))) {
        addRow(r.name, r.numbers, r.numbers, {});
        m_list->setText(m_list->rowCount() - 1, ColSelect, kTicked);
    }
    updateCount();
}

void FrmTool_SMS::query()
{
    m_list->cells().clearRows();
    const SmsCustomers::Condition c = condition();
    const SmsCustomers::Memo memoColumn = SmsCustomers::memo(c.filter);
    const QString& memoField = memoColumn.field;
    m_list->cells().setCaption(ColMemo, memoColumn.header);
    RecordSetPtr rs;
    const int rows = DBOpenRS(rs, SmsCustomers::sql(c));
    if (rows <= 0)
        ShowNotice(u"검색된 결과가 없습니다."_s, 500);
    for (int r = 0; r < rows; ++r) {
        const QString hpno = rs->value(r, u"hpno"_s);
        const QString telno1 = rs->value(r, u"telno1"_s);
        QString memo = memoField.isEmpty() ? QString() : rs->value(r, memoField);
        if (c.filter == SmsCustomers::Filter::Receivables)
            memo = FormatNumber(memo.toDouble(), u"#,##0"_s);
        addRow(rs->value(r, u"compname"_s),
               SmsCustomers::searchNumbers(hpno, telno1, rs->value(r, u"fax"_s), kinds()),
               SmsCustomers::mobileNumber(hpno, telno1), memo);
    }
    CloseRS(rs);
    updateCount();
}

void FrmTool_SMS::addRow(const QString& name, const QString& numbers, const QString& mobile, const QString& memo)
{
    const int row = m_list->rowCount();
    m_list->cells().setRowCount(row + 1);
    m_list->setText(row, ColName, name);
    m_list->setText(row, ColSearchNumbers, numbers);
    m_list->setText(row, ColMobile, mobile);
    m_list->setText(row, ColMemo, memo);
}

void FrmTool_SMS::toggle(int row)
{
    if (row < 0 || row >= m_list->rowCount())
        return;
    m_list->setText(row, ColSelect, m_list->text(row, ColSelect) == kTicked ? QString() : kTicked);
    updateCount();
}

void FrmTool_SMS::tickAll(bool on)
{
    for (int r = 0; r < m_list->rowCount(); ++r)
        m_list->setText(r, ColSelect, on ? kTicked : QString());
    updateCount();
}

void FrmTool_SMS::updateCount()
{
    int ticked = 0;
    for (int r = 0; r < m_list->rowCount(); ++r)
        ticked += m_list->text(r, ColSelect) == kTicked;
    m_lblCount->setText(QString::number(ticked));
}

void FrmTool_SMS::send(bool isFaxVoice)
{
    const int telCol = isFaxVoice ? ColSearchNumbers : ColMobile;
    QList<SmsRecipient> ticked;
    for (int r = 0; r < m_list->rowCount(); ++r) {
        if (m_list->text(r, ColSelect) == kTicked)
            ticked.append({m_list->text(r, telCol), m_list->text(r, ColName)});
    }
    TransFromSpread(ticked, isFaxVoice);
}

SmsCustomers::Condition FrmTool_SMS::condition() const
{
    SmsCustomers::Condition c;
    for (qsizetype i = 0; i < m_optFilter.size(); ++i) {
        if (m_optFilter[i]->isChecked())
            c.filter = static_cast<SmsCustomers::Filter>(i);
    }
    c.from = m_htTerm->from().value_or(QDate());
    c.to = m_htTerm->to().value_or(QDate());
    c.daysSince = m_htLastday->value();
    return c;
}

SmsCustomers::Kinds FrmTool_SMS::kinds() const
{
    return {m_chkPhoneType[0]->isChecked(), m_chkPhoneType[1]->isChecked(), m_chkPhoneType[2]->isChecked()};
}

bool FrmTool_SMS::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        toggle(m_list->activeRow());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace asv
