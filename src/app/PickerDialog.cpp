#include "PickerDialog.h"

#include "FindBar.h"
#include "Grid.h"
#include "RecordEditor.h"
#include "WidgetHelpers.h"
#include "modFormIni.h"
#include "modMsgBox.h"

using namespace Qt::StringLiterals;

namespace asv {

PickerDialog::PickerDialog(QWidget* parent, const QString& name, const QString& title, const QList<FindKey>& keys,
                           int defaultKey, const EntrySearch& entry)
    : QDialog(parent), m_list(this, name, title, keys, defaultKey), m_entry(entry)
{
    connect(findBar(), &FindBar::searchRequested, this, &PickerDialog::search);
    connect(list(), &QAbstractItemView::activated, this, &PickerDialog::selectRow);
}

void PickerDialog::finishLayout()
{
    QPushButton* btnSel = NamedButton(this, u"btnSel"_s, u"선택"_s);
    QPushButton* btnNew = NamedButton(this, u"btnNew"_s, u"신규"_s);
    QPushButton* btnEdit = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    m_list.layOut({btnSel, btnNew, btnEdit, btnClose});

    connect(btnSel, &QPushButton::clicked, this, &PickerDialog::selectRow);
    connect(btnNew, &QPushButton::clicked, this, [this] { openEditor(RecordEditor::NewRecord, {}); });
    connect(btnEdit, &QPushButton::clicked, this, &PickerDialog::editSelected);
    connect(btnClose, &QPushButton::clicked, this, &PickerDialog::reject);
}

void PickerDialog::done(int result)
{
    SaveFormIni(this);
    QDialog::done(result);
}

void PickerDialog::setSearchState(const QString& fields, const QString& opText)
{
    m_searchHandedOver = !fields.isEmpty();
    findBar()->setSearchState(fields, opText);
}

void PickerDialog::fillAndTakeOne()
{
    fill();
    const int rows = list()->rowCount();
    m_result = rows == 1 ? pickOf(0) : Pick();
    if (rows > 0)
        list()->selectRow(0);
}

int PickerDialog::load()
{
    return m_list.load([this] { fillAndTakeOne(); });
}

int PickerDialog::loadCode(const QString& code)
{
    return m_entry.codeField.isEmpty() ? 0 : loadWhere(MakeFindWhere(m_entry.codeField, code, u"="_s));
}

// The search row is emptied: the extra condition alone names the records.
int PickerDialog::loadWhere(const QString& condition)
{
    const QString asked = m_extraCondition;
    m_extraCondition = asked.isEmpty() ? condition : u"("_s + asked + u") AND ("_s + condition + u')';
    findBar()->setText({});
    const int rows = load();
    m_extraCondition = asked;
    return rows;
}

int PickerDialog::FindRecords(const QString& text, const QString& extraCondition)
{
    m_extraCondition = extraCondition;
    // The kind's own search serves a field that named none; the operator's search row keeps its key.
    if (!m_searchHandedOver)
        findBar()->setSearchState(m_entry.fields, m_entry.op);
    int rows = text.isEmpty() ? 0 : loadCode(text);
    if (rows == 0 && !text.isEmpty() && !m_searchHandedOver && m_entry.rungs) {
        for (const QString& condition : m_entry.rungs(text)) {
            if ((rows = loadWhere(condition)) > 0)
                break;
        }
    }
    findBar()->setText(text);
    return rows > 0 ? rows : load();
}

int PickerDialog::Refresh_Sheet()
{
    return m_list.loadOrSay([this] { fillAndTakeOne(); }, u"검색된 결과가 없습니다."_s);
}

int PickerDialog::search()
{
    return m_list.loadOrSay([this] { fillAndTakeOne(); }, u"검색된 자료가 없습니다."_s);
}

bool PickerDialog::pickModal()
{
    return exec() == QDialog::Accepted;
}

void PickerDialog::selectRow()
{
    const QList<int> rows = list()->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(u"리스트에서 자료를 선택하세요."_s);
        return;
    }
    m_result = pickOf(rows.first());
    if (handOver(m_result))
        m_result = Pick();
    accept();
}

void PickerDialog::refreshAfterSave(const QString& code)
{
    load();
    if (!m_list.selectCode(code) && loadCode(code) > 0)
        m_list.selectCode(code);
}

void PickerDialog::editSelected()
{
    const QString code = m_list.selectedCode(u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
    if (!code.isEmpty())
        openEditor(RecordEditor::EditRecord, code);
}

} // namespace asv
