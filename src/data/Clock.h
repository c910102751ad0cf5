#pragma once

#include <QDate>
#include <QDateTime>
#include <optional>

namespace asv {

// Today and now for the whole program; tests fix them to stand on a chosen day.
class Clock {
public:
    static QDateTime now();
    static QDate today() { return now().date(); }
    static void setFixed(const QDateTime& at);
    static void clearFixed();

private:
    static std::optional<QDateTime> s_fixed;
};

} // namespace asv
