#pragma once

#include <QWidget>

class QPushButton;

namespace asv {

class FindBar;
class FrmLUser_save;
class Grid;

// The user list. A non-administrator sees only his own row.
class FrmLUser_admin : public QWidget {
    Q_OBJECT
public:
    explicit FrmLUser_admin(QWidget* parent = nullptr);

    // Reads the list again with the current search; the number of rows.
    int Refresh_Sheet();
    void SyncUpdateLUser(int mode, const QString& code);
    // The editor, opened over this window without blocking it.
    FrmLUser_save* openEditor(int mode, const QString& code = {});

    Grid* list() const { return m_spList; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void editSelected();
    void deleteSelected();
    void printList();
    void exportList();
    // The code of the selected row, "" when no row is selected.
    QString selectedCode() const;
    bool isUsed(const QString& code) const;

    FindBar* m_findBar;
    Grid* m_spList;
};

} // namespace asv
