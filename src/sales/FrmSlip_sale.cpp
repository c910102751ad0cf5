#include "FrmSlip_sale.h"

#include "AppState.h"
#include "Clock.h"
#include "ConfigKeys.h"
#include "CustomerStore.h"
#include "FindRecord.h"
#include "FrmCalendar.h"
#include "FrmStatement.h"
#include "Grid.h"
#include "GridPrinter.h"
#include "OptionKeys.h"
#include "ProductRules.h"
#include "SaleCatalogue.h"
#include "SaleStore.h"
#include "ScreenOpener.h"
#include "Setting.h"
#include "StoreSql.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modExcel.h"
#include "modFormIni.h"
#include "ProductPrices.h"
#include "modMain_SQL.h"
#include "modMath.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmSlip_sale"_s;
const QString kTitle = u"판매전표등록"_s;
const QString kSaveFailed = u"수정된 내용이 없거나, 자료저장을 실패하였습니다."_s;

const Setting<bool> kHideSum{u"Config"_s, u"전표_HideSum"_s, false};
const Setting<bool> kShowProductCodes{u"Config"_s, u"전표_표시상품코드"_s, true};
const Setting<bool> kBlockMode{u"Config"_s, u"전표블럭설정모드"_s, false};
const Setting<bool> kTipHidden{u"MSGSKIP"_s, u"전표V칼럼설명"_s, false};

const QStringList kVatModes{u"면세"_s, u"포함"_s, u"별도"_s};

QString lines(const QStringList& parts)
{
    return parts.join(vbCrLf);
}

QString taxInvoiceText(const QString& no)
{
    static const QRegularExpression digits(u"^\\d{12}$"_s);
    return digits.match(no).hasMatch() ? no.left(6) + u'-' + no.mid(6, 2) + u'-' + no.mid(8) : no;
}

double numberOf(const QString& text)
{
    double value = 0;
    GridModel::parseNumber(text, &value);
    return value;
}

std::optional<SaleLineEdit::Field> editedField(int col)
{
    using F = SaleLineEdit::Field;
    using S = FrmSlip_sale;
    static const QHash<int, F> fields{{S::ColDay, F::Day},          {S::ColPName, F::Product},
                                      {S::ColBarcode, F::Product},  {S::ColNorm, F::Norm},
                                      {S::ColQty, F::Quantity},     {S::ColPrice, F::Price},
                                      {S::ColAmount, F::Amount},    {S::ColTax, F::Tax},
                                      {S::ColReceiptMemo, F::ReceiptMemo}, {S::ColCharge, F::Charge},
                                      {S::ColReceiver, F::Receiver}, {S::ColSerial, F::Serial},
                                      {S::ColMemo, F::Memo}};
    const auto it = fields.constFind(col);
    return it == fields.cend() ? std::nullopt : std::optional(*it);
}

QString refusalText(SaleLineEdit::Refusal refusal)
{
    switch (refusal) {
    case SaleLineEdit::Refusal::NoCustomer:
        return FormatMsg(u"%0은(는) 공백이 허용되지 않습니다."_s, {u"거래처"_s});
    case SaleLineEdit::Refusal::NoProduct:
        return FormatMsg(u"%0은(는) 공백이 허용되지 않습니다."_s, {u"상품"_s});
    case SaleLineEdit::Refusal::NoDate:
        return u"존재하지 않는 날짜입니다."_s;
    case SaleLineEdit::Refusal::None:
        break;
    }
    return {};
}

template <typename F>
bool guarded(const QString& procedure, F&& body)
{
    return Guarded(procedure, u"Form"_s, kForm, false, std::forward<F>(body));
}

} // namespace

