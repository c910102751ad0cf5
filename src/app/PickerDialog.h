#pragma once

#include "RecordPicker.h"
#include "modDBMS_comn.h"

#include <QDialog>

class QHBoxLayout;

namespace asv {

class FindBar;
class Grid;

// What the pickers of users, customers and products share: the search row, the list (`spList`),
// select (`btnSel`), new (`btnNew`), edit (`btnEdit`) and close (`btnClose`), the one-row result
// and the messages. A picker supplies its statement, the pick of a row and its editor; its list
// shows the code in the first column.
class PickerDialog : public QDialog, public RecordPicker {
    Q_OBJECT
public:
    PickerDialog(QWidget* parent, const QString& name, const QString& title, const QList<FindKey>& keys,
                 int defaultKey);

    void setSearchState(const QString& fields, const QString& opText) override;
    int FindRecords(const QString& text, const QString& extraCondition) override;
    bool pickModal() override;
    QString Result() const override { return m_result; }

    // Reads the list again with the current search; the number of rows.
    int Refresh_Sheet();

    Grid* list() const { return m_spList; }

public slots:
    void done(int result) override;

protected:
    // Fills the list for the search row and the extra condition.
    virtual void fill() = 0;
    // The pick of a row: code, NUL, name.
    virtual QString pickOf(int row) const = 0;
    virtual void openEditor(int mode, const QString& code) = 0;
    // A picker that hands its pick on instead of returning it; true when it did.
    virtual bool handOver(const QString&) { return false; }

    // The search the operator asked for (Enter, another sort order); says so when nothing is found.
    int search();
    // Call at the end of the derived constructor, when the columns and the row are complete.
    void finishLayout();
    // Reads the list again after the editor saved code, and selects it.
    void refreshAfterSave(const QString& code);

    FindBar* findBar() const { return m_findBar; }
    QHBoxLayout* buttonRow() const { return m_buttons; }
    const QString& extraCondition() const { return m_extraCondition; }

private:
    int load();
    int loadOrSay(const QString& nothingFound);
    void selectRow();
    void editSelected();

    FindBar* m_findBar;
    Grid* m_spList;
    QHBoxLayout* m_buttons;
    QString m_extraCondition;
    QString m_result;
};

} // namespace asv
