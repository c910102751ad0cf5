#pragma once

#include <QString>

namespace asv {

class Grid;

// The choice of a result line in a grid of one job's lines, the same on both screens that list
// them: the line to edit, and the delete after the operator confirms.
class ResultLineGrid {
public:
    // The seq of the active row's line to edit; 0, the operator told, when no line is chosen.
    static int lineToEdit(const Grid& lines, int seqColumn);
    // Deletes the active row's line; the store takes the line's charge off the job's customer
    // with it. True when the line went.
    static bool removeActive(Grid* lines, int seqColumn, int job, const QString& form);
};

} // namespace asv
