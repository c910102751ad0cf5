#pragma once

#include "AsJobWindows.h"
#include "PeriodListWindow.h"

class QComboBox;

namespace asv {

class Grid;
class ucFindBox;

// The AS status screen: the jobs of a period above, the result lines of the selected job below,
// where lines are added, edited and deleted.
class FrmAS_admin2 : public PeriodListWindow, public AsResultSync {
    Q_OBJECT
public:
    enum DetailCol { DetProduct, DetCause, DetResult, DetMemo, DetAmount, DetFree, DetSeq, DetCount };

    explicit FrmAS_admin2(QWidget* parent = nullptr);

    Grid* details() const { return m_spDetail; }

    void query() override;
    void SyncUpdateASResult() override;

    void addLine();
    void editLine();
    void deleteLine();

private:
    int activeJob() const;
    void loadDetails(int job);
    // The active job's row as the server has it now: a line saved may have completed it.
    void rewriteActiveJob();

    ucFindBox* m_fbUser;
    QComboBox* m_cmbState;
    Grid* m_spDetail;
};

} // namespace asv
