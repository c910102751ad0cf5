#pragma once

#include "Pick.h"

#include <QString>
#include <QWidget>
#include <array>

namespace asv {

class Grid;
class ucFindBox;

// The AS codes of one product, edited in their three lists (reception, cause and result codes)
// cell by cell: every change is stored the moment a cell is left. The last row of each list is
// empty; typing into it creates a code of that list's kind.
class FrmAsCode_save : public QWidget {
    Q_OBJECT
public:
    explicit FrmAsCode_save(QWidget* parent = nullptr);

    // The AS dialogs' use: an open instance is closed first, then a fresh one is shown modally over
    // owner with the product's codes loaded and the list of that kind focused. Returns once it has
    // closed, so the caller can read its code lists again.
    static void showModal(QWidget* owner, const Pick& product, int part);

    // Loads the three lists for the product in the find box.
    void query();
    // The list of a kind of code (0 reception, 1 cause, 2 result).
    Grid* list(int part) const { return m_lists.at(static_cast<size_t>(part)); }
    // Deletes the active row's code of a list after asking.
    void deleteSelected(int part);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showProduct(const Pick& product);
    void loadList(int part);
    void clearLists();
    void cellEdited(int part, int row, int col, const QString& oldText, const QString& newText);
    bool storeCell(int part, int row, int col, const QString& newText);
    // F3 to the product box, F5 queries.
    bool formKey(int key);

    ucFindBox* m_fbProd;
    std::array<Grid*, 3> m_lists{};
    // The product whose codes the lists show; new codes go to it.
    QString m_pcode;
};

} // namespace asv
