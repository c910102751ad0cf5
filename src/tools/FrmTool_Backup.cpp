#include "FrmTool_Backup.h"

#include "BackupFile.h"
#include "DatabaseBackup.h"
#include "NightlyBackup.h"
#include "WorkDataClearing.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString newestBackup()
{
    const QFileInfoList files =
        QDir(BackupFile::folder()).entryInfoList({u"*.dat"_s}, QDir::Files, QDir::Time);
    return files.isEmpty() ? QString() : files.first().absoluteFilePath();
}

// The question's heading, two empty lines, then its paragraphs; the answer is No unless chosen.
bool confirmed(const QString& heading, const QStringList& paragraphs)
{
    return MsgYesNo(heading + vbCrLf + vbCrLf + vbCrLf + paragraphs.join(vbCrLf + vbCrLf)) == MsgAnswer::Yes;
}

} // namespace

FrmTool_Backup::FrmTool_Backup(QWidget* parent)
    : QDialog(parent), m_log(new QPlainTextEdit(this)), m_status(new QLabel(this)), m_restoreFile(new QLineEdit(this)),
      m_btnBackUp(NamedButton(this, u"btnBackUp"_s, u"백업"_s)),
      m_btnBrowse(NamedButton(this, u"btnBrowse"_s, u"찾아보기..."_s)),
      m_btnRestore(NamedButton(this, u"btnRestore"_s, u"복원"_s)),
      m_btnUndoRestore(NamedButton(this, u"btnUndoRestore"_s, u"복원 되돌리기"_s)), m_btnClose(NamedButton(this, u"btnClose"_s, u"닫기"_s)),
      m_chkNightly(new QCheckBox(u"매일 밤 자동 백업"_s, this)), m_spnKeep(new QSpinBox(this)),
      m_nightlyFailures(new QLabel(this))
{
    setObjectName(u"FrmTool_Backup"_s);
    setWindowTitle(u"데이터 백업"_s);
    m_log->setObjectName(u"txtLog"_s);
    m_log->setReadOnly(true);
    m_status->setObjectName(u"lblStatus"_s);
    m_restoreFile->setObjectName(u"txtRestoreFile"_s);
    m_restoreFile->setText(newestBackup());
    m_chkNightly->setObjectName(u"chkNightly"_s);
    m_chkNightly->setChecked(NightlyBackup::isEnabled());
    m_spnKeep->setObjectName(u"spnKeep"_s);
    m_spnKeep->setRange(0, 999);
    m_spnKeep->setSpecialValueText(u"모두"_s);
    m_spnKeep->setValue(NightlyBackup::keepCount());
    m_nightlyFailures->setObjectName(u"lblNightlyFailures"_s);
    m_nightlyFailures->setWordWrap(true);
    m_nightlyFailures->setStyleSheet(u"color: #c00000;"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_nightlyFailures);
    layout->addWidget(m_log);
    layout->addWidget(m_status);
    auto* restoreRow = new QHBoxLayout;
    restoreRow->addWidget(new QLabel(u"복원할 파일"_s, this));
    restoreRow->addWidget(m_restoreFile, 1);
    restoreRow->addWidget(m_btnBrowse);
    restoreRow->addWidget(m_btnRestore);
    layout->addLayout(restoreRow);
    auto* nightlyRow = new QHBoxLayout;
    nightlyRow->addWidget(m_chkNightly);
    nightlyRow->addStretch();
    nightlyRow->addWidget(new QLabel(u"보관할 백업 파일 수"_s, this));
    nightlyRow->addWidget(m_spnKeep);
    layout->addLayout(nightlyRow);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnUndoRestore);
    buttons->addStretch();
    buttons->addWidget(m_btnBackUp);
    buttons->addWidget(m_btnClose);
    layout->addLayout(buttons);
    resize(560, 360);

    connect(m_btnBackUp, &QPushButton::clicked, this, &FrmTool_Backup::BackUp);
    connect(m_btnRestore, &QPushButton::clicked, this, &FrmTool_Backup::Restore);
    connect(m_btnUndoRestore, &QPushButton::clicked, this, &FrmTool_Backup::UndoRestore);
    connect(m_btnBrowse, &QPushButton::clicked, this, &FrmTool_Backup::chooseFile);
    connect(m_btnClose, &QPushButton::clicked, this, &FrmTool_Backup::reject);
    connect(m_chkNightly, &QCheckBox::toggled, this, &FrmTool_Backup::setNightly);
    connect(m_spnKeep, &QSpinBox::valueChanged, this, &NightlyBackup::setKeepCount);
    showUndo();
    showNightlyFailures();
}

void FrmTool_Backup::setNightly(bool on)
{
    if (NightlyBackup::setEnabled(on))
        return;
    const QSignalBlocker quiet(m_chkNightly);
    m_chkNightly->setChecked(!on);
    MsgWarn(on ? u"자동 백업을 켜지 못했습니다. (systemctl --user)"_s : u"자동 백업을 끄지 못했습니다. (systemctl --user)"_s);
}

