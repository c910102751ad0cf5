#pragma once

#include "modDBMS_comn.h"

#include <QList>
#include <QString>
#include <functional>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace asv {

class FindBar;
class Grid;
class hclimit;

// The search row (`FindBar`) and the list (`spList`) of a list window or a picker, and what both
// do with them: read the list under the window's error guard, say when nothing was found, know the
// code of a row and find a record's row again, and lay the window out with its buttons below.
class SearchList {
public:
    // Names the host window (its objectName, the form name of its layout file) and titles it.
    SearchList(QWidget* host, const QString& name, const QString& title, const QList<FindKey>& keys, int defaultKey);

    FindBar* findBar() const { return m_findBar; }
    Grid* grid() const { return m_grid; }
    // The row below the list; the host's own controls stand at its left.
    QHBoxLayout* buttonRow() const { return m_buttons; }

    // The record-limit box (`hcLimit`) at the left of the button row, kept under the host's name.
    void addRecordLimit();
    // " LIMIT 0, <n>" when the box is ticked, "" otherwise or without a box.
    QString limitClause() const;

    // The column holding each row's code: the first unless told otherwise.
    void setCodeColumn(int column) { m_codeColumn = column; }
    QString codeAt(int row) const;
    // The code of the first selected row; without a selection the message is shown and "" returned.
    QString selectedCode(const QString& noSelection) const;
    // Selects the row of code; false when the list does not show it.
    bool selectCode(const QString& code);

    // Runs fill under the host's error guard; the number of rows.
    int load(const std::function<void()>& fill);
    // The same, with a floating notice when nothing was found.
    int loadOrSay(const std::function<void()>& fill, const QString& nothingFound);

    // A list (of classes, of groups) left of the search row and the list, for the host to fill.
    void setLeftPanel(QWidget* panel) { m_leftPanel = panel; }

    // The search row, the list, and the button row ending in buttons at the right; then the
    // host's saved position and list layout are applied.
    void layOut(const QList<QPushButton*>& buttons);

private:
    QWidget* m_host;
    FindBar* m_findBar;
    Grid* m_grid;
    QHBoxLayout* m_buttons;
    hclimit* m_limit = nullptr;
    QWidget* m_leftPanel = nullptr;
    int m_codeColumn = 0;
};

} // namespace asv
