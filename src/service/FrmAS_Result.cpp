#include "FrmAS_Result.h"

#include "AsJobStore.h"
#include "FrmAS_save2.h"
#include "Grid.h"
#include "ResultLineGrid.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modFormIni.h"
#include "modMsgBox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QShortcut>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmAS_Result"_s;

} // namespace

FrmAS_Result::FrmAS_Result(QWidget* parent)
    : QWidget(parent), m_list(new Grid(this)), m_lblDesc(new QLabel(this)), m_topPanel(new QWidget(this))
{
    setObjectName(kForm);
    setWindowTitle(u"AS 결과 등록"_s);
    m_lblDesc->setObjectName(u"lblDesc"_s);
    m_list->setObjectName(u"spList"_s);
    m_list->setColumns({u"상품명"_s, u"원인코드"_s, u"결과코드"_s, u"AS메모"_s, u"금액"_s, u"무상"_s, u"코드"_s});
    m_list->cells().setNumberColumn(ColAmount, GetDecFormat(SharedOptions::current().amountDecimals, true, true));
    m_list->setSelectionKind(Grid::SelectionKind::SingleRow);

    auto* add = NamedButton(this, u"btnAdd"_s, u"추가(F2)"_s);
    auto* edit = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    auto* del = NamedButton(this, u"btnDelete"_s, u"삭제(F4)"_s);
    auto* query = NamedButton(this, u"btnQuery"_s, u"조회(F5)"_s);
    // Printing and export of one job's lines were never offered; the buttons keep their places.
    auto* print = NamedButton(this, u"btnPrint"_s, u"인쇄(F7)"_s);
    auto* excel = NamedButton(this, u"btnExcel"_s, u"엑셀(F8)"_s);
    print->setEnabled(false);
    excel->setEnabled(false);
    auto* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);

    auto* top = new QHBoxLayout(m_topPanel);
    top->addWidget(m_lblDesc, 1);
    for (QPushButton* b : {add, edit, del, query, print, excel, close})
        top->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_topPanel);
    layout->addWidget(m_list, 1);

    connect(add, &QPushButton::clicked, this, &FrmAS_Result::addLine);
    connect(edit, &QPushButton::clicked, this, &FrmAS_Result::editLine);
    connect(del, &QPushButton::clicked, this, &FrmAS_Result::deleteLine);
    connect(query, &QPushButton::clicked, this, &FrmAS_Result::SyncUpdateASResult);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_list, &QAbstractItemView::activated, this, &FrmAS_Result::editLine);
    // Inside the main window other screens take the same keys: these hold while this one has the focus.
    for (auto [key, button] : {std::pair{Qt::Key_F2, add}, {Qt::Key_F4, del}, {Qt::Key_F5, query}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    }
    LoadFormIni(this);
}

// The customer is not kept: each charge goes to the job's customer as stored at that moment.
void FrmAS_Result::SetFormMode(int job, const QString&, const QString& contents)
{
    m_job = job;
    m_lblDesc->setText(u"접수내용: "_s + contents);
    SyncUpdateASResult();
}

void FrmAS_Result::SyncUpdateASResult()
{
    Guarded(u"SyncUpdateASResult"_s, u"Form"_s, kForm, 0, [this] {
        const int active = m_list->activeRow();
        const QString activeSeq = active >= 0 ? m_list->text(active, ColSeq) : QString();
        const QList<AsJobStore::LineRow> rows = AsJobStore().lines(m_job);
        GridModel& cells = m_list->cells();
        cells.clearRows();
        cells.setRowCount(static_cast<int>(rows.size()));
        int keep = rows.isEmpty() ? -1 : 0;
        for (int r = 0; r < rows.size(); ++r) {
            const AsJobStore::LineRow& row = rows.at(r);
            const QString seq = QString::number(row.line.seq);
            for (auto [col, text] : {std::pair{ColProduct, row.product},
                                     {ColCause, row.cause},
                                     {ColResult, row.result},
                                     {ColMemo, row.line.workbigo},
                                     {ColAmount, QString::number(row.line.amount, 'f', 4)},
                                     {ColFree, row.line.isfree ? u"1"_s : u"0"_s},
                                     {ColSeq, seq}})
                cells.setText(r, col, text);
            if (seq == activeSeq)
                keep = r;
        }
        if (keep >= 0)
            m_list->setCurrentIndex(cells.index(keep, ColProduct));
        return 0;
    });
}

void FrmAS_Result::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    if (m_job != 0 && m_list->rowCount() == 0)
        QTimer::singleShot(0, this, &FrmAS_Result::addLine);
}

void FrmAS_Result::openLineDialog(int mode, int seq)
{
    FrmAS_save2 dialog(this);
    dialog.setJob(m_job);
    dialog.SetFormMode(mode, seq > 0 ? QString::number(seq) : QString());
    if (mode == RecordEditor::NewRecord) {
        auto* keepAdding = dialog.findChild<QCheckBox*>(u"chkContinueAdd"_s);
        keepAdding->setVisible(true);
        keepAdding->setChecked(true);
    }
    connect(&dialog, &RecordEditor::saved, this, [this] {
        SyncUpdateASResult();
        emit jobChanged(m_job);
    });
    dialog.move(m_topPanel->mapToGlobal(QPoint(0, m_topPanel->height())));
    dialog.exec();
    m_list->setFocus();
}

void FrmAS_Result::addLine()
{
    if (m_job == 0) {
        MsgInfo(u"먼저 A/S접수코드를 알수 없습니다."_s);
        return;
    }
    openLineDialog(RecordEditor::NewRecord, 0);
}

void FrmAS_Result::editLine()
{
    const int seq = ResultLineGrid::lineToEdit(*m_list, ColSeq);
    if (seq == 0)
        return;
    openLineDialog(RecordEditor::EditRecord, seq);
}

void FrmAS_Result::deleteLine()
{
    ResultLineGrid::removeActive(m_list, ColSeq, m_job, kForm);
}

void FrmAS_Result::closeEvent(QCloseEvent* event)
{
    SaveFormIni(this);
    event->accept();
}

} // namespace asv