void FrmTool_Backup::showNightlyFailures()
{
    const QString failures = NightlyBackup::failures();
    m_nightlyFailures->setText(u"자동 백업이 실패했습니다."_s + u"\n"_s + failures);
    m_nightlyFailures->setVisible(!failures.isEmpty());
}

void FrmTool_Backup::showUndo()
{
    const QString kept = DatabaseBackup(ServerLogin::current(), {}).undoDatabase();
    m_btnUndoRestore->setEnabled(!m_busy && !kept.isEmpty());
    m_btnUndoRestore->setToolTip(kept.isEmpty() ? u"되돌릴 복원이 없습니다."_s
                                                : u"복원하기 전의 자료(%1)로 되돌립니다. 다음 백업 때까지 할 수 있습니다."_s.arg(kept));
}

DatabaseBackup::Log FrmTool_Backup::windowLog()
{
    return {[this](const QString& line) { m_log->appendPlainText(line); },
            [this](const QString& text) { m_status->setText(text); }};
}

void FrmTool_Backup::setBusy(bool busy)
{
    m_busy = busy;
    for (QPushButton* b : {m_btnBackUp, m_btnBrowse, m_btnRestore, m_btnClose})
        b->setEnabled(!busy);
    m_status->clear();
    showUndo();
}

bool FrmTool_Backup::runBusy(const std::function<bool(DatabaseBackup&)>& step)
{
    setBusy(true);
    DatabaseBackup backup(ServerLogin::current(), windowLog());
    const bool done = step(backup);
    setBusy(false);
    return done;
}

// Closing while a program runs would leave it writing into a file nobody finishes.
void FrmTool_Backup::reject()
{
    if (!m_busy)
        QDialog::reject();
}

void FrmTool_Backup::BackUp()
{
    if (!confirmed(u"[데이터 백업]"_s, {u"데이터의 양과 서버의 상태에 따라 수분에서 수십분정도 소요됩니다."_s,
                                   u"백업하는 동안에는 아무 작업도 할 수 없으며, 다른 사용자도 프로그램이 멈출수가 있기 때문에"_s,
                                   u"백업은 한가한 시간(출근전 혹은 퇴근후)에 하길 권장합니다."_s,
                                   u"지금 데이터를 백업하시겠습니까?"_s}))
        return;
    setBusy(true);
    const QString written = DatabaseBackup(ServerLogin::current(), windowLog()).backUp();
    setBusy(false);
    if (written.isEmpty())
        return;
    NightlyBackup::clearFailures();
    showNightlyFailures();
    m_restoreFile->setText(written);
    MsgInfo(u"백업이 완료되었습니다."_s);
}

void FrmTool_Backup::chooseFile()
{
    const QString file = QFileDialog::getOpenFileName(this, u"복원할 백업 파일"_s, BackupFile::folder(),
                                                      u"백업 파일 (*.dat);;모든 파일 (*)"_s);
    if (!file.isEmpty())
        m_restoreFile->setText(file);
}

void FrmTool_Backup::Restore()
{
    // Replacing every table undoes the other desks' work since the backup, as clearing does.
    if (!WorkDataClearing::administratorOnly())
        return;
    const QString file = m_restoreFile->text().trimmed();
    if (file.isEmpty()) {
        MsgInfo(u"복원할 백업 파일을 선택하세요."_s);
        return;
    }
    // Checked before the question, so nobody agrees to drop the data for a file that cannot replace it.
    if (const QString problem = BackupFile::problem(file); !problem.isEmpty()) {
        MsgInfo(problem);
        return;
    }
    if (!confirmed(u"[데이터 복원]"_s, {file, u"지금의 자료는 모두 지워지고 이 파일을 백업한 때의 자료로 바뀝니다."_s,
                                   u"복원하는 동안 다른 사용자는 프로그램을 사용하지 마십시오."_s,
                                   u"지금 이 백업 파일로 데이터를 복원하시겠습니까?"_s}))
        return;
    if (runBusy([&](DatabaseBackup& backup) { return backup.restore(file); }))
        MsgInfo(u"복원이 완료되었습니다."_s);
}

void FrmTool_Backup::UndoRestore()
{
    if (!WorkDataClearing::administratorOnly())
        return;
    if (!confirmed(u"[복원 되돌리기]"_s, {u"마지막 복원으로 바뀐 자료를 복원하기 전의 자료로 되돌립니다."_s,
                                     u"복원한 뒤에 입력한 자료는 보관되었다가 한 번 더 되돌리면 돌아옵니다."_s,
                                     u"지금 복원을 되돌리시겠습니까?"_s}))
        return;
    if (runBusy([](DatabaseBackup& backup) { return backup.undoRestore(); }))
        MsgInfo(u"복원을 되돌렸습니다."_s);
}

} // namespace asv
