#include "ListWindow.h"

#include "FindBar.h"
#include "Grid.h"
#include "RecordEditor.h"
#include "WidgetHelpers.h"
#include "modFormIni.h"
#include "modMsgBox.h"

#include <QCloseEvent>

using namespace Qt::StringLiterals;

namespace asv {

ListWindow::ListWindow(QWidget* parent, const QString& name, const QString& title, const QList<FindKey>& keys,
                       int defaultKey, const Style& style)
    : QWidget(parent), m_list(this, name, title, keys, defaultKey), m_style(style)
{
    QPushButton* btnFind = NamedButton(this, u"btnFind"_s, u"검색"_s);
    findBar()->row()->addWidget(btnFind);
    connect(findBar(), &FindBar::searchRequested, this, &ListWindow::Refresh_Sheet);
    connect(btnFind, &QPushButton::clicked, this, &ListWindow::Refresh_Sheet);
}

void ListWindow::finishLayout()
{
    QPushButton* btnNew = NamedButton(this, u"btnNew"_s, u"신규"_s);
    QPushButton* btnEdit = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    QPushButton* btnDelete = NamedButton(this, u"btnDelete"_s, u"삭제"_s);
    QPushButton* btnPrint = NamedButton(this, u"btnPrint"_s, u"인쇄"_s);
    QPushButton* btnExcel = NamedButton(this, u"btnExcel"_s, u"엑셀"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    QList<QPushButton*> buttons{btnNew, btnEdit};
    if (m_style.copy) {
        QPushButton* btnCopy = NamedButton(this, u"btnCopy"_s, u"복사"_s);
        buttons << btnCopy;
        connect(btnCopy, &QPushButton::clicked, this, [this] {
            openForSelected(RecordEditor::CopyRecord, u"먼저 그리드에서 복사할 자료를 선택하세요."_s);
        });
    }
    buttons << btnDelete << btnPrint << btnExcel << btnClose;
    m_list.layOut(buttons);

    const auto edit = [this] {
        openForSelected(RecordEditor::EditRecord, u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
    };
    connect(btnNew, &QPushButton::clicked, this, [this] { openEditor(RecordEditor::NewRecord, {}); });
    connect(btnEdit, &QPushButton::clicked, this, edit);
    connect(list(), &QAbstractItemView::doubleClicked, this, edit);
    connect(btnDelete, &QPushButton::clicked, this, &ListWindow::deleteSelected);
    connect(btnPrint, &QPushButton::clicked, this, [this] { listPrinter().preview(this); });
    connect(btnExcel, &QPushButton::clicked, this, [this] { exportList({}); });
    connect(btnClose, &QPushButton::clicked, this, &ListWindow::close);
    Refresh_Sheet();
}

void ListWindow::fillList()
{
    fill();
    listChanged();
}

int ListWindow::Refresh_Sheet()
{
    return m_list.loadOrSay([this] { fillList(); }, u"검색된 결과가 없습니다."_s);
}

void ListWindow::refreshAfterSave(const QString& code)
{
    m_list.load([this] { fillList(); });
    m_list.selectCode(code);
}

void ListWindow::openForSelected(int mode, const QString& noSelection)
{
    const QString code = m_list.selectedCode(noSelection);
    if (!code.isEmpty())
        openEditor(mode, code);
}

void ListWindow::deleteSelected()
{
    Guarded(u"btnDelete_Click"_s, u"Form"_s, objectName(), 0, [&] {
        const QList<int> rows = list()->selectedRows();
        if (rows.isEmpty()) {
            MsgInfo(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
            return 0;
        }
        for (const int row : rows) {
            if (const QString refusal = deleteRefusal(m_list.codeAt(row)); !refusal.isEmpty()) {
                MsgInfo(refusal);
                return 0;
            }
        }
        if (MsgYesNo(u"선택된 자료를 정말로 삭제 하시겠습니까?"_s, {}, m_style.deleteYesByDefault) != MsgAnswer::Yes)
            return 0;
        int deleted = 0;
        // Rows are ascending; every removal moves the later ones up by one.
        for (const int selected : rows) {
            const int row = selected - deleted;
            const QString code = m_list.codeAt(row);
            if (code.isEmpty()) {
                MsgInfo(u"해당라인에서 코드를 찾을 수 없습니다. 행: "_s + QString::number(selected + 1));
                continue;
            }
            if (deleteRecord(code)) {
                list()->cells().removeRows(row, 1);
                ++deleted;
            }
        }
        if (m_style.reportDeleted)
            ShowNotice(QString::number(deleted) + u"건의 자료를 삭제하였습니다."_s);
        listChanged();
        return deleted;
    });
}

GridPrinter ListWindow::listPrinter() const
{
    return GridPrinter(*list(), m_style.printTitle, printSubtitle());
}

QString ListWindow::exportList(const ExcelExportOptions& options)
{
    return ExportToExcelFile(*list(), options);
}

void ListWindow::closeEvent(QCloseEvent* event)
{
    SaveFormIni(this);
    QWidget::closeEvent(event);
}

} // namespace asv
