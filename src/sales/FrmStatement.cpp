#include "FrmStatement.h"

#include "DocumentPrinter.h"
#include "FrmSlip_sale.h"
#include "Grid.h"
#include "HCTerm.h"
#include "Paths.h"
#include "RecordEditor.h"
#include "ScreenOpener.h"
#include "Setting.h"
#include "SharedOptions.h"
#include "StatementLayout.h"
#include "StatementStore.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "ucFindBox.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kTitle = u"거래명세표"_s;
const Setting<bool> kCopyPerPage{u"Config"_s, u"거래명세표_한장씩"_s, false};

enum Col { ColDate, ColProduct, ColNorm, ColQty, ColPrice, ColAmount, ColTax, ColumnCount };

// Characters a file name cannot carry on the desktops the PDF may be copied to.
QString fileNamePart(QString text)
{
    static const QString bad = u"\\/:*?\"<>|"_s;
    for (QChar& c : text) {
        if (bad.contains(c) || c.isSpace())
            c = u'_';
    }
    return text;
}

} // namespace

FrmStatement::FrmStatement(QWidget* parent)
    : QWidget(parent), m_fbCust(new ucFindBox(this)), m_hmDate(new HCTerm(this)),
      m_chkCopyPerPage(new QCheckBox(u"공급자용/공급받는자용 각 한 장씩"_s, this)), m_list(new Grid(this)),
      m_lblSum(new QLabel(this))
{
    setObjectName(u"FrmStatement"_s);
    setWindowTitle(u"거래명세표 발행"_s);
    m_fbCust->setObjectName(u"fbCust"_s);
    m_fbCust->setFindType(ucFindBox::FindCustKind);
    m_hmDate->setObjectName(u"hmDate"_s);
    m_hmDate->setThisMonth();
    m_chkCopyPerPage->setObjectName(u"chkCopyPerPage"_s);
    m_chkCopyPerPage->setChecked(kCopyPerPage.get());
    m_lblSum->setObjectName(u"lblSum"_s);
    m_list->setObjectName(u"spList"_s);
    m_list->setColumns({u"일자"_s, u"품목"_s, u"규격"_s, u"수량"_s, u"단가"_s, u"공급가액"_s, u"세액"_s});
    const SharedOptions& o = SharedOptions::current();
    GridModel& cells = m_list->cells();
    cells.setNumberColumn(ColQty, GetDecFormat(o.qtyDecimals, true, true));
    cells.setNumberColumn(ColPrice, GetDecFormat(o.priceDecimals, true, true));
    cells.setNumberColumn(ColAmount, GetDecFormat(o.amountDecimals, true, true));
    cells.setNumberColumn(ColTax, GetDecFormat(o.amountDecimals, true, true));
    for (int c = 0; c < ColumnCount; ++c)
        cells.setEditable(c, false);

    QPushButton* btnQuery = NamedButton(this, u"btnQuery"_s, u"조회 F5"_s);
    QPushButton* btnPreview = NamedButton(this, u"btnPreview"_s, u"미리보기"_s);
    QPushButton* btnPrint = NamedButton(this, u"btnPrint"_s, u"인쇄"_s);
    QPushButton* btnPdf = NamedButton(this, u"btnPdf"_s, u"PDF 저장"_s);
    QPushButton* btnMail = NamedButton(this, u"btnMail"_s, u"메일 전송"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    btnQuery->setShortcut(Qt::Key_F5);

    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(u"거래처:"_s, this));
    filter->addWidget(m_fbCust, 2);
    filter->addWidget(new QLabel(u"기간:"_s, this));
    filter->addWidget(m_hmDate);
    filter->addWidget(btnQuery);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_chkCopyPerPage);
    buttons->addStretch();
    for (QPushButton* b : {btnPreview, btnPrint, btnPdf, btnMail, btnClose})
        buttons->addWidget(b);
    auto* main = new QVBoxLayout(this);
    main->addLayout(filter);
    main->addWidget(m_list, 1);
    main->addWidget(m_lblSum);
    main->addLayout(buttons);

    connect(m_fbCust, &ucFindBox::found, this, [this] {
        m_codes.clear();
        query();
    });
    connect(btnQuery, &QPushButton::clicked, this, [this] {
        m_codes.clear();
        query();
    });
    connect(m_chkCopyPerPage, &QCheckBox::toggled, this, [](bool on) { kCopyPerPage.set(on); });
    connect(btnPreview, &QPushButton::clicked, this, [this] { output(DocumentPrinter::Preview); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { output(DocumentPrinter::Printer); });
    connect(btnPdf, &QPushButton::clicked, this, [this] { output(DocumentPrinter::Pdf); });
    connect(btnMail, &QPushButton::clicked, this, &FrmStatement::mail);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
}

