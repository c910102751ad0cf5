#include "FrmAsCode_save.h"

#include "AsCodeStore.h"
#include "Cp949.h"
#include "Grid.h"
#include "HCTextRules.h"
#include "SharedOptions.h"
#include "SqlNumber.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modFormIni.h"
#include "modMsgBox.h"
#include "ucFindBox.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

enum Col { ColCode, ColName, ColAmount, ColCount };

const QString kForm = u"FrmAsCode_save"_s;

// The instance on screen, closed when the AS dialogs open a fresh one.
QPointer<FrmAsCode_save>& openInstance()
{
    static QPointer<FrmAsCode_save> instance;
    return instance;
}

void addEmptyRowIfNeeded(Grid* grid)
{
    const int rows = grid->rowCount();
    if (rows == 0 || !grid->cells().isRowBlank(rows - 1))
        grid->cells().setRowCount(rows + 1);
}

} // namespace

FrmAsCode_save::FrmAsCode_save(QWidget* parent) : QWidget(parent), m_fbProd(new ucFindBox(this))
{
    openInstance() = this;
    setObjectName(kForm);
    setWindowTitle(u"A/S 코드 관리"_s);
    resize(900, 520);

    auto* banner = new QLabel(u"상품별  AS코드를 관리합니다."_s, this);
    m_fbProd->setObjectName(u"fbProd"_s);
    m_fbProd->setFindType(ucFindBox::FindProdKind);
    auto* query = NamedButton(this, u"btnQuery"_s, u"조회(F5)"_s);
    auto* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(u"상품검색"_s, this));
    search->addWidget(m_fbProd, 1);
    search->addWidget(query);

    static const QStringList kCaptions = {u"A/S 접수코드"_s, u"A/S 원인코드"_s, u"A/S 결과코드"_s};
    const QString amountFormat = GetDecFormat(SharedOptions::current().amountDecimals, true, true);
    auto* lists = new QHBoxLayout;
    for (int part = 0; part < 3; ++part) {
        auto* grid = new Grid(this);
        m_lists[static_cast<size_t>(part)] = grid;
        grid->setObjectName(u"spList"_s + QString::number(part));
        grid->setColumns({u"코드"_s, kCaptions[part], u"금액"_s});
        GridModel& cells = grid->cells();
        cells.setNumberColumn(ColAmount, amountFormat);
        cells.setEditable(ColName, true);
        cells.setEditable(ColAmount, true);
        grid->setColumnInitHidden(ColCode, true);
        grid->setColumnWidth(ColName, 150);
        grid->setColumnWidth(ColAmount, 80);
        grid->rememberDesignedLayout();
        grid->installEventFilter(this);
        cells.setAfterEdit([this, part](int row, int col, const QString& oldText, const QString& newText) {
            cellEdited(part, row, col, oldText, newText);
        });
        auto* remove = NamedButton(this, u"btnRecDel"_s + QString::number(part), u"삭제(F4)"_s);
        connect(remove, &QPushButton::clicked, this, [this, part] { deleteSelected(part); });
        auto* column = new QVBoxLayout;
        column->addWidget(grid, 1);
        column->addWidget(remove, 0, Qt::AlignRight);
        lists->addLayout(column, 1);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addLayout(search);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    connect(query, &QPushButton::clicked, this, &FrmAsCode_save::query);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_fbProd, &ucFindBox::found, this, &FrmAsCode_save::query);
    connect(m_fbProd, &ucFindBox::keyDown, this, [this](int key) { formKey(key); });
    connect(m_fbProd->editor(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            clearLists();
    });
    // The lists' input language is left to the desktop's input method.

    LoadFormIni(this);
}

void FrmAsCode_save::showModal(QWidget* owner, const Pick& product, int part)
{
    if (QWidget* open = openInstance()) {
        // Inside the main window the frame closes with the screen.
        if (auto* frame = qobject_cast<QMdiSubWindow*>(open->parentWidget()))
            frame->close();
        else
            open->close();
    }
    auto* screen = new FrmAsCode_save(owner);
    screen->setWindowFlag(Qt::Window);
    screen->setWindowModality(Qt::ApplicationModal);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QEventLoop untilClosed;
    connect(screen, &QObject::destroyed, &untilClosed, &QEventLoop::quit);
    screen->show();
    if (!product.isEmpty())
        screen->showProduct(product);
    screen->list(part)->setFocus();
    untilClosed.exec();
}

void FrmAsCode_save::showProduct(const Pick& product)
{
    m_fbProd->setRecord(product.code, product.name);
    query();
}

