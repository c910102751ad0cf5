#pragma once

#include "RecordSetPtr.h"

#include <QWidget>

namespace asv {

class Grid;

// A look at the controls with made-up rows: the text, date and period inputs and a list with
// number, check, formula and coloured cells, print preview and spreadsheet export.
class FrmGallery : public QWidget {
    Q_OBJECT
public:
    explicit FrmGallery(QWidget* parent = nullptr);

    Grid* list() const { return m_list; }
    // Customers with quantities and amounts; the same rows for the same count.
    static RecordSetPtr sampleRows(int count);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Grid* m_list;
};

} // namespace asv
