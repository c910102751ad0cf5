#include "CustomerHistoryPanes.h"

#include "AsJobReceivers.h"
#include "FrmAS_SubAS.h"
#include "FrmAS_SubConsult2.h"
#include "FrmAS_SubDate.h"
#include "FrmAS_SubSell.h"
#include "Grid.h"
#include "HistoryPeriods.h"
#include "HistoryStore.h"
#include "ScreenOpener.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "RecordSet.h"

#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The lists belong to the desk window: its name goes into their error messages.
const QString kForm = u"frmAS_admin4"_s;

enum AsCol { AsDate, AsProduct, AsCharge, AsCode, AsType, AsBigo, AsState };
enum ConsultCol { ConDate, ConTime, ConUser, ConProduct, ConInquiry, ConCode, ConState };
enum SellCol { SellCode, SellDate, SellProduct, SellQnt, SellTotal };

// Width samples: a date, a name, a state, an amount.
const QString kDate = u"0000-00-00"_s;
const QString kName = u"홍길동홍"_s;
const QString kState = u"완료"_s;

void showCount(QLabel* label, int rows)
{
    label->setText(u"(총 : %1건)"_s.arg(rows));
}

// Binds column col to field of the record set by position: the AS statement names two fields "name".
void bindField(GridModel& cells, int col, int field)
{
    cells.bindColumn(col, [field](const RecordSet& rs, int row) { return rs.value(row, field); });
}

void bindState(GridModel& cells, int col, int field, const QHash<QString, QString>& texts)
{
    cells.bindColumn(col, [field, texts](const RecordSet& rs, int row) { return texts.value(rs.value(row, field)); });
}

} // namespace

CustomerHistoryPanes::CustomerHistoryPanes(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"CustomerHistoryPanes"_s);
    auto* setTermButton = NamedButton(this, u"btnSetTerm"_s, u"기간설정"_s);
    connect(setTermButton, &QPushButton::clicked, this, &CustomerHistoryPanes::setTerm);
    auto* column = new QVBoxLayout(this);
    column->addWidget(setTermButton, 0, Qt::AlignRight);
    // The codes only open the detail windows: the room goes to what the operator reads.
    m_asList = addList(column, u"AS"_s, u"AS 내역"_s,
                       {{u"접수일자"_s, kDate},
                        {u"상품명"_s, u"상품명상품명"_s},
                        {u"담당자"_s, kName},
                        {u"AS코드"_s, {}, true},
                        {u"AS유형"_s, kName},
                        {u"비고"_s, {}},
                        {u"상태"_s, kState}},
                       m_asCount);
    m_consultList = addList(column, u"Consult"_s, u"상담 내역"_s,
                            {{u"상담일자"_s, kDate},
                             {u"시간"_s, u"00:00"_s},
                             {u"상담자"_s, kName},
                             {u"상품명"_s, u"상품명상품명"_s},
                             {u"문의내용"_s, {}},
                             {u"수신번호"_s, {}, true},
                             {u"상태"_s, kState}},
                            m_consultCount);
    m_sellList = addList(column, u"Sell"_s, u"구매 내역"_s,
                         {{u"판매코드"_s, {}, true},
                          {u"판매일자"_s, kDate},
                          {u"상품명"_s, {}},
                          {u"수량"_s, u"0,000"_s},
                          {u"금액"_s, u"000,000,000"_s}},
                         m_sellCount);

    GridModel& as = m_asList->cells();
    static const std::pair<int, int> kAsFields[] = {{AsDate, 0}, {AsProduct, 4}, {AsCharge, 5},
                                                    {AsCode, 2}, {AsType, 6},    {AsBigo, 3}};
    for (const auto& [col, field] : kAsFields)
        bindField(as, col, field);
    bindState(as, AsState, 1, {{u"9"_s, u"완료"_s}, {u"0"_s, u"처리"_s}});

    GridModel& consult = m_consultList->cells();
    static const std::pair<int, int> kConsultFields[] = {{ConDate, 0},    {ConTime, 1},    {ConUser, 2},
                                                         {ConProduct, 4}, {ConInquiry, 7}, {ConCode, 6}};
    for (const auto& [col, field] : kConsultFields)
        bindField(consult, col, field);
    bindState(consult, ConState, 5, {{u"1"_s, u"미결"_s}, {u"2"_s, u"종결"_s}});

    m_sellList->cells().setNumberColumn(SellQnt, GetDecFormat(SharedOptions::current().qtyDecimals, true, true));
    m_sellList->cells().setNumberColumn(SellTotal, GetDecFormat(SharedOptions::current().amountDecimals, true, true));

    // A double click opens the job's results, as in the AS lists; Enter its read-only record.
    connect(m_asList, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { openResults(i.row()); });
    auto* enter = new QShortcut(QKeySequence(Qt::Key_Return), m_asList, nullptr, nullptr, Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this, [this] { openAS(m_asList->currentIndex().row()); });
    connect(m_consultList, &QAbstractItemView::activated, this,
            [this](const QModelIndex& i) { openConsult(i.row()); });
    connect(m_sellList, &QAbstractItemView::activated, this, [this](const QModelIndex& i) { openSell(i.row()); });

    HistoryPeriods::endAllToday();
    m_endsSetOn = Clock::today();
}