FrmSlip_sale::FrmSlip_sale(QWidget* parent)
    : QWidget(parent), m_fbCust(new ucFindBox(this)), m_fbUser(new ucFindBox(this)),
      m_btnDate(NamedButton(this, u"btnDate"_s, {})), m_btnBlockMode(NamedButton(this, u"btnBlockMode"_s, u"블럭"_s)),
      m_list(new Grid(this)), m_sums(new Grid(this)), m_info(new QLabel(this)), m_month(Clock::today().addDays(1 - Clock::today().day()))
{
    setObjectName(kForm);
    setWindowTitle(kTitle);

    m_fbCust->setObjectName(u"fbCust"_s);
    m_fbCust->setFindType(ucFindBox::FindCustKind);
    m_fbUser->setObjectName(u"fbUser"_s);
    m_fbUser->setFindType(ucFindBox::FindUserKind);
    m_info->setObjectName(u"pnlInfo"_s);
    m_info->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* previous = NamedButton(this, u"cmdMoveMon"_s, u"◀"_s);
    previous->setProperty("index", 0);
    auto* next = NamedButton(this, u"cmdMoveMon"_s, u"▶"_s);
    next->setProperty("index", 1);
    m_btnBlockMode->setCheckable(true);
    auto* remove = NamedButton(this, u"btnDel"_s, u"삭제"_s);
    auto* excel = NamedButton(this, u"btnExcel"_s, u"엑셀"_s);
    auto* print = NamedButton(this, u"btnPrint"_s, u"인쇄"_s);
    auto* statement = NamedButton(this, u"btnStatement"_s, u"명세표"_s);
    auto* sms = NamedButton(this, u"btnSMS"_s, u"SMS"_s);
    auto* pay = NamedButton(this, u"btnPay"_s, u"입금 F5"_s);
    auto* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);

    buildList();
    m_sums->setObjectName(u"spSum"_s);
    m_sums->setColumns({u"매출금액"_s, u"부가세"_s, u"매출합계"_s, u"입금액"_s, u"할인"_s, u"현재잔액"_s});
    const QString amountFormat = GetDecFormat(SharedOptions::current().amountDecimals, true, true);
    for (int col = 0; col < m_sums->columnCount(); ++col)
        m_sums->cells().setNumberColumn(col, amountFormat);
    m_sums->cells().setRowCount(1);
    m_sums->setMaximumHeight(64);
    m_sums->setVisible(!kHideSum.get());

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(u"거래처"_s, this));
    top->addWidget(m_fbCust, 2);
    top->addWidget(previous);
    top->addWidget(m_btnDate);
    top->addWidget(next);
    top->addWidget(new QLabel(u"주담당자"_s, this));
    top->addWidget(m_fbUser, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_btnBlockMode, remove, excel, print, statement, sms})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(pay);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_info);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_sums);
    layout->addLayout(buttons);

    connect(previous, &QPushButton::clicked, this, [this] { moveMonth(-1); });
    connect(next, &QPushButton::clicked, this, [this] { moveMonth(1); });
    connect(m_btnDate, &QPushButton::clicked, this, &FrmSlip_sale::pickMonth);
    connect(m_btnBlockMode, &QPushButton::toggled, this, &FrmSlip_sale::toggleBlockMode);
    connect(remove, &QPushButton::clicked, this, &FrmSlip_sale::deleteSelected);
    connect(excel, &QPushButton::clicked, this, &FrmSlip_sale::exportList);
    connect(print, &QPushButton::clicked, this, &FrmSlip_sale::printList);
    connect(statement, &QPushButton::clicked, this, [this] { FrmStatement::openFromSlip(this); });
    connect(sms, &QPushButton::clicked, this, [this] { openForCustomer(u"mnuSMS"_s, false); });
    connect(pay, &QPushButton::clicked, this, [this] { openForCustomer(u"mnuDeposite"_s, true); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_fbCust, &ucFindBox::found, this, [this](const QString& code) { loadCustomer(code); });
    connect(m_fbUser, &ucFindBox::found, this, &FrmSlip_sale::changeMainSalesperson);
    auto* findCustomer = new QShortcut(QKeySequence(Qt::Key_F3), this);
    findCustomer->setContext(Qt::WidgetWithChildrenShortcut);
    connect(findCustomer, &QShortcut::activated, this, [this] { m_fbCust->editor()->setFocus(); });
    auto* payKey = new QShortcut(QKeySequence(Qt::Key_F5), this);
    payKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(payKey, &QShortcut::activated, pay, &QPushButton::click);

    m_quantityLimit = OptionKeys::SlipQuantityLimit.get().trimmed().toDouble();
    m_btnBlockMode->setChecked(kBlockMode.get());
    m_btnDate->setText(month());
    LoadFormIni(this);
}

