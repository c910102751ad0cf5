#pragma once

#include "DocumentPrinter.h"
#include "LabelSheetLayout.h"
#include "ProductLabel.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace asv {

class Grid;
class LabelSheet;

// Barcode labels of chosen products: a count per product, the label sheet or roll, and where a
// partly used sheet starts.
class FrmLabelPrint : public QWidget {
    Q_OBJECT
public:
    explicit FrmLabelPrint(QWidget* parent = nullptr);

    // Opens the window beside from for the selected rows of a product list.
    static void openFor(QWidget* from, const Grid& list, int codeColumn);

    void setProducts(const QStringList& codes);
    // Every label to print, each product repeated by its count.
    QList<ProductLabel> labels() const;
    LabelSheetLayout chosenLayout() const;
    // The document as the window would print it; null when there is nothing to print.
    std::unique_ptr<LabelSheet> document() const;

    // Pdf without a path asks for the file.
    bool output(DocumentPrinter::Output kind, const QString& path = {});

private:
    void fillLayouts(const QString& select);
    void showLayout();
    void saveLayout();
    void removeLayout();

    Grid* m_list;
    QList<ProductLabel> m_products;
    QList<LabelSheetLayout> m_layouts;
    QComboBox* m_cmbLayout;
    QSpinBox* m_start;
    QLineEdit* m_name;
    QCheckBox* m_roll;
    QSpinBox* m_rows;
    QSpinBox* m_columns;
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_height;
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_top;
    QDoubleSpinBox* m_gapX;
    QDoubleSpinBox* m_gapY;
};

} // namespace asv
