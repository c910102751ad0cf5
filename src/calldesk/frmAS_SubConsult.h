#pragma once

#include "Pick.h"

#include <QDialog>
#include <optional>

class QLineEdit;

namespace asv {

class Grid;

// The categories of one part of the code table (the desk's consultation categories are part 9):
// found by part of their name, added, renamed, deleted while unused, and one picked.
class frmAS_SubConsult : public QDialog {
    Q_OBJECT
public:
    frmAS_SubConsult(QWidget* parent, int part);

    // The categories containing text; a text naming exactly one is taken without asking. An empty
    // pick when none was taken.
    static Pick pickCategory(QWidget* parent, int part, const QString& text);

    // Lists the categories containing text; the number listed.
    int search(const QString& text);
    Pick picked() const { return m_picked; }
    Grid* list() const { return m_list; }

private:
    int fill();
    // The selected row; -1 after saying so.
    int selectedRow(const QString& noSelection) const;
    Pick pickOf(int row) const;
    // A name for a new or renamed category; nullopt when cancelled, empty or already used.
    std::optional<QString> askName(const QString& initial, int exceptCode);
    void add();
    void rename();
    void remove();
    void select();
    bool selectCode(const QString& code);
    void showCode(int code);

    int m_part;
    QLineEdit* m_txtFind;
    Grid* m_list;
    Pick m_picked;
};

} // namespace asv