void FrmSlip_sale::buildList()
{
    m_list->setObjectName(u"spList"_s);
    m_list->setColumns({u"V"_s, {}, u"일"_s, u"시간"_s, u"상품코드"_s, u"바코드"_s, u"상품명"_s, u"규격"_s,
                        u"수량"_s, u"단위"_s, u"단가"_s, u"금액"_s, u"부가세"_s, u"합계"_s, u"수령메모"_s,
                        u"담당코드"_s, u"담당자"_s, u"수령인"_s, u"시리얼"_s, u"인쇄메모"_s, u"전표번호"_s,
                        u"계산서번호"_s, u"거래명세번호"_s});
    GridModel& cells = m_list->cells();
    const SharedOptions& o = SharedOptions::current();
    cells.setNumberColumn(ColQty, GetDecFormat(o.qtyDecimals, true, false));
    cells.setNumberColumn(ColPrice, GetDecFormat(o.priceDecimals, true, true));
    const QString amountFormat = GetDecFormat(o.amountDecimals, true, true);
    cells.setNumberColumn(ColAmount, amountFormat);
    cells.setNumberColumn(ColTax, amountFormat);
    cells.setFormulaColumn(ColTotal, {{ColAmount}, {ColTax}}, amountFormat);
    for (int col : {ColDay, ColBarcode, ColPName, ColNorm, ColQty, ColPrice, ColAmount, ColTax, ColReceiptMemo,
                    ColCharge, ColReceiver, ColSerial, ColMemo})
        cells.setEditable(col, true);

    cells.bindColumn(ColV, [](const RecordSet& rs, int row) {
        return rs.value(row, u"taxlistno"_s).isEmpty() ? QString() : u"○"_s;
    });
    cells.bindColumn(ColDay, [](const RecordSet& rs, int row) { return rs.value(row, u"dealdate"_s).right(2); });
    cells.bindColumn(ColChargeName,
                     [this](const RecordSet& rs, int row) { return m_userNames.value(rs.value(row, u"charge"_s)); });
    cells.bindColumn(ColTaxNo,
                     [](const RecordSet& rs, int row) { return taxInvoiceText(rs.value(row, u"taxlistno"_s)); });
    const QList<std::pair<int, QString>> fields{
        {ColTime, u"dealtime"_s},  {ColPCode, u"pcode"_s},        {ColBarcode, u"bcode"_s},
        {ColPName, u"pname"_s},    {ColNorm, u"pnorm"_s},         {ColQty, u"qnt"_s},
        {ColUnit, u"unit"_s},      {ColPrice, u"price"_s},        {ColAmount, u"amount"_s},
        {ColTax, u"tax"_s},        {ColReceiptMemo, u"receiptmemo"_s}, {ColCharge, u"charge"_s},
        {ColReceiver, u"receiptname"_s}, {ColSerial, u"pserial"_s}, {ColMemo, u"prnbigo"_s},
        {ColCode, u"code"_s},      {ColDealListNo, u"deallistno"_s}};
    for (const auto& [col, field] : fields)
        cells.bindColumn(col, field);
    cells.bindColumn(ColMark, [](const RecordSet&, int) { return QString(); });

    m_list->setColumnInitHidden(ColMark, true);
    const bool showCodes = kShowProductCodes.get();
    m_list->setColumnInitHidden(ColPCode, !showCodes);
    m_list->setColumnInitHidden(ColBarcode, !showCodes);
    m_list->rememberDesignedLayout();

    cells.setBeforeEdit([this](int row, int col) { return mayEditCell(row, col); });
    cells.setAfterEdit([this](int row, int col, const QString& oldText, const QString& newText) {
        cellEdited(row, col, oldText, newText);
    });
    connect(m_list, &QAbstractItemView::doubleClicked, this, [](const QModelIndex& index) {
        if (index.column() == ColTotal)
            MsgInfo(u"합계금액은 직접 수정할 수 없습니다."_s);
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FrmSlip_sale::showCurrentTaxInvoice);
}

void FrmSlip_sale::InitForm(const QString& ccode, const QString& month)
{
    const QDate first = QDate::fromString(month + u"-01"_s, u"yyyy-MM-dd"_s);
    m_month = first.isValid() ? first : Clock::today().addDays(1 - Clock::today().day());
    m_btnDate->setText(this->month());
    loadCustomer(ccode);
}

void FrmSlip_sale::ShowPickedCustomer(const QString& code)
{
    InitForm(code);
}

void FrmSlip_sale::loadCustomer(const QString& ccode)
{
    m_ccode = ccode;
    m_fbCust->FindName(ccode);
    DispCustInfo();
    loadList();
    loadSums();
}

void FrmSlip_sale::DispCustInfo()
{
    guarded(u"DispCustInfo"_s, [this] {
        m_userNames = SaleStore().userNames();
        const SaleStore::CustomerInfo c = SaleStore().customerInfo(m_ccode);
        m_charge = c.charge;
        m_fbUser->setRecord(c.charge, m_userNames.value(c.charge));
        if (!c.found) {
            m_info->clear();
            return true;
        }
        QString phones;
        for (const auto& [prefix, number] : {std::pair{u" T."_s, c.telno1}, {u" H."_s, c.hpno}, {u" F."_s, c.fax}}) {
            if (!number.isEmpty())
                phones += prefix + number;
        }
        m_info->setText(QStringList{c.compname, c.addr2, c.ceoname, phones.trimmed(), kVatModes.value(c.taxmode)}
                            .join(u"  |  "_s));
        return true;
    });
}

void FrmSlip_sale::loadList()
{
    m_loading = true;
    m_list->cells().clearRows();
    if (!m_ccode.isEmpty()) {
        guarded(u"Refresh_Sheet"_s, [this] {
            RecordSetPtr rs = SaleStore().monthLines(m_ccode, month());
            if (rs->rowCount() == 0)
                ShowNotice(u"검색된 결과가 없습니다."_s);
            m_list->cells().setRecordSet(rs);
            return true;
        });
    }
    addEmptyRowIfNeeded();
    m_loading = false;
    showCurrentTaxInvoice();
}

void FrmSlip_sale::loadSums()
{
    GridModel& cells = m_sums->cells();
    for (int col = 0; col < cells.columnCount(); ++col)
        cells.setText(0, col, {});
    if (m_ccode.isEmpty())
        return;
    guarded(u"DispSum"_s, [&] {
        const SaleStore::MonthSums s = SaleStore().monthSums(m_ccode, month());
        const double values[] = {s.sale, s.vat, s.total, s.received, s.discount, s.balance};
        for (int col = 0; col < int(std::size(values)); ++col)
            cells.setText(0, col, QString::number(values[col], 'f', 4));
        return true;
    });
}

void FrmSlip_sale::moveMonth(int months)
{
    m_month = m_month.addMonths(months);
    m_btnDate->setText(month());
    loadList();
    loadSums();
}

void FrmSlip_sale::pickMonth()
{
    if (const std::optional<QDate> day = FrmCalendar::pick(m_btnDate, m_month))
        moveMonth((day->year() - m_month.year()) * 12 + day->month() - m_month.month());
}

void FrmSlip_sale::addEmptyRowIfNeeded()
{
    GridModel& cells = m_list->cells();
    const int rows = cells.rowCount();
    if (rows == 0 || !cells.isRowBlank(rows - 1))
        cells.setRowCount(rows + 1);
}

QString FrmSlip_sale::dateOfDay(const QString& day) const
{
    return SaleLineEdit::dateOfDay(month(), day);
}

void FrmSlip_sale::showCurrentTaxInvoice()
{
    const int row = m_list->currentIndex().isValid() ? m_list->currentIndex().row() : -1;
    const QString no = row >= 0 ? m_list->text(row, ColTaxNo) : QString();
    setWindowTitle(no.isEmpty() ? kTitle : kTitle + u" (계산서No : "_s + no + u')');
}

// A stored line is protected before its editor opens; a new line is only text until its product
// is chosen.
bool FrmSlip_sale::mayEditCell(int row, int col)
{
    if (m_list->text(row, ColCode).isEmpty())
        return true;
    if (const QString no = m_list->text(row, ColTaxNo); !no.isEmpty()) {
        MsgWarn(lines({u"계산서번호:"_s + no, u"계산서가 발행된 전표는 수정할 수 없습니다."_s,
                       u"먼저 계산서 발행화면에서 발행내역자료 중 해당 자료를 찾아 삭제하세요."_s}));
        return false;
    }
    if (!ConfigKeys::SlipNoEditQuestion.get()) {
        const bool thisMonth = month() == Clock::today().toString(u"yyyy-MM"_s);
        const QString question = thisMonth ? u"정말 수정하시겠습니까?"_s
                                           : u"이번달 자료가 아닙니다. 그래도, 수정하시겠습니까?"_s;
        const QString hint = u"(※환경설정창 [전표]탭안의 [수정시 묻지 않기]에 체크하면,"_s + vbCrLf
            + u" 이 메시지가 생략됩니다.)"_s;
        if (MsgYesNo(question + vbCrLf + vbCrLf + hint) != MsgAnswer::Yes)
            return false;
    }
    if (col == ColNorm && !IsFreeTextProduct(m_list->text(row, ColPCode)) && ConfigKeys::SlipNormWarning.get()) {
        const QString warning = lines({u"규격을 직접 수정할 경우 재고관리가 되지 않습니다."_s,
                                       u"임의발행한 상품이 아닐 경우는 상품명칸에서 검색을 하세요."_s,
                                       u"그래도, 수정을 하시겠습니까?"_s,
                                       u"※이 메시지를 숨기고 싶을 경우 [환경설정]의 [전표]탭 부분에 있는"_s,
                                       u"[규격 수정시 안내 메시지 생략]의 체크를 해제하세요."_s});
        if (MsgYesNo(warning) != MsgAnswer::Yes)
            return false;
    }
    return true;
}

bool FrmSlip_sale::confirmQuantity(const QString& typed)
{
    if (m_quantityLimit <= 0 || numberOf(typed) < m_quantityLimit)
        return true;
    return MsgYesNo(lines({u"입력한 수량이 너무 큽니다.("_s + typed + u')',
                           u"정말로, 수정을 하시겠습니까?"_s,
                           u"※이 메시지를 숨기고 싶을 경우 [환경설정]의 [전표]탭 부분에 있는"_s,
                           u"[수량 입력시 xxxx 이상이면 알림]의 값을 0이나 원하는 값으로 변경하세요."_s}))
        == MsgAnswer::Yes;
}

void FrmSlip_sale::cellEdited(int row, int col, const QString& oldText, const QString& newText)
{
    if (m_loading)
        return;
    const bool stored = !m_list->text(row, ColCode).isEmpty();
    const auto restore = [&] { m_list->setText(row, col, oldText); };
    switch (col) {
    case ColDay:
        if (!SaleLineEdit::isDate(dateOfDay(newText))) {
            MsgWarn(dateOfDay(newText) + u"는 올바른 날짜가 아닙니다."_s);
            restore();
            return;
        }
        break;
    case ColPName:
    case ColBarcode:
        if (!chooseProduct(row, col, newText)) {
            restore();
            return;
        }
        RecSave(row, col, oldText, newText, stored ? Update : Insert);
        return;
    case ColQty:
        if (!confirmQuantity(newText)) {
            restore();
            return;
        }
        break;
    case ColCharge:
        m_list->setText(row, ColChargeName, m_userNames.value(newText));
        break;
    default:
        break;
    }
    if (stored)
        RecSave(row, col, oldText, newText, Update);
}

// Puts the chosen product into the row's product cells; false when none was chosen.
bool FrmSlip_sale::chooseProduct(int row, int col, const QString& typed)
{
    if (typed.trimmed().isEmpty())
        return false;
    Pick pick;
    if (col == ColBarcode)
        pick.code = GetProdByBarCode(typed);
    else
        pick = FindProd({typed, {}, {}, {}, this});
    if (pick.isEmpty())
        return false;
    return guarded(u"ChooseProduct"_s, [&] {
        const std::optional<SaleLineEdit::Cells> cells =
            SaleLineEdit::chosen(cellsOf(row), pick.code, pick.name, m_charge, catalogue());
        if (!cells)
            return false;
        for (const auto& [col, text] : {std::pair{ColPCode, cells->pcode}, {ColPName, cells->pname},
                                        {ColNorm, cells->pnorm}, {ColUnit, cells->unit}, {ColBarcode, cells->bcode},
                                        {ColCharge, cells->charge}})
            m_list->setText(row, col, text);
        m_list->setText(row, ColChargeName, m_userNames.value(cells->charge));
        return true;
    });
}

SaleLineEdit::Cells FrmSlip_sale::cellsOf(int row) const
{
    const GridModel& cells = m_list->cells();
    return {m_list->text(row, ColPCode),  m_list->text(row, ColPName),  m_list->text(row, ColNorm),
            m_list->text(row, ColUnit),   m_list->text(row, ColBarcode), m_list->text(row, ColCharge),
            cells.number(row, ColQty),    cells.number(row, ColPrice),   cells.number(row, ColAmount),
            cells.number(row, ColTax)};
}

SaleLineEdit::Catalogue FrmSlip_sale::catalogue() const
{
    return SaleCatalogue(m_ccode, VatOptions::current(), SharedOptions::current().basePriceChange[1]);
}

void FrmSlip_sale::setPricedCells(int row, double amount, double tax)
{
    m_list->setText(row, ColAmount, QString::number(amount, 'f', 4));
    m_list->setText(row, ColTax, QString::number(tax, 'f', 4));
}

bool FrmSlip_sale::RecSave(int row, int col, const QString& oldText, const QString& newText, int mode)
{
    return guarded(u"RecSave"_s,
                   [&] { return mode == Insert ? insertLine(row) : updateLine(row, col, oldText, newText); });
}

bool FrmSlip_sale::saveFailed()
{
    MsgWarn(kSaveFailed);
    loadList(); // shows what is stored
    loadSums();
    return false;
}

bool FrmSlip_sale::insertLine(int row)
{
    SaleLine typed;
    typed.ccode = m_ccode;
    typed.pcode = m_list->text(row, ColPCode);
    typed.pname = m_list->text(row, ColPName);
    typed.pnorm = m_list->text(row, ColNorm);
    typed.qnt = m_list->cells().number(row, ColQty);
    typed.dealdate = dateOfDay(m_list->text(row, ColDay));
    typed.dealtime = Clock::now().toString(u"HH:mm"_s);
    typed.charge = m_list->text(row, ColCharge);
    typed.regucode = App().UserCode;
    typed.receiptname = m_list->text(row, ColReceiver);
    typed.receiptmemo = m_list->text(row, ColReceiptMemo);
    SaleLineEdit::NewLine entered = SaleLineEdit::insert(typed, catalogue());
    if (entered.refusal != SaleLineEdit::Refusal::None) {
        MsgWarn(refusalText(entered.refusal));
        return false;
    }
    SaleLine& line = entered.line;
    if (SaleStore().insert(line) == 0)
        return saveFailed();
    m_loading = true;
    m_list->setText(row, ColCode, QString::number(line.code));
    m_list->setText(row, ColDay, line.dealdate.right(2));
    m_list->setText(row, ColTime, line.dealtime);
    m_list->setText(row, ColQty, QString::number(line.qnt, 'f', 4));
    m_list->setText(row, ColPrice, QString::number(line.price, 'f', 4));
    setPricedCells(row, line.amount, line.tax);
    addEmptyRowIfNeeded();
    m_loading = false;
    loadSums();
    return true;
}

bool FrmSlip_sale::updateLine(int row, int col, const QString& oldText, const QString& newText)
{
    const std::optional<SaleLineEdit::Field> field = editedField(col);
    if (!field)
        return false;
    const QString edited = col == ColDay ? dateOfDay(newText) : newText;
    const SaleLineEdit::Result r = SaleLineEdit::apply(*field, cellsOf(row), oldText, edited, catalogue());
    if (!SaleStore().update(m_list->text(row, ColCode).toInt(), m_ccode, r.change))
        return saveFailed();
    if (r.unitChanged)
        MsgInfo(u"수정된 상품은 단위가 다르니 확인바랍니다."_s + vbCrLf + m_list->text(row, ColUnit) + u" → "_s
                + r.after.unit);
    m_loading = true;
    m_list->setText(row, ColPCode, r.after.pcode);
    m_list->setText(row, ColUnit, r.after.unit);
    m_list->setText(row, ColBarcode, r.after.bcode);
    m_list->setText(row, ColPrice, QString::number(r.after.price, 'f', 4));
    setPricedCells(row, r.after.amount, r.after.tax);
    m_loading = false;
    if (r.productPrice)
        ProductPrices().setSalePrice(r.after.pcode, *r.productPrice);
    loadSums();
    return true;
}

bool FrmSlip_sale::RecDelete(int row)
{
    const QString code = m_list->text(row, ColCode);
    if (code.isEmpty()) {
        MsgWarn(u"전표번호를 찾을 수 없는 줄(행)입니다."_s);
        return false;
    }
    return guarded(u"RecDelete"_s, [&] {
        if (const QString no = SaleStore().taxInvoiceOf(code.toInt()); !no.isEmpty()) {
            const QString question =
                lines({u"계산서번호:"_s + taxInvoiceText(no), u"선택된 전표자료는 계산서가 발행되었습니다."_s,
                       u"계산서는 따로 삭제 하셔야 됩니다."_s, QString(), u"전표만 삭제 하시겠습니까?"_s});
            if (MsgYesNo(question) != MsgAnswer::Yes)
                return false;
        }
        if (!SaleStore().remove(code.toInt(), m_ccode)) {
            StoreSql::warnNotDeleted();
            return false;
        }
        m_list->cells().removeRows(row, 1);
        return true;
    });
}

void FrmSlip_sale::deleteSelected()
{
    QList<int> rows;
    if (m_btnBlockMode->isChecked())
        rows = m_list->selectedRows();
    else if (m_list->currentIndex().isValid())
        rows = {m_list->currentIndex().row()};
    // The empty row for new lines is never a line to delete.
    rows.removeIf([this](int row) { return m_list->cells().isRowBlank(row); });
    if (rows.isEmpty()) {
        MsgWarn(u"삭제할 행을 선택하세요."_s);
        return;
    }
    for (int row : rows)
        m_list->setText(row, ColMark, u"1"_s);
    if (MsgYesNo(u"선택된 전표자료들을 정말로 삭제 하시겠습니까?"_s, u"전표 삭제"_s) != MsgAnswer::Yes) {
        for (int row : rows)
            m_list->setText(row, ColMark, {});
        return;
    }
    int deleted = 0;
    // From the bottom, so that the rows still to go keep their numbers.
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        if (RecDelete(*it))
            ++deleted;
        else
            m_list->setText(*it, ColMark, {});
    }
    if (deleted > 0) {
        loadSums();
        ShowNotice(u"자료를 삭제하였습니다."_s, 500);
    }
}