void FrmStatement::openFromSlip(FrmSlip_sale* slip)
{
    const Grid* list = slip->list();
    QList<int> codes;
    for (int row : list->selectedRows()) {
        if (const int code = list->text(row, FrmSlip_sale::ColCode).toInt(); code > 0)
            codes.append(code);
    }
    const int active = list->activeRow();
    const QString day = active >= 0 && !list->text(active, FrmSlip_sale::ColCode).isEmpty()
                            ? list->text(active, FrmSlip_sale::ColDay)
                            : QString();
    if (slip->customer().isEmpty() || (codes.size() < 2 && day.isEmpty())) {
        MsgInfo(u"먼저 그리드에서 거래명세표를 발행할 자료를 선택하세요."_s);
        return;
    }
    auto* window = new FrmStatement;
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (codes.size() >= 2) {
        window->showLines(slip->customer(), codes);
    } else {
        const QString date = slip->month() + u'-' + day.rightJustified(2, u'0');
        window->showPeriod(slip->customer(), date, date);
    }
    ShowBeside(slip, window);
}

void FrmStatement::showPeriod(const QString& ccode, const QString& from, const QString& to)
{
    m_codes.clear();
    m_fbCust->FindName(ccode);
    m_hmDate->SetText1(from);
    m_hmDate->SetText2(to);
    query();
}

void FrmStatement::showLines(const QString& ccode, const QList<int>& codes)
{
    m_fbCust->FindName(ccode);
    m_codes = codes;
    query();
    m_hmDate->SetText1(m_statement.from);
    m_hmDate->SetText2(m_statement.to);
}

void FrmStatement::query()
{
    const QString ccode = m_fbCust->code();
    if (ccode.isEmpty()) {
        MsgInfo(RecordEditor::requiredMessage(u"거래처"_s), RecordEditor::requiredTitle());
        return;
    }
    const std::optional<QDate> from = m_hmDate->from();
    const std::optional<QDate> to = m_hmDate->to();
    if (m_codes.isEmpty() && (!from || !to || *from > *to)) {
        MsgInfo(u"기간이 잘못 입력되었습니다."_s);
        return;
    }
    m_statement = Guarded(u"query"_s, u"Form"_s, objectName(), Statement{}, [&] {
        return m_codes.isEmpty() ? StatementStore().forPeriod(ccode, from->toString(u"yyyy-MM-dd"_s),
                                                              to->toString(u"yyyy-MM-dd"_s))
                                 : StatementStore().forLines(ccode, m_codes);
    });
    showStatement();
}

void FrmStatement::showStatement()
{
    const Statement& s = m_statement;
    GridModel& cells = m_list->cells();
    cells.setRowCount(static_cast<int>(s.lines.size()));
    for (int row = 0; row < s.lines.size(); ++row) {
        const StatementLine& l = s.lines[row];
        cells.setText(row, ColDate, l.date);
        cells.setText(row, ColProduct, l.product);
        cells.setText(row, ColNorm, l.norm);
        cells.setText(row, ColQty, QString::number(l.qty, 'f', 4));
        cells.setText(row, ColPrice, QString::number(l.price, 'f', 4));
        cells.setText(row, ColAmount, QString::number(l.amount, 'f', 4));
        cells.setText(row, ColTax, QString::number(l.tax, 'f', 4));
    }
    m_lblSum->setText(u"전잔액 %1  +  합계 %2  -  입금액 %3  =  잔액 %4"_s.arg(
        StatementLayout::amountText(s.previousBalance), StatementLayout::amountText(s.total()),
        StatementLayout::amountText(s.received), StatementLayout::amountText(s.balanceAfter())));
    if (s.lines.isEmpty())
        ShowNotice(u"검색된 결과가 없습니다."_s);
}

bool FrmStatement::hasLines() const
{
    if (!m_statement.lines.isEmpty())
        return true;
    MsgInfo(u"발행할 거래내역이 없습니다. 거래처와 기간을 조회하세요."_s);
    return false;
}

bool FrmStatement::output(DocumentPrinter::Output kind, const QString& path)
{
    if (!hasLines())
        return false;
    StatementLayout layout(m_statement, m_chkCopyPerPage->isChecked());
    DocumentPrinter printer(layout, kTitle, kTitle + u' ' + m_statement.recipient.name,
                            StatementLayout::defaultPageLayout());
    return printer.run(kind, this, path);
}

bool FrmStatement::mail()
{
    if (!hasLines())
        return false;
    const Statement& s = m_statement;
    const QString folder = Paths::file(u"Doc"_s);
    QDir().mkpath(folder);
    const QString path = folder + u"/거래명세표_"_s + fileNamePart(s.recipient.name) + u'_' + s.from + u'_' + s.to
                         + u".pdf"_s;
    if (!output(DocumentPrinter::Pdf, path)) {
        MsgWarn(u"거래명세표 파일을 만들 수 없습니다."_s + u'\n' + path);
        return false;
    }
    const QString period = s.from == s.to ? s.from : s.from + u" ~ "_s + s.to;
    OpenMailScreen(this, {s.recipient.name, s.email, u"[거래명세표] "_s + s.supplier.name + u" ("_s + period + u')', {path}});
    return true;
}

} // namespace asv
