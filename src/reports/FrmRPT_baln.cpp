#include "FrmRPT_baln.h"

#include "Grid.h"
#include "HCTerm.h"
#include "PeriodCustomerReceiver.h"
#include "ReceivablesMonthSplit.h"
#include "ReportDatabase.h"
#include "ScreenOpener.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "modSMSLink.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmRPT_baln"_s;
const QString kConfigForm = u"Config_Form"_s;

const Setting<bool> kZeroView{u"Config"_s, u"미수금현황_잔액0포함"_s, false};
// Boxes 0 and 1 (addresses, memo shown) as one "1"/"0" each; box 2 (customers with a carried
// balance or a movement only) came later under a key of its own.
const Setting<QString> kSetupShown{kConfigForm, u"미수금현황_설정값"_s, u"11"_s};
const Setting<bool> kSetupMoved{kConfigForm, u"미수금현황_설정값2"_s, false};
const Setting<int> kMonthSplit{u"Config"_s, u"미수금현황_전기이월분할수"_s, 0};
constexpr int kMaxSplit = 12;

const QStringList kSetupCaptions = {u"주소 표시"_s, u"비고 표시"_s, u"이월/거래 있는 거래처만"_s};

} // namespace

FrmRPT_baln::FrmRPT_baln(QWidget* parent)
    : PeriodListWindow(parent, kForm, u"미수 현황 조회"_s, u"미수금 현황"_s, u"검색기간:"_s),
      m_fbCust(new ucFindBox(this)), m_fbUser(new ucFindBox(this)),
      m_chkZeroView(SettingCheckBox(this, u"chkZeroView"_s, u"잔액0 포함"_s, kZeroView)),
      m_cmbMonth(new QComboBox(this)), m_cmbOrderBy(new QComboBox(this))
{
    setPeriodCaption(u"기간:"_s);
    period()->setThisMonth();
    m_fbCust->setObjectName(u"fbCust"_s);
    m_fbCust->setFindType(ucFindBox::FindCustKind);
    m_fbUser->setObjectName(u"fbUser"_s);
    m_fbUser->setFindType(ucFindBox::FindUserKind);

    const QString shown = kSetupShown.get();
    for (int i = 0; i < kSetupCaptions.size(); ++i) {
        auto* box = new QCheckBox(kSetupCaptions[i], this);
        box->setObjectName(u"chkSetup(%1)"_s.arg(i));
        box->setChecked(i < 2 ? shown.mid(i, 1) != u"0"_s : kSetupMoved.get());
        m_chkSetup << box;
    }
    for (int i = 0; i < 2; ++i) {
        connect(m_chkSetup[i], &QCheckBox::clicked, this, [this] {
            kSetupShown.set(QString(m_chkSetup[0]->isChecked() ? u'1' : u'0') + (m_chkSetup[1]->isChecked() ? u'1' : u'0'));
            applySetupColumns();
        });
    }
    connect(m_chkSetup[2], &QCheckBox::clicked, this, [](bool on) { kSetupMoved.set(on); });

    m_cmbMonth->setObjectName(u"cmbMonth"_s);
    m_cmbMonth->addItem(u"분할 안함"_s);
    for (int n = 1; n <= kMaxSplit; ++n)
        m_cmbMonth->addItem(u"%1개월"_s.arg(n));
    m_cmbMonth->setCurrentIndex(std::clamp(kMonthSplit.get(), 0, kMaxSplit));
    connect(m_cmbMonth, &QComboBox::currentIndexChanged, this, [](int index) { kMonthSplit.set(index); });
    m_cmbOrderBy->setObjectName(u"cmbOrderBy"_s);
    m_cmbOrderBy->addItems({u"거래처코드순"_s, u"약칭순"_s});

    QHBoxLayout* first = filterRow();
    first->insertWidget(2, new QLabel(u"거래처:"_s, this));
    first->insertWidget(3, m_fbCust);
    first->insertWidget(4, new QLabel(u"담당자:"_s, this));
    first->insertWidget(5, m_fbUser);
    QHBoxLayout* second = addFilterRow();
    second->addWidget(m_chkZeroView);
    for (QCheckBox* box : m_chkSetup)
        second->addWidget(box);
    second->addWidget(new QLabel(u"전기이월 분할:"_s, this));
    second->addWidget(m_cmbMonth);
    second->addWidget(new QLabel(u"정렬:"_s, this));
    second->addWidget(m_cmbOrderBy);
    second->addStretch();

    QPushButton* sms = NamedButton(this, u"btnSMS"_s, u"문자전송"_s);
    addButtons({sms});
    connect(sms, &QPushButton::clicked, this, &FrmRPT_baln::sendSms);

    Grid* grid = list();
    QStringList captions = {u"거래처코드"_s, u"약칭"_s, u"전화번호"_s, u"담당자"_s, u"전기이월"_s};
    for (int i = 0; i < kMonthColumns; ++i)
        captions << u"월분 미수"_s;
    captions << u"매출액"_s << u"AS금액"_s << u"입금액"_s << u"잔액"_s << u"대표자"_s << u"주소"_s << u"상세주소"_s
             << u"비고"_s;
    grid->setColumns(captions);
    grid->setSelectionKind(Grid::SelectionKind::MultiRow);
    GridModel& cells = grid->cells();
    const QList<std::pair<int, QString>> fields = {
        {ColCode, u"ccode"_s},   {ColAlias, u"calias"_s}, {ColTel, u"tel"_s},      {ColSalesperson, u"dname"_s},
        {ColCarried, u"prebaln"_s}, {ColSales, u"tot"_s}, {ColAs, u"tot2"_s},       {ColRecv, u"recv"_s},
        {ColBalance, u"baln"_s}, {ColCeo, u"ceoname"_s},  {ColAddr1, u"addr1"_s},  {ColAddr2, u"addr2"_s},
        {ColMemo, u"bigo"_s}};
    for (const auto& [col, label] : fields)
        cells.bindColumn(col, label);
    const QString format = GetDecFormat(SharedOptions::current().amountDecimals, true, true);
    for (int col : {int(ColCarried), int(ColSales), int(ColAs), int(ColRecv), int(ColBalance)})
        cells.setNumberColumn(col, format);
    for (int i = 0; i < kMonthColumns; ++i) {
        cells.setNumberColumn(ColMonthFirst + i, format);
        cells.bindColumn(ColMonthFirst + i, [this, i](const RecordSet& rs, int row) {
            if (m_split.isEmpty())
                return QString();
            const auto it = m_split.constFind(rs.value(row, 0));
            return it != m_split.constEnd() && i < it->size() ? it->at(i).text() : QString();
        });
        grid->setColumnInitHidden(ColMonthFirst + i, true);
    }
    connect(grid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { openDailySales(index.row()); });
    finishLayout();
    applySetupColumns();
}

