#include "FrmGallery.h"

#include "Grid.h"
#include "GridPrinter.h"
#include "HCTerm.h"
#include "HCText.h"
#include "SharedOptions.h"
#include "hcDate.h"
#include "mdlCommonOstra.h"
#include "modExcel.h"
#include "modFormIni.h"
#include "RecordSet.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

enum Col { Tick, Code, Name, Ceo, Tel, Qty, Price, Amount, Vat, Total, State, Memo, ColCount };

} // namespace

RecordSetPtr FrmGallery::sampleRows(int count)
{
    static const QStringList firms = {u"한빛전자"_s, u"대성상사"_s, u"푸른산업"_s, u"미래정보통신"_s,
                                      u"동해물산"_s, u"세종테크"_s, u"가람유통"_s, u"한결설비"_s};
    static const QStringList people = {u"김민준"_s, u"이서연"_s, u"박지훈"_s, u"최유나"_s, u"정우성"_s,
                                       u"강하늘"_s, u"윤서준"_s};
    static const QStringList states = {u"접수"_s, u"확인"_s, u"완료"_s, u"미처리"_s};

    auto rs = std::make_shared<RecordSet>();
    rs->setFields({u"tick"_s, u"code"_s, u"compname"_s, u"ceoname"_s, u"telno1"_s, u"qnt"_s, u"price"_s,
                   u"amount"_s, u"tax"_s, u"state"_s, u"bigo"_s});
    for (int i = 0; i < count; ++i) {
        const int qty = 1 + i % 7;
        const int price = 1000 * (3 + (i * 37) % 120);
        const int amount = qty * price;
        const QStringList values = {
            i % 5 == 0 ? u"1"_s : QString(),
            u"%1"_s.arg(i + 1, 6, 10, QChar(u'0')),
            (i % 3 == 0 ? u"(주)"_s : QString()) + firms[i % firms.size()] + QString::number(i / firms.size() + 1),
            people[i % people.size()],
            u"0%1-%2-%3"_s.arg(2 + i % 60).arg(100 + i % 900).arg(1000 + (i * 7919) % 9000),
            QString::number(qty),
            QString::number(price),
            QString::number(amount),
            QString::number(amount / 10),
            states[i % states.size()],
            i % 4 == 0 ? u"방문 예정"_s : QString(),
        };
        rs->appendTextRow(values);
    }
    rs->finish();
    return rs;
}

FrmGallery::FrmGallery(QWidget* parent) : QWidget(parent), m_list(new Grid(this))
{
    setObjectName(u"FrmGallery"_s);
    setWindowTitle(u"컨트롤 견본"_s);
    resize(1000, 640);

    auto* name = new HCText(this);
    name->setObjectName(u"htName"_s);
    name->SetText(u"한글 입력 견본"_s);
    auto* amount = new HCText(this);
    amount->setObjectName(u"htAmount"_s);
    amount->setAcceptType(HCText::Number);
    amount->setShowSeparate(true);
    amount->SetText(u"1234567"_s);
    auto* date = new hcDate(this);
    date->setObjectName(u"hcDate1"_s);
    auto* term = new HCTerm(this);
    term->setObjectName(u"htTerm"_s);

    auto* inputs = new QHBoxLayout;
    inputs->addWidget(new QLabel(u"상호"_s, this));
    inputs->addWidget(name);
    inputs->addWidget(new QLabel(u"금액"_s, this));
    inputs->addWidget(amount);
    inputs->addWidget(new QLabel(u"일자"_s, this));
    inputs->addWidget(date);
    inputs->addWidget(new QLabel(u"기간"_s, this));
    inputs->addWidget(term);
    inputs->addStretch();

    m_list->setObjectName(u"spList"_s);
    m_list->setColumns({u"선택"_s, u"코드"_s, u"상호"_s, u"대표자"_s, u"전화번호"_s, u"수량"_s, u"단가"_s,
                        u"금액"_s, u"부가세"_s, u"합계"_s, u"상태"_s, u"메모"_s});
    GridModel& cells = m_list->cells();
    const SharedOptions& options = SharedOptions::current();
    const QStringList fields = {u"tick"_s, u"code"_s, u"compname"_s, u"ceoname"_s, u"telno1"_s, u"qnt"_s,
                                u"price"_s, u"amount"_s, u"tax"_s, QString(), u"state"_s, u"bigo"_s};
    for (int c = 0; c < ColCount; ++c) {
        if (!fields[c].isEmpty())
            cells.bindColumn(c, fields[c]);
    }
    cells.setCheckColumn(Tick);
    cells.setEditable(Tick, true);
    cells.setNumberColumn(Qty, GetDecFormat(options.qtyDecimals, true, true));
    cells.setNumberColumn(Price, GetDecFormat(options.priceDecimals, true, true));
    cells.setNumberColumn(Amount, GetDecFormat(options.amountDecimals, true, true));
    cells.setNumberColumn(Vat, GetDecFormat(options.amountDecimals, true, true));
    cells.setFormulaColumn(Total, {{Amount, 1.0}, {Vat, 1.0}}, GetDecFormat(options.amountDecimals, true, true));
    cells.setEditable(Memo, true);
    const QList<int> widths = {40, 70, 160, 80, 110, 60, 80, 90, 80, 90, 60, 160};
    for (int c = 0; c < ColCount; ++c)
        m_list->setColumnWidth(c, widths[c]);
    m_list->setSelectionKind(Grid::SelectionKind::MultiRow);

    cells.setRecordSet(sampleRows(300));
    for (int r = 0; r < m_list->rowCount(); ++r) {
        const QString state = cells.text(r, State);
        if (state == u"접수"_s)
            cells.setCellColors(r, State, Qt::blue, {});
        else if (state == u"미처리"_s)
            cells.setCellColors(r, State, Qt::red, {});
    }
    cells.setAfterEdit([this](int row, int col, const QString& oldText, const QString&) {
        if (col == Memo && !oldText.isEmpty())
            m_list->confirmCellChange(row, col, oldText);
    });

    auto* preview = new QPushButton(u"인쇄 미리보기"_s, this);
    preview->setObjectName(u"btnPreview"_s);
    connect(preview, &QPushButton::clicked, this,
            [this] { GridPrinter(*m_list, u"거래처 리스트"_s, u"견본 자료 300건"_s).preview(this); });
    auto* excel = new QPushButton(u"엑셀로 내보내기"_s, this);
    excel->setObjectName(u"btnExcel"_s);
    connect(excel, &QPushButton::clicked, this, [this] { ExportToExcelFile(*m_list, ExcelExportOptions{}); });
    auto* close = new QPushButton(u"닫기"_s, this);
    close->setObjectName(u"btnClose"_s);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(preview);
    buttons->addWidget(excel);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    LoadFormIni(this);
}

void FrmGallery::closeEvent(QCloseEvent* event)
{
    SaveFormIni(this);
    event->accept();
}

} // namespace asv
