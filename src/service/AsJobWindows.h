#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace asv {

// The job windows the lists open; tests may put others in their place, so
// that a list needs no more of them than this.
class AsJobWindows {
public:
    // The reception dialog, modal: mode 1 a new job (job 0), 2 the job given. After a save it
    // calls the opener's SyncUpdateAS when the opener is an AsJobSync.
    using Reception = std::function<void(QWidget* opener, int mode, int job)>;
    // The result screen of a job as a child window of the main window; contents is the text it
    // shows about the job.
    using Results = std::function<void(QWidget* opener, int job, const QString& ccode, const QString& contents)>;

    // The result line dialog, modal: mode 1 a new line of the job (seq 0), 2 the line seq. After a
    // save it calls the opener's SyncUpdateASResult when the opener is an AsResultSync.
    using ResultLine = std::function<void(QWidget* opener, int job, int mode, int seq)>;

    static Reception& reception();
    static Results& results();
    static ResultLine& resultLine();
};

// An opener that shows the saved job at once (the ledger adds or rewrites its row).
class AsJobSync {
public:
    virtual ~AsJobSync() = default;
    // dialog is the reception dialog, whose `lblCode` holds the job number; mode as it was opened.
    virtual void SyncUpdateAS(QWidget* dialog, int mode) = 0;
    // The job's result lines changed on the result screen opened from here.
    virtual void SyncUpdateJob(int job) = 0;
};

// An opener that shows a job's result lines again after one was saved.
class AsResultSync {
public:
    virtual ~AsResultSync() = default;
    virtual void SyncUpdateASResult() = 0;
};

} // namespace asv
