#include "FrmProd_class.h"

#include "Grid.h"
#include "PClassStore.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

enum Column { ColCode, ColName };

} // namespace

FrmProd_class::FrmProd_class(QWidget* parent) : QDialog(parent), m_list(new Grid(this))
{
    setObjectName(u"FrmProd_class"_s);
    setWindowTitle(u"상품 분류"_s);
    m_list->setObjectName(u"spList"_s);
    m_list->setColumns({u"코드"_s, u"분류명"_s});
    m_list->cells().setEditable(ColName, true);
    m_list->cells().setAfterEdit([this](int row, int, const QString& oldText, const QString& newText) {
        nameEdited(row, oldText, newText);
    });

    QPushButton* btnDelete = NamedButton(this, u"btnDelete"_s, u"삭제"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnDelete);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(btnDelete, &QPushButton::clicked, this, &FrmProd_class::deleteSelected);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    Refresh_Sheet();
}

// The classes, and a blank row for a new one.
void FrmProd_class::Refresh_Sheet()
{
    Guarded(u"Refresh_Sheet"_s, u"Form"_s, objectName(), 0, [&] {
        const QList<PClassRecord> classes = PClassStore().list();
        GridModel& cells = m_list->cells();
        cells.clearRows();
        cells.setRowCount(static_cast<int>(classes.size()) + 1);
        for (int row = 0; row < classes.size(); ++row) {
            cells.setText(row, ColCode, classes[row].code);
            cells.setText(row, ColName, classes[row].name);
        }
        return 0;
    });
}

void FrmProd_class::nameEdited(int row, const QString& oldName, const QString& newName)
{
    Guarded(u"spList_AfterEdit"_s, u"Form"_s, objectName(), 0, [&] {
        const QString name = newName.trimmed();
        const QString code = m_list->text(row, ColCode);
        if (name.isEmpty()) {
            m_list->setText(row, ColName, oldName);
            return 0;
        }
        if (code.isEmpty()) {
            if (const QString added = PClassStore().insert(name); !added.isEmpty()) {
                m_list->setText(row, ColCode, added);
                m_list->cells().insertBlankRows(m_list->rowCount(), 1);
            }
        } else if (!PClassStore().rename(code, oldName, name)) {
            m_list->setText(row, ColName, oldName);
        }
        return 0;
    });
}

void FrmProd_class::deleteSelected()
{
    Guarded(u"btnDelete_Click"_s, u"Form"_s, objectName(), 0, [&] {
        if (PClassStore().lastClassLeft())
            return 0;
        const QList<int> rows = m_list->selectedRows();
        const int row = rows.isEmpty() ? -1 : rows.first();
        if (row < 0 || m_list->text(row, ColCode).isEmpty()) {
            MsgInfo(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
            return 0;
        }
        if (MsgYesNo(u"선택된 자료를 정말로 삭제 하시겠습니까?"_s) != MsgAnswer::Yes)
            return 0;
        if (PClassStore().remove({m_list->text(row, ColCode), m_list->text(row, ColName)})) {
            m_list->cells().removeRows(row, 1);
            MsgInfo(u"자료를 삭제하였습니다."_s);
        }
        return 0;
    });
}

} // namespace asv
