#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace asv {

// The text the device library hands over for a notification. Character 2 names the line,
// character 3 the kind ("C" a caller), character 15 holds the number's length as a character
// code and the number follows from character 16 (counting from 1).
struct CallerIdNotification {
    QString number; // normalised
    int line = 0;   // 0 when character 2 is not a digit

    // nullopt for every kind but "C", an empty number or a text too short to hold one.
    static std::optional<CallerIdNotification> parse(QByteArrayView message);
};

} // namespace asv