void FrmSlip_sale::toggleBlockMode(bool on)
{
    kBlockMode.set(on);
    m_list->setSelectionKind(on ? Grid::SelectionKind::Block : Grid::SelectionKind::SingleRow);
}

void FrmSlip_sale::changeMainSalesperson(const QString& code, const QString& name)
{
    if (m_ccode.isEmpty() || code == m_charge)
        return;
    const QString question = u"거래처【"_s + m_fbCust->Text() + u"】에 대한 주담당자를【"_s + name
        + u"】로 변경하시겠습니까?"_s;
    if (MsgYesNo(question, u"담당자 변경"_s) != MsgAnswer::Yes) {
        m_fbUser->setRecord(m_charge, m_userNames.value(m_charge));
        return;
    }
    if (CustomerStore().setCharge(m_ccode, code) == 0) {
        MsgWarn(kSaveFailed);
        m_fbUser->setRecord(m_charge, m_userNames.value(m_charge));
        return;
    }
    m_charge = code;
    MsgInfo(u"담당자가 변경되었습니다."_s);
}

void FrmSlip_sale::openForCustomer(const QString& screen, bool refreshSumsAfter)
{
    ScreenRequest request{m_ccode, {}, {}};
    if (refreshSumsAfter)
        request.closed = [this] { loadSums(); };
    OpenRegisteredScreen(this, screen, request);
}