FrmRPT_baln::~FrmRPT_baln() = default;

ReceivablesStore::Filter FrmRPT_baln::filter() const
{
    ReceivablesStore::Filter f;
    f.from = period()->from().value_or(QDate());
    f.to = period()->to().value_or(QDate());
    f.ccode = m_fbCust->code();
    f.charge = m_fbUser->code();
    f.withZero = m_chkZeroView->isChecked();
    f.movedOnly = m_chkSetup[2]->isChecked();
    f.byAlias = m_cmbOrderBy->currentIndex() > 0;
    f.decimals = SharedOptions::current().amountDecimals;
    return f;
}

void FrmRPT_baln::query()
{
    CreateReport();
}

void FrmRPT_baln::CreateReport()
{
    const ReceivablesStore::Filter f = filter();
    if (!f.from.isValid() || !f.to.isValid()) {
        MsgInfo(u"조회기간을 확인하세요."_s);
        return;
    }
    GridModel& cells = list()->cells();
    cells.setRecordSet(std::make_shared<RecordSet>());
    m_split.clear();
    m_db = ReportDatabase::CreateRPTFile();
    if (!m_db)
        return;
    const int splitMonths = m_cmbMonth->currentIndex();
    const QStringList months = ReceivablesMonthSplit::months(f.from, splitMonths);
    const bool done = Guarded(u"CreateReport"_s, u"Form"_s, kForm, false, [&] {
        const RecordSetPtr rs = ReceivablesStore().CreateReport(f, *m_db);
        m_split = ReceivablesStore().monthSplit(f, splitMonths, *rs);
        cells.setRecordSet(rs);
        return true;
    });
    showMonthColumns(done ? months : QStringList());
    if (cells.rowCount() == 0) {
        ShowNotice(u"검색된 결과가 없습니다."_s);
        return;
    }
    addTotals();
}

