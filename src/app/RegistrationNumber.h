#pragma once

#include <QString>
#include <optional>

namespace asv {

// Resident (13 digits, shown 6-7) and business (10 digits, shown 3-2-5) registration numbers, as
// typed into a registration-number field of the customer and company editors.
class RegistrationNumber {
public:
    static bool isResident(const QString& text);
    static bool isBusiness(const QString& text);
    // What the field shows after it is left: the number with its hyphens, or nullopt when it is
    // neither kind.
    static std::optional<QString> normalized(const QString& text);
    static QString invalidMessage();

private:
    static bool isForeignResident(const QString& digits);
};

} // namespace asv