void FrmSlip_sale::exportList()
{
    ExportToExcelFile(*m_list, ExcelExportOptions{});
}

void FrmSlip_sale::printList()
{
    GridPrinter(*m_list, kTitle, m_fbCust->Text() + u"  "_s + month()).preview(this);
}

void FrmSlip_sale::showTip()
{
    if (kTipHidden.get())
        return;
    const QString tip = lines({u"[ 전표사용 도움말 ]"_s, QString(40, u'='),
                               u"- 시트내 두번째 위치한 V컬럼은 세금계산서 발행여부를 표시합니다."_s,
                               u"- [블럭]버튼은 여러줄을 선택하기 쉽게 해줍니다.(드래그 지원)"_s,
                               u"- 블럭모드에서 시트의 좌측상단 모서리를 클릭할 경우 전체선택이 됩니다."_s,
                               u"- 거래처입력 단축키는 [F3]입니다."_s,
                               u"- 시트의 헤드라인(첫줄) 클릭시 해당 컬럼순으로 정렬이 됩니다."_s, QString(),
                               u"다음부터 이 메시지를 숨길까요?"_s});
    if (MsgYesNo(tip) == MsgAnswer::Yes)
        kTipHidden.set(true);
}

void FrmSlip_sale::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_tipShown) {
        m_tipShown = true;
        QTimer::singleShot(0, this, &FrmSlip_sale::showTip);
    }
}

void FrmSlip_sale::closeEvent(QCloseEvent* event)
{
    SaveFormIni(this);
    QWidget::closeEvent(event);
}

} // namespace asv
