#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace asv {

// Where the labels sit: a sheet of rows × columns on A4, or a roll printer's one label per page.
// Every size in millimetres.
struct LabelSheetLayout {
    QString name;
    bool roll = false;
    int rows = 1;
    int columns = 1;
    double labelWidth = 50;
    double labelHeight = 30;
    double marginLeft = 0; // paper edge to the first label
    double marginTop = 0;
    double gapX = 0;       // between neighbouring labels
    double gapY = 0;

    int perPage() const { return roll ? 1 : rows * columns; }
    QSizeF paperMm() const;
    // Label index on its page (0 = top left, row by row).
    QRectF labelRect(int index) const;
    // Why the layout cannot be printed, in Korean; empty when it can.
    QString problem() const;

    // The stored form, and the layout read back from it (name kept apart).
    QString toText() const;
    static LabelSheetLayout fromText(const QString& name, const QString& text, bool* ok);

    static QList<LabelSheetLayout> builtIn();
    // Built-in layouts first, then the operator's own, by name.
    static QList<LabelSheetLayout> all();
    static void save(const LabelSheetLayout& layout);
    static void remove(const QString& name);
};

} // namespace asv
