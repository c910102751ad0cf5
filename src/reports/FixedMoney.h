#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <compare>
#include <optional>

namespace asv {

// An amount in whole ten-thousandths, the four decimals of the money columns: sums of many
// documents add up exactly, where doubles would drift in the last digit.
class FixedMoney {
public:
    static constexpr qint64 kScale = 10000;

    constexpr FixedMoney() = default;
    static constexpr FixedMoney fromUnits(qint64 units) { return FixedMoney(units); }

    // A column's text ("1234.5000", "-3", ""); an empty text (NULL) is 0, anything else that is not
    // a number with at most four decimals is nullopt.
    static std::optional<FixedMoney> parse(QStringView text);

    qint64 units() const { return m_units; }
    bool isZero() const { return m_units == 0; }

    // As a statement literal, without trailing zeros: "1234.5", "-3".
    QString text() const;
    // For people: thousands grouped, decimals as text() has them.
    QString grouped() const;

    FixedMoney operator-() const { return FixedMoney(-m_units); }
    FixedMoney& operator+=(FixedMoney other)
    {
        m_units += other.m_units;
        return *this;
    }
    FixedMoney& operator-=(FixedMoney other)
    {
        m_units -= other.m_units;
        return *this;
    }
    friend FixedMoney operator+(FixedMoney a, FixedMoney b) { return a += b; }
    friend FixedMoney operator-(FixedMoney a, FixedMoney b) { return a -= b; }
    friend auto operator<=>(FixedMoney, FixedMoney) = default;

private:
    constexpr explicit FixedMoney(qint64 units) : m_units(units) {}

    qint64 m_units = 0;
};

} // namespace asv
