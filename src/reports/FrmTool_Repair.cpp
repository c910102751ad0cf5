#include "FrmTool_Repair.h"

#include "BalanceRepair.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmTool_Repair"_s;

} // namespace

FrmTool_Repair::FrmTool_Repair(QWidget* parent)
    : QWidget(parent), m_chkBalance(new QCheckBox(u"최종잔액 복구"_s, this)), m_lstLog(new QListWidget(this)),
      m_prgBar(new QProgressBar(this))
{
    setObjectName(kForm);
    setWindowTitle(u"데이터 점검 및 복구"_s);
    m_chkBalance->setObjectName(u"chkRepair(0)"_s);
    m_chkBalance->setChecked(true);
    m_lstLog->setObjectName(u"lstLog"_s);
    // Thousands of lines after a bad day: one height for all keeps the list quick.
    m_lstLog->setUniformItemSizes(true);
    m_prgBar->setObjectName(u"prgBar"_s);
    m_prgBar->setValue(0);

    auto* tools = new QGroupBox(u"점검 항목"_s, this);
    auto* toolRows = new QVBoxLayout(tools);
    toolRows->addWidget(m_chkBalance);
    toolRows->addStretch();

    QPushButton* runButton = NamedButton(this, u"btnRun"_s, u"점검 및 복구"_s);
    QPushButton* closeButton = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    connect(runButton, &QPushButton::clicked, this, &FrmTool_Repair::run);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* middle = new QHBoxLayout;
    middle->addWidget(tools);
    middle->addWidget(m_lstLog, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_prgBar, 1);
    buttons->addWidget(runButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    resize(720, 460);
}

void FrmTool_Repair::run()
{
    if (m_chkBalance->isChecked())
        rprCBaln();
}

void FrmTool_Repair::log(const QStringList& lines)
{
    m_lstLog->addItems(lines);
    m_lstLog->scrollToBottom();
}

void FrmTool_Repair::rprCBaln()
{
    m_prgBar->setValue(0);
    const auto progress = [this](int done, int total) {
        m_prgBar->setMaximum(total);
        m_prgBar->setValue(done);
    };
    const std::optional<QList<BalanceRepair::Correction>> found =
        Guarded(u"rprCBaln"_s, u"Form"_s, kForm, std::optional<QList<BalanceRepair::Correction>>(),
                [&] { return std::optional(BalanceRepair::check(progress)); });
    if (!found)
        return;
    if (found->isEmpty()) {
        log({BalanceRepair::allCorrectLine()});
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<BalanceRepair::Correction> written = BalanceRepair::repair(*found);
    QApplication::restoreOverrideCursor();
    log(BalanceRepair::logLines(*found, written));
}

} // namespace asv
