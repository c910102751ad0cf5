#pragma once

#include "RecordPicker.h"
#include "SearchList.h"

#include <QDialog>
#include <functional>

namespace asv {

class FindBar;
class Grid;

// What the pickers of users, customers and products share: the search row, the list (`spList`),
// select (`btnSel`), new (`btnNew`), edit (`btnEdit`) and close (`btnClose`), the one-row result
// and the messages. A picker supplies its statement, the pick of a row, its editor and how a
// code-entry field's text is looked up; its list shows the code in the first column.
class PickerDialog : public QDialog, public RecordPicker {
    Q_OBJECT
public:
    // How a code-entry field's text is looked up: first as the exact value of codeField (a code
    // typed in full is that record, though its digits may also fit a name or a number), then by
    // the narrower conditions of rungs, the first that finds rows deciding, then over fields with
    // op, the kind's own search ("" fields: the search row's chosen key), which stays in the
    // search row for the operator who wants more.
    struct EntrySearch {
        QString codeField;
        QString fields;
        QString op;
        std::function<QStringList(const QString& text)> rungs;
    };

    PickerDialog(QWidget* parent, const QString& name, const QString& title, const QList<FindKey>& keys,
                 int defaultKey, const EntrySearch& entry);

    void setSearchState(const QString& fields, const QString& opText) override;
    int FindRecords(const QString& text, const QString& extraCondition) override;
    bool pickModal() override;
    Pick Result() const override { return m_result; }

    // Reads the list again with the current search; the number of rows.
    int Refresh_Sheet();

    Grid* list() const { return m_list.grid(); }

public slots:
    void done(int result) override;

protected:
    // Fills the list for the search row and the extra condition.
    virtual void fill() = 0;
    virtual Pick pickOf(int row) const = 0;
    virtual void openEditor(int mode, const QString& code) = 0;
    // A picker that hands its pick on instead of returning it; true when it did.
    virtual bool handOver(const Pick&) { return false; }

    // The search the operator asked for (Enter, another sort order); says so when nothing is found.
    int search();
    // Call at the end of the derived constructor, when the columns and the rows are complete.
    void finishLayout();
    // Reads the list again after the editor saved code and selects it; a record the search does
    // not find (a new name, another number) is listed by itself.
    void refreshAfterSave(const QString& code);

    FindBar* findBar() const { return m_list.findBar(); }
    SearchList& searchList() { return m_list; }
    const QString& extraCondition() const { return m_extraCondition; }

private:
    // Fills the list; exactly one row is the result at once.
    void fillAndTakeOne();
    int load();
    int loadCode(const QString& code);
    int loadWhere(const QString& condition);
    void selectRow();
    void editSelected();

    SearchList m_list;
    EntrySearch m_entry;
    bool m_searchHandedOver = false;
    QString m_extraCondition;
    Pick m_result;
};

} // namespace asv
