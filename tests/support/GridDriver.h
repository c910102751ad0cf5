#pragma once

#include "Grid.h"
#include "GridModel.h"

#include <QItemSelectionModel>
#include <QStringList>
#include <gtest/gtest.h>

namespace asv::test {

// The list windows and pickers seen through their columns' captions.

inline int columnOf(const Grid* grid, const QString& caption)
{
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (grid->cells().caption(c) == caption)
            return c;
    }
    ADD_FAILURE() << "no column " << caption.toStdString();
    return -1;
}

inline QStringList column(const Grid* grid, int col)
{
    QStringList values;
    for (int r = 0; r < grid->rowCount(); ++r)
        values << grid->text(r, col);
    return values;
}

inline QStringList column(const Grid* grid, const QString& caption)
{
    return column(grid, columnOf(grid, caption));
}

// Selects exactly the rows whose column "코드" holds these codes.
inline void selectCodes(Grid* grid, const QStringList& codes)
{
    grid->clearSelection();
    const QStringList shown = column(grid, QStringLiteral("코드"));
    for (const QString& code : codes) {
        const int row = static_cast<int>(shown.indexOf(code));
        ASSERT_GE(row, 0) << code.toStdString();
        grid->selectionModel()->select(grid->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

} // namespace asv::test
