#include "frmAS_SubConsult.h"

#include "AsCodeStore.h"
#include "Grid.h"
#include "HistoryStore.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"frmAS_SubConsult"_s;
const QString kTitle = u"상담분류"_s;

enum Col { ColCode, ColName };

} // namespace

frmAS_SubConsult::frmAS_SubConsult(QWidget* parent, int part)
    : QDialog(parent), m_part(part), m_txtFind(new QLineEdit(this)), m_list(new Grid(this))
{
    setObjectName(kForm);
    setWindowTitle(kTitle);
    m_txtFind->setObjectName(u"txtFind"_s);
    m_list->setObjectName(u"spList"_s);
    m_list->setColumns({u"코드"_s, u"상담분류"_s});
    m_list->setColumnInitHidden(ColCode, true);
    m_list->horizontalHeader()->setStretchLastSection(true);

    auto* find = NamedButton(this, u"btnFind"_s, u"검색"_s);
    auto* add = NamedButton(this, u"btnAdd"_s, u"추가"_s);
    auto* rename = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    auto* remove = NamedButton(this, u"btnDelete"_s, u"삭제"_s);
    auto* select = NamedButton(this, u"btnSel"_s, u"선택"_s);
    auto* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(kTitle, this));
    searchRow->addWidget(m_txtFind, 1);
    searchRow->addWidget(find);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add, rename, remove})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(select);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(360, 460);

    connect(m_txtFind, &QLineEdit::returnPressed, this, &frmAS_SubConsult::fill);
    connect(find, &QPushButton::clicked, this, &frmAS_SubConsult::fill);
    connect(add, &QPushButton::clicked, this, &frmAS_SubConsult::add);
    connect(rename, &QPushButton::clicked, this, &frmAS_SubConsult::rename);
    connect(remove, &QPushButton::clicked, this, &frmAS_SubConsult::remove);
    connect(select, &QPushButton::clicked, this, &frmAS_SubConsult::select);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QAbstractItemView::activated, this, &frmAS_SubConsult::select);
}

Pick frmAS_SubConsult::pickCategory(QWidget* parent, int part, const QString& text)
{
    frmAS_SubConsult window(parent, part);
    if (window.search(text) == 1 && !text.isEmpty())
        return window.pickOf(0);
    return window.exec() == QDialog::Accepted ? window.picked() : Pick();
}

int frmAS_SubConsult::search(const QString& text)
{
    m_txtFind->setText(text);
    return fill();
}

int frmAS_SubConsult::fill()
{
    GridModel& cells = m_list->cells();
    cells.clearRows();
    return Guarded(u"Fill_Sheet"_s, u"Form"_s, kForm, 0, [&] {
        cells.setRecordSet(HistoryStore().categories(m_part, m_txtFind->text()));
        if (m_list->rowCount() > 0)
            m_list->selectRow(0);
        return m_list->rowCount();
    });
}

int frmAS_SubConsult::selectedRow(const QString& noSelection) const
{
    const QList<int> rows = m_list->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(noSelection);
        return -1;
    }
    return rows.first();
}

Pick frmAS_SubConsult::pickOf(int row) const
{
    return {m_list->text(row, ColCode), m_list->text(row, ColName)};
}

std::optional<QString> frmAS_SubConsult::askName(const QString& initial, int exceptCode)
{
    const std::optional<QString> typed = InputBox(u"상담분류명을 입력하세요."_s, kTitle, initial);
    const QString name = typed.value_or(QString()).trimmed();
    if (name.isEmpty() || name == initial)
        return std::nullopt;
    // The desk and the correction find a category by its name, so a name stands for one category.
    const int existing = Guarded(u"askName"_s, u"Form"_s, kForm, -1,
                                 [&] { return HistoryStore().categoryCode(m_part, name); });
    if (existing != 0 && existing != exceptCode) {
        if (existing > 0)
            MsgInfo(u"이미 등록된 상담분류입니다."_s, kTitle);
        return std::nullopt;
    }
    return name;
}

void frmAS_SubConsult::add()
{
    const std::optional<QString> name = askName({}, 0);
    if (!name)
        return;
    if (const int code = AsCodeStore().insert(u"000000"_s, m_part, *name, 0); code > 0)
        showCode(code);
}

void frmAS_SubConsult::rename()
{
    const int row = selectedRow(u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
    if (row < 0)
        return;
    const int code = m_list->text(row, ColCode).toInt();
    const std::optional<QString> name = askName(m_list->text(row, ColName), code);
    if (name && AsCodeStore().rename(code, *name))
        showCode(code);
}

void frmAS_SubConsult::remove()
{
    const int row = selectedRow(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
    if (row < 0 || MsgYesNo(u"선택된 자료를 정말로 삭제 하시겠습니까?"_s, {}, true) != MsgAnswer::Yes)
        return;
    const bool removed = Guarded(u"btnDelete_Click"_s, u"Form"_s, kForm, false,
                                 [&] { return AsCodeStore().remove(m_list->text(row, ColCode).toInt(), m_part); });
    if (removed) {
        m_list->cells().removeRows(row, 1);
        ShowNotice(u"자료를 삭제하였습니다."_s);
    }
}

void frmAS_SubConsult::select()
{
    const int row = selectedRow(u"리스트에서 자료를 선택하세요."_s);
    if (row < 0)
        return;
    m_picked = pickOf(row);
    accept();
}

bool frmAS_SubConsult::selectCode(const QString& code)
{
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (m_list->text(row, ColCode) == code) {
            m_list->selectRow(row);
            return true;
        }
    }
    return false;
}

// A new or renamed category may not fit the search: it is listed all the same, and selected.
void frmAS_SubConsult::showCode(int code)
{
    const QString wanted = QString::number(code);
    fill();
    if (selectCode(wanted))
        return;
    m_txtFind->clear();
    fill();
    selectCode(wanted);
}

} // namespace asv
