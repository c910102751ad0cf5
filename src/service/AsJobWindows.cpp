#include "AsJobWindows.h"

#include "FrmAS_Result.h"
#include "FrmAS_save.h"
#include "FrmAS_save2.h"
#include "ScreenOpener.h"

namespace asv {

namespace {

QString recordText(int mode, int code)
{
    return mode == RecordEditor::NewRecord ? QString() : QString::number(code);
}

void openReception(QWidget* opener, int mode, int job)
{
    FrmAS_save dialog(opener);
    dialog.SetFormMode(mode, recordText(mode, job));
    QObject::connect(&dialog, &RecordEditor::saved, opener, [opener, &dialog, mode] {
        if (auto* sync = dynamic_cast<AsJobSync*>(opener))
            sync->SyncUpdateAS(&dialog, mode);
    });
    dialog.exec();
}

void openResults(QWidget* opener, int job, const QString& ccode, const QString& contents)
{
    auto* screen = new FrmAS_Result;
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->SetFormMode(job, ccode, contents);
    if (auto* sync = dynamic_cast<AsJobSync*>(opener))
        QObject::connect(screen, &FrmAS_Result::jobChanged, opener,
                         [sync](int changed) { sync->SyncUpdateJob(changed); });
    ShowBeside(opener, screen);
}

void openResultLine(QWidget* opener, int job, int mode, int seq)
{
    FrmAS_save2 dialog(opener);
    dialog.setJob(job);
    dialog.SetFormMode(mode, recordText(mode, seq));
    QObject::connect(&dialog, &RecordEditor::saved, opener, [opener] {
        if (auto* sync = dynamic_cast<AsResultSync*>(opener))
            sync->SyncUpdateASResult();
    });
    dialog.exec();
}

} // namespace

AsJobWindows::Reception& AsJobWindows::reception()
{
    static Reception open = openReception;
    return open;
}

AsJobWindows::Results& AsJobWindows::results()
{
    static Results open = openResults;
    return open;
}

AsJobWindows::ResultLine& AsJobWindows::resultLine()
{
    static ResultLine open = openResultLine;
    return open;
}

} // namespace asv