void FrmRPT_baln::showMonthColumns(const QStringList& months)
{
    for (int i = 0; i < kMonthColumns; ++i) {
        if (i < months.size())
            list()->cells().setCaption(ColMonthFirst + i, QString::number(months[i].right(2).toInt()) + u"월분 미수"_s);
        list()->setColumnHidden(ColMonthFirst + i, i >= months.size());
    }
}

void FrmRPT_baln::applySetupColumns()
{
    for (int col : {int(ColAddr1), int(ColAddr2)})
        list()->setColumnHidden(col, !m_chkSetup[0]->isChecked());
    list()->setColumnHidden(ColMemo, !m_chkSetup[1]->isChecked());
}

void FrmRPT_baln::addTotals()
{
    GridModel& cells = list()->cells();
    const int rows = cells.rowCount();
    QList<int> money = {ColCarried, ColSales, ColAs, ColRecv, ColBalance};
    for (int i = 0; i < kMonthColumns; ++i) {
        if (!list()->isColumnHidden(ColMonthFirst + i))
            money << ColMonthFirst + i;
    }
    cells.setRowCount(rows + 1);
    cells.setText(rows, ColCode, u"[합 계]"_s);
    for (int col : money) {
        FixedMoney sum;
        for (int row = 0; row < rows; ++row)
            sum += FixedMoney::parse(cells.text(row, col)).value_or(FixedMoney());
        cells.setText(rows, col, sum.text());
    }
}

QString FrmRPT_baln::printSubtitle() const
{
    const QString salesperson = m_fbUser->code().isEmpty() ? u"전체"_s : m_fbUser->Text();
    return u"( 검색기간: %1 ~ %2, 담당자: %3 )"_s.arg(period()->Text1(), period()->Text2(), salesperson);
}

void FrmRPT_baln::sendSms()
{
    const GridModel& cells = list()->cells();
    QList<SmsRecipient> recipients;
    const bool read = Guarded(u"btnSMS_Click"_s, u"Form"_s, kForm, false, [&] {
        for (int row : list()->selectedRows()) {
            const int source = cells.sourceRow(row);
            if (source < 0)
                continue;
            const RecordSet& rs = *cells.recordSet();
            // A customer without a mobile number has nothing to receive.
            const QString number = ReceivablesStore().mobileNumber(rs.value(source, u"ccode"_s));
            if (!number.trimmed().isEmpty())
                recipients.append({number, rs.value(source, u"cname"_s)});
        }
        return true;
    });
    if (read)
        TransFromSpread(recipients, false);
}

void FrmRPT_baln::openDailySales(int row)
{
    const int source = list()->cells().sourceRow(row);
    const std::optional<QDate> from = period()->from();
    const std::optional<QDate> to = period()->to();
    if (source < 0 || !from || !to)
        return;
    const QString ccode = list()->cells().recordSet()->value(source, u"ccode"_s);
    ScreenRequest request;
    request.prepare = [ccode, from, to](QWidget* w) {
        if (auto* receiver = dynamic_cast<PeriodCustomerReceiver*>(w))
            receiver->showCustomerPeriod(ccode, *from, *to);
    };
    OpenRegisteredScreen(this, u"mnuAS_Report_10"_s, request);
}

void FrmRPT_baln::closeEvent(QCloseEvent* event)
{
    if (m_db)
        Guarded(u"Form_Unload"_s, u"Form"_s, kForm, false, [this] {
            m_db->ClearTable(u"balnlist"_s);
            return true;
        });
    PeriodListWindow::closeEvent(event);
}

} // namespace asv
