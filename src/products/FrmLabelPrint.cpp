#include "FrmLabelPrint.h"

#include "DocumentPrinter.h"
#include "Grid.h"
#include "LabelSheet.h"
#include "ScreenOpener.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

enum Col { ColCode, ColBarcode, ColName, ColNorm, ColPrice, ColCount, ColumnCount };
const QString kTitle = u"바코드 라벨 인쇄"_s;
constexpr int kMaxCount = 9999;

QDoubleSpinBox* millimetres(QWidget* parent, const QString& name)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, 300);
    box->setDecimals(2);
    box->setSuffix(u" mm"_s);
    return box;
}

QSpinBox* whole(QWidget* parent, const QString& name, int max)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(1, max);
    return box;
}

} // namespace

FrmLabelPrint::FrmLabelPrint(QWidget* parent)
    : QWidget(parent), m_list(new Grid(this)), m_cmbLayout(new QComboBox(this)), m_start(whole(this, u"spnStart"_s, 1)),
      m_name(new QLineEdit(this)), m_roll(new QCheckBox(u"롤 라벨 (한 장에 하나)"_s, this)),
      m_rows(whole(this, u"spnRows"_s, 50)), m_columns(whole(this, u"spnColumns"_s, 20)),
      m_width(millimetres(this, u"dblWidth"_s)), m_height(millimetres(this, u"dblHeight"_s)),
      m_left(millimetres(this, u"dblLeft"_s)), m_top(millimetres(this, u"dblTop"_s)),
      m_gapX(millimetres(this, u"dblGapX"_s)), m_gapY(millimetres(this, u"dblGapY"_s))
{
    setObjectName(u"FrmLabelPrint"_s);
    setWindowTitle(kTitle);
    m_list->setObjectName(u"spList"_s);
    m_list->setColumns({u"코드"_s, u"바코드"_s, u"상품명"_s, u"규격"_s, u"판매단가"_s, u"매수"_s});
    m_list->cells().setNumberColumn(ColPrice, GetDecFormat(SharedOptions::current().priceDecimals, true, true));
    m_list->cells().setNumberColumn(ColCount, GetDecFormat(0, true, true));
    for (int c = 0; c < ColumnCount; ++c)
        m_list->cells().setEditable(c, c == ColCount);
    m_cmbLayout->setObjectName(u"cmbLayout"_s);
    m_name->setObjectName(u"txtLayoutName"_s);
    m_roll->setObjectName(u"chkRoll"_s);

    auto* sheet = new QGroupBox(u"라벨용지"_s, this);
    auto* form = new QFormLayout(sheet);
    form->addRow(u"이름"_s, m_name);
    form->addRow(m_roll);
    auto* grid = new QHBoxLayout;
    grid->addWidget(m_rows);
    grid->addWidget(new QLabel(u"줄 ×"_s, sheet));
    grid->addWidget(m_columns);
    grid->addWidget(new QLabel(u"칸"_s, sheet));
    form->addRow(u"배열"_s, grid);
    form->addRow(u"라벨 가로"_s, m_width);
    form->addRow(u"라벨 세로"_s, m_height);
    form->addRow(u"왼쪽 여백"_s, m_left);
    form->addRow(u"위쪽 여백"_s, m_top);
    form->addRow(u"가로 간격"_s, m_gapX);
    form->addRow(u"세로 간격"_s, m_gapY);
    auto* layoutButtons = new QHBoxLayout;
    QPushButton* saveLayout = NamedButton(sheet, u"btnSaveLayout"_s, u"용지 저장"_s);
    QPushButton* removeLayout = NamedButton(sheet, u"btnDelLayout"_s, u"용지 삭제"_s);
    layoutButtons->addWidget(saveLayout);
    layoutButtons->addWidget(removeLayout);
    form->addRow(layoutButtons);

    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(u"라벨용지"_s, this));
    choice->addWidget(m_cmbLayout, 1);
    choice->addWidget(new QLabel(u"시작 위치"_s, this));
    choice->addWidget(m_start);

    QPushButton* preview = NamedButton(this, u"btnPreview"_s, u"미리보기"_s);
    QPushButton* print = NamedButton(this, u"btnPrint"_s, u"인쇄"_s);
    QPushButton* pdf = NamedButton(this, u"btnPdf"_s, u"PDF 저장"_s);
    QPushButton* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {preview, print, pdf, close})
        buttons->addWidget(b);

    auto* left = new QVBoxLayout;
    left->addLayout(choice);
    left->addWidget(m_list, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(sheet);
    auto* main = new QVBoxLayout(this);
    main->addLayout(body, 1);
    main->addLayout(buttons);

    connect(m_cmbLayout, &QComboBox::currentIndexChanged, this, &FrmLabelPrint::showLayout);
    connect(saveLayout, &QPushButton::clicked, this, &FrmLabelPrint::saveLayout);
    connect(removeLayout, &QPushButton::clicked, this, &FrmLabelPrint::removeLayout);
    connect(preview, &QPushButton::clicked, this, [this] { output(DocumentPrinter::Preview); });
    connect(print, &QPushButton::clicked, this, [this] { output(DocumentPrinter::Printer); });
    connect(pdf, &QPushButton::clicked, this, [this] { output(DocumentPrinter::Pdf); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    fillLayouts({});
}

void FrmLabelPrint::openFor(QWidget* from, const Grid& list, int codeColumn)
{
    QStringList codes;
    for (int row : list.selectedRows()) {
        const QString code = list.text(row, codeColumn);
        if (!code.isEmpty() && !codes.contains(code))
            codes.append(code);
    }
    if (codes.isEmpty()) {
        MsgInfo(u"먼저 그리드에서 라벨을 인쇄할 상품을 선택하세요."_s);
        return;
    }
    auto* window = new FrmLabelPrint;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setProducts(codes);
    ShowBeside(from, window);
}

void FrmLabelPrint::setProducts(const QStringList& codes)
{
    m_products = Guarded(u"setProducts"_s, u"Form"_s, objectName(), QList<ProductLabel>{},
                         [&] { return ProductLabel::load(codes); });
    GridModel& cells = m_list->cells();
    cells.setRowCount(static_cast<int>(m_products.size()));
    for (int row = 0; row < m_products.size(); ++row) {
        const ProductLabel& p = m_products[row];
        cells.setText(row, ColCode, p.code);
        cells.setText(row, ColBarcode, p.barcode);
        cells.setText(row, ColName, p.name);
        cells.setText(row, ColNorm, p.norm);
        cells.setText(row, ColPrice, QString::number(p.price, 'f', 4));
        cells.setText(row, ColCount, u"1"_s);
    }
}

QList<ProductLabel> FrmLabelPrint::labels() const
{
    QList<ProductLabel> out;
    for (int row = 0; row < m_products.size(); ++row) {
        const int count = std::clamp(static_cast<int>(m_list->cells().number(row, ColCount)), 0, kMaxCount);
        for (int i = 0; i < count; ++i)
            out.append(m_products[row]);
    }
    return out;
}

LabelSheetLayout FrmLabelPrint::chosenLayout() const
{
    const int i = m_cmbLayout->currentIndex();
    return i >= 0 && i < m_layouts.size() ? m_layouts[i] : LabelSheetLayout{};
}

std::unique_ptr<LabelSheet> FrmLabelPrint::document() const
{
    const QList<ProductLabel> all = labels();
    if (all.isEmpty()) {
        MsgInfo(u"인쇄할 라벨이 없습니다. 매수를 확인하세요."_s);
        return nullptr;
    }
    auto sheet = std::make_unique<LabelSheet>(chosenLayout(), all, m_start->value());
    const QStringList bad = sheet->unprintable();
    if (!bad.isEmpty())
        MsgInfo(u"다음 상품의 라벨은 바코드 없이 인쇄됩니다."_s + u"\n\n"_s + bad.join(u'\n'));
    return sheet;
}

bool FrmLabelPrint::output(DocumentPrinter::Output kind, const QString& path)
{
    const std::unique_ptr<LabelSheet> sheet = document();
    if (!sheet)
        return false;
    const LabelSheetLayout& layout = sheet->layout();
    DocumentPrinter printer(*sheet, layout.roll ? u"라벨_롤"_s : u"라벨_시트"_s, kTitle, sheet->defaultPageLayout());
    printer.setFixedPaper(true);
    return printer.run(kind, this, path);
}

void FrmLabelPrint::fillLayouts(const QString& select)
{
    m_layouts = LabelSheetLayout::all();
    const QSignalBlocker block(m_cmbLayout);
    m_cmbLayout->clear();
    for (const LabelSheetLayout& l : std::as_const(m_layouts))
        m_cmbLayout->addItem(l.name);
    m_cmbLayout->setCurrentIndex(std::max(0, m_cmbLayout->findText(select)));
    showLayout();
}

void FrmLabelPrint::showLayout()
{
    const LabelSheetLayout l = chosenLayout();
    m_name->setText(l.name);
    m_roll->setChecked(l.roll);
    m_rows->setValue(l.rows);
    m_columns->setValue(l.columns);
    m_width->setValue(l.labelWidth);
    m_height->setValue(l.labelHeight);
    m_left->setValue(l.marginLeft);
    m_top->setValue(l.marginTop);
    m_gapX->setValue(l.gapX);
    m_gapY->setValue(l.gapY);
    m_start->setRange(1, l.perPage());
}

void FrmLabelPrint::saveLayout()
{
    LabelSheetLayout l;
    l.name = m_name->text().trimmed();
    l.roll = m_roll->isChecked();
    l.rows = m_rows->value();
    l.columns = m_columns->value();
    l.labelWidth = m_width->value();
    l.labelHeight = m_height->value();
    l.marginLeft = m_left->value();
    l.marginTop = m_top->value();
    l.gapX = m_gapX->value();
    l.gapY = m_gapY->value();
    if (const QString problem = l.problem(); !problem.isEmpty()) {
        MsgInfo(problem);
        return;
    }
    for (const LabelSheetLayout& b : LabelSheetLayout::builtIn()) {
        if (b.name == l.name) {
            MsgInfo(u"기본 라벨용지의 이름은 쓸 수 없습니다."_s);
            return;
        }
    }
    LabelSheetLayout::save(l);
    fillLayouts(l.name);
    ShowNotice(u"저장하였습니다."_s);
}

void FrmLabelPrint::removeLayout()
{
    const QString name = chosenLayout().name;
    for (const LabelSheetLayout& b : LabelSheetLayout::builtIn()) {
        if (b.name == name) {
            MsgInfo(u"기본 라벨용지는 삭제할 수 없습니다."_s);
            return;
        }
    }
    LabelSheetLayout::remove(name);
    fillLayouts({});
}

} // namespace asv