void FrmAsCode_save::query()
{
    if (m_fbProd->code().isEmpty()) {
        MsgInfo(u"상품명을 먼저 입력하세요."_s);
        return;
    }
    Guarded(u"btnQuery_Click"_s, u"Form"_s, kForm, 0, [this] {
        m_pcode = m_fbProd->code();
        for (int part = 0; part < 3; ++part)
            loadList(part);
        return 0;
    });
}

void FrmAsCode_save::loadList(int part)
{
    Grid* grid = list(part);
    GridModel& cells = grid->cells();
    cells.clearRows();
    const QList<AsCodeRecord> codes = AsCodeStore().list(m_pcode, part);
    cells.setRowCount(static_cast<int>(codes.size()));
    const auto& fields = AsCodeRecord::fields();
    static const QStringList kColumns = {u"code"_s, u"name"_s, u"amount"_s};
    for (int row = 0; row < codes.size(); ++row) {
        for (int col = 0; col < ColCount; ++col)
            cells.setText(row, col, fields.text(fields.field(kColumns[col]), codes[row]));
    }
    if (!codes.isEmpty())
        grid->setCurrentIndex(cells.index(0, ColName));
    cells.setRowCount(cells.rowCount() + 1);
}

void FrmAsCode_save::clearLists()
{
    m_pcode.clear();
    for (Grid* grid : m_lists)
        grid->cells().clearRows();
}

void FrmAsCode_save::cellEdited(int part, int row, int col, const QString& oldText, const QString& newText)
{
    Grid* grid = list(part);
    const bool existingRow = row < grid->rowCount() - 1;
    if (existingRow && !grid->confirmCellChange(row, col, oldText))
        return;
    QString text = newText;
    if (col == ColName) {
        // The cell editor has no byte limit of its own: cut as the name fields do.
        const int limit = AsCodeRecord::fields().field(u"name"_s).bytes;
        if (const qsizetype bytes = Cp949::byteLength(text); bytes > limit) {
            MsgWarn(MaxLengthMessage(bytes, limit), MaxLengthTitle());
            text = CutToByteLength(text, limit);
            grid->setText(row, col, text);
        }
    }
    const bool stored =
        Guarded(u"spList_AfterEdit"_s, u"Form"_s, kForm, false, [&] { return storeCell(part, row, col, text); });
    if (!stored)
        grid->setText(row, col, oldText);
    grid->setFocus();
}

bool FrmAsCode_save::storeCell(int part, int row, int col, const QString& newText)
{
    Grid* grid = list(part);
    const double amount = grid->cells().number(row, ColAmount);
    if (const int code = grid->text(row, ColCode).toInt(); code != 0) {
        if (!(col == ColName ? AsCodeStore().rename(code, newText) : AsCodeStore().setAmount(code, amount)))
            return false;
    } else {
        // Either cell of the empty row makes the code; the other one may follow later.
        const int added = AsCodeStore().insert(m_pcode, part, grid->text(row, ColName), amount);
        if (added == 0)
            return false;
        grid->setText(row, ColCode, QString::number(added));
        addEmptyRowIfNeeded(grid);
    }
    // Text that is no number was stored as 0; the cell says so.
    if (col == ColAmount)
        grid->setText(row, ColAmount, SqlNumber(amount));
    return true;
}

void FrmAsCode_save::deleteSelected(int part)
{
    Grid* grid = list(part);
    if (MsgYesNo(u"선택된 자료를 정말로 삭제 하시겠습니까?"_s, {}, true) == MsgAnswer::Yes) {
        Guarded(u"btnRecDel_Click"_s, u"Form"_s, kForm, 0, [&] {
            const int row = grid->activeRow();
            const int code = row >= 0 ? grid->text(row, ColCode).toInt() : 0;
            if (AsCodeStore().remove(code, part)) {
                grid->cells().removeRows(row, 1);
                ShowNotice(u"자료를 삭제하였습니다."_s);
                addEmptyRowIfNeeded(grid);
            }
            return 0;
        });
    }
    grid->setFocus();
}

bool FrmAsCode_save::formKey(int key)
{
    switch (key) {
    case Qt::Key_F3:
        m_fbProd->setFocus();
        return true;
    case Qt::Key_F5:
        query();
        return true;
    default:
        return false;
    }
}

bool FrmAsCode_save::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    for (int part = 0; part < 3; ++part) {
        if (watched == list(part) && key == Qt::Key_F4) {
            deleteSelected(part);
            return true;
        }
    }
    return formKey(key) || QWidget::eventFilter(watched, event);
}

void FrmAsCode_save::closeEvent(QCloseEvent* event)
{
    SaveFormIni(this);
    event->accept();
}

} // namespace asv