Grid* CustomerHistoryPanes::addList(QVBoxLayout* column, const QString& kind, const QString& title,
                                    const QList<ColumnDef>& columns, QLabel*& count)
{
    auto* grid = new Grid(this);
    grid->setObjectName(u"spList"_s + kind);
    QStringList captions;
    for (const ColumnDef& c : columns)
        captions << c.caption;
    grid->setColumns(captions);
    const QFontMetrics metrics = grid->fontMetrics();
    constexpr int kCellMargin = 16;
    for (int c = 0; c < columns.size(); ++c) {
        if (columns[c].hidden)
            grid->setColumnInitHidden(c, true);
        else if (columns[c].sample.isEmpty())
            grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
        else
            grid->setColumnWidth(c, std::max(metrics.horizontalAdvance(columns[c].sample),
                                             metrics.horizontalAdvance(columns[c].caption)) + kCellMargin);
    }
    grid->rememberDesignedLayout();
    count = new QLabel(this);
    count->setObjectName(u"lblCount"_s + kind);
    showCount(count, 0);
    auto* heading = new QHBoxLayout;
    heading->addWidget(new QLabel(title, this));
    heading->addStretch();
    heading->addWidget(count);
    column->addLayout(heading);
    column->addWidget(grid, 1);
    return grid;
}

void CustomerHistoryPanes::keepEndsAtToday()
{
    if (Clock::today() == m_endsSetOn)
        return;
    HistoryPeriods::endAllToday();
    m_endsSetOn = Clock::today();
}

void CustomerHistoryPanes::showCustomer(const QString& ccode, const QString& number)
{
    ShowASList(ccode);
    ShowConsultList(ccode, number);
    ShowSellList(ccode);
}

void CustomerHistoryPanes::fill(Grid* grid, QLabel* count, const QString& procedure, bool hasCaller,
                                const std::function<RecordSetPtr()>& read)
{
    keepEndsAtToday();
    grid->cells().clearRows();
    if (hasCaller) {
        Guarded(procedure, u"Form"_s, kForm, 0, [&] {
            grid->cells().setRecordSet(read());
            return 0;
        });
    }
    showCount(count, grid->rowCount());
}

void CustomerHistoryPanes::ShowASList(const QString& ccode)
{
    m_ccode = ccode;
    fill(m_asList, m_asCount, u"ShowASList"_s, !ccode.isEmpty(),
         [&] { return HistoryStore().asJobs(ccode, HistoryPeriods::AS.read()); });
}

void CustomerHistoryPanes::ShowConsultList(const QString& ccode, const QString& number)
{
    m_ccode = ccode;
    m_number = number;
    fill(m_consultList, m_consultCount, u"ShowConsultList"_s, true,
         [&] { return HistoryStore().consultations(ccode, number, HistoryPeriods::Consult.read()); });
}

void CustomerHistoryPanes::ShowSellList(const QString& ccode)
{
    m_ccode = ccode;
    fill(m_sellList, m_sellCount, u"ShowSellList"_s, !ccode.isEmpty(),
         [&] { return HistoryStore().sales(ccode, HistoryPeriods::Sell.read()); });
}

void CustomerHistoryPanes::setTerm()
{
    FrmAS_SubDate window(this);
    window.exec();
    m_endsSetOn = Clock::today();
    showCustomer(m_ccode, m_number);
}

void CustomerHistoryPanes::openResults(int row)
{
    if (row < 0)
        return;
    const QString contents = m_asList->text(row, AsBigo) + u" , "_s + m_asList->text(row, AsType);
    ScreenRequest request;
    request.prepare = [job = m_asList->text(row, AsCode).toInt(), ccode = m_ccode, contents](QWidget* opened) {
        if (auto* results = dynamic_cast<AsJobResultReceiver*>(opened))
            results->SetFormMode(job, ccode, contents);
    };
    request.closed = [this] {
        ShowASList(m_ccode);
        emit jobResultsClosed();
    };
    OpenRegisteredScreen(this, kAsResultScreen, request);
}

void CustomerHistoryPanes::openAS(int row)
{
    if (row < 0)
        return;
    FrmAS_SubAS window(this);
    window.ShowData(m_asList->text(row, AsCode).toInt());
    window.exec();
    ShowASList(m_ccode);
}

void CustomerHistoryPanes::openConsult(int row)
{
    const QString code = m_consultList->text(row, ConCode);
    FrmAS_SubConsult2 window(this);
    window.ShowData(code.toInt());
    if (window.exec() != QDialog::Accepted)
        return;
    ShowConsultList(m_ccode, m_number);
    emit consultCorrected(code);
}

void CustomerHistoryPanes::openSell(int row)
{
    FrmAS_SubSell window(this);
    window.ShowData(m_sellList->text(row, SellCode).toInt());
    window.exec();
}

} // namespace asv
