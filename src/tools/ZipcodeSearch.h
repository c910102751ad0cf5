#pragma once

#include <QString>
#include <QVariantList>
#include <optional>

namespace asv {

// What the operator asked the finder: the tab's word and number, a building name and a district.
struct ZipcodeSearch {
    enum class Tab { Lot, Road };
    struct Number {
        int main = 0;
        std::optional<int> sub;
    };

    Tab tab = Tab::Lot;
    QString word;
    QString number; // lot number on the lot tab, building number on the road tab: n or n-m
    QString buildingName;
    QString district; // empty: every district

    // The message that refuses the search, or "" when it can run.
    QString refusal() const;
    // A word of digits only is a zipcode; hyphens and blanks between them are how people write it.
    bool isZipcode() const { return !zipcode().isEmpty(); }
    // The word as the zipcode it is, in ASCII digits; "" for any other word.
    QString zipcode() const;
    // "n" or "n-m" with both parts numbers; nullopt otherwise (an empty text too).
    static std::optional<Number> parseNumber(const QString& text);

    // The statement over one province file, its values bound in order. Prefix matches are ranges
    // so that the file's indexes serve them.
    QString sql(QVariantList& values) const;
    // The lines shown under "해당 주소를 찾을 수 없습니다.".
    QStringList notFoundLines() const;
};

} // namespace asv
