#pragma once

#include "AsJobReceivers.h"

#include <QString>
#include <QWidget>

class QLabel;

namespace asv {

class Grid;

// The result lines of one AS job, added, edited and deleted through the line dialog. A job
// without lines starts its first line as soon as the screen is first shown.
class FrmAS_Result : public QWidget, public AsJobResultReceiver {
    Q_OBJECT
public:
    enum Col { ColProduct, ColCause, ColResult, ColMemo, ColAmount, ColFree, ColSeq, ColCount };

    explicit FrmAS_Result(QWidget* parent = nullptr);
    // The frame in the main window takes this size, not the one set in the constructor.
    QSize sizeHint() const override { return {820, 420}; }

    void SetFormMode(int job, const QString& ccode, const QString& contents) override;
    // Reads the lines again; the line dialog's saves call it.
    void SyncUpdateASResult();

    Grid* list() const { return m_list; }
    void addLine();
    void editLine();
    void deleteLine();

signals:
    // A line of the job was saved: the job may be completed by it.
    void jobChanged(int job);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void openLineDialog(int mode, int seq);

    Grid* m_list;
    QLabel* m_lblDesc;
    QWidget* m_topPanel;
    int m_job = 0;
    bool m_activated = false;
};

} // namespace asv
