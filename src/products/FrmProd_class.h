#pragma once

#include <QDialog>

namespace asv {

class Grid;

// The product classes as an editable list: a name typed into the blank last row adds a class, a
// changed name renames it (its products follow) at once; delete keeps the last class.
class FrmProd_class : public QDialog {
    Q_OBJECT
public:
    explicit FrmProd_class(QWidget* parent = nullptr);

    Grid* list() const { return m_list; }
    void Refresh_Sheet();

    // Tall enough for the usual dozen or two classes without scrolling.
    QSize sizeHint() const override { return {360, 520}; }

private:
    void nameEdited(int row, const QString& oldName, const QString& newName);
    void deleteSelected();

    Grid* m_list;
};

} // namespace asv
