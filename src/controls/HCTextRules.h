#pragma once

#include <QString>
#include <optional>

namespace asv {

// What a field accepts; field tables name it without pulling in the widget.
struct TextKind {
    enum Kind { AnyText = 0, Number = 1, LatinLetters = 2, Telephone = 3, Time = 4, PatternNumber = 5 };
};

// The rules HCText applies when the operator leaves a field; pure, so editors and imports can
// reuse them without a widget.

// "7" -> "07:00", "1425" -> "14:25", "14:25" or "14.25" -> "14:25", "925" -> "09:25";
// nullopt when the text is no time of the day.
std::optional<QString> FormatTimeText(const QString& text);
QString TimeFormatMessage(const QString& text);

// Digits right-aligned into "000-000-0000" with leading zeros; digits beyond ten widen the first
// group. Text that is not numeric once the hyphens are gone stays as it is.
QString FormatPatternNo(const QString& text);

// The longest head of text that fits maxBytes in code page 949; a two-byte character that would
// straddle the limit is dropped whole.
QString CutToByteLength(const QString& text, qsizetype maxBytes);
QString MaxLengthMessage(qsizetype currentBytes, qsizetype maxBytes);
QString MaxLengthTitle();

} // namespace asv
