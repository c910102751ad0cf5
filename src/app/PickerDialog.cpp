#include "PickerDialog.h"

#include "FindBar.h"
#include "Grid.h"
#include "WidgetHelpers.h"
#include "modFormIni.h"
#include "modMsgBox.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The editors' modes, the same in every editor.
constexpr int kNewRecord = 1;
constexpr int kEditRecord = 2;
constexpr int kCodeColumn = 0;

} // namespace

PickerDialog::PickerDialog(QWidget* parent, const QString& name, const QString& title, const QList<FindKey>& keys,
                           int defaultKey)
    : QDialog(parent), m_findBar(new FindBar(this, keys, defaultKey)), m_spList(new Grid(this)),
      m_buttons(new QHBoxLayout)
{
    setObjectName(name);
    setWindowTitle(title);
    m_spList->setObjectName(u"spList"_s);

    connect(m_findBar, &FindBar::searchRequested, this, &PickerDialog::search);
    connect(m_spList, &QAbstractItemView::activated, this, &PickerDialog::selectRow);
}

void PickerDialog::finishLayout()
{
    QPushButton* btnSel = NamedButton(this, u"btnSel"_s, u"선택"_s);
    QPushButton* btnNew = NamedButton(this, u"btnNew"_s, u"신규"_s);
    QPushButton* btnEdit = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    m_buttons->addStretch();
    for (QPushButton* b : {btnSel, btnNew, btnEdit, btnClose})
        m_buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_findBar);
    layout->addWidget(m_spList, 1);
    layout->addLayout(m_buttons);

    connect(btnSel, &QPushButton::clicked, this, &PickerDialog::selectRow);
    connect(btnNew, &QPushButton::clicked, this, [this] { openEditor(kNewRecord, {}); });
    connect(btnEdit, &QPushButton::clicked, this, &PickerDialog::editSelected);
    connect(btnClose, &QPushButton::clicked, this, &PickerDialog::reject);
    LoadFormIni(this);
}

void PickerDialog::done(int result)
{
    SaveFormIni(this);
    QDialog::done(result);
}

void PickerDialog::setSearchState(const QString& fields, const QString& opText)
{
    m_findBar->setSearchState(fields, opText);
}

int PickerDialog::load()
{
    return Guarded(u"Refresh_Sheet"_s, u"Form"_s, objectName(), 0, [&] {
        fill();
        const int rows = m_spList->rowCount();
        m_result = rows == 1 ? pickOf(0) : QString();
        if (rows > 0)
            m_spList->selectRow(0);
        return rows;
    });
}

int PickerDialog::FindRecords(const QString& text, const QString& extraCondition)
{
    m_findBar->setText(text);
    m_extraCondition = extraCondition;
    return load();
}

int PickerDialog::loadOrSay(const QString& nothingFound)
{
    const int rows = load();
    if (rows == 0)
        ShowNotice(nothingFound);
    return rows;
}

int PickerDialog::Refresh_Sheet()
{
    return loadOrSay(u"검색된 결과가 없습니다."_s);
}

int PickerDialog::search()
{
    return loadOrSay(u"검색된 자료가 없습니다."_s);
}

bool PickerDialog::pickModal()
{
    return exec() == QDialog::Accepted;
}

void PickerDialog::selectRow()
{
    const QList<int> rows = m_spList->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(u"리스트에서 자료를 선택하세요."_s);
        return;
    }
    m_result = pickOf(rows.first());
    if (handOver(m_result))
        m_result.clear();
    accept();
}

void PickerDialog::refreshAfterSave(const QString& code)
{
    load();
    for (int r = 0; r < m_spList->rowCount(); ++r) {
        if (m_spList->text(r, kCodeColumn) == code) {
            m_spList->selectRow(r);
            return;
        }
    }
}

void PickerDialog::editSelected()
{
    const QList<int> rows = m_spList->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
        return;
    }
    openEditor(kEditRecord, m_spList->text(rows.first(), kCodeColumn));
}

} // namespace asv
