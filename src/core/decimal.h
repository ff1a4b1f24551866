#pragma once

#include <QString>

#include <compare>
#include <optional>

namespace tabel {

// An exact decimal number for prices and money. Values read from the
// database arrive as decimal text (numeric columns) or as doubles (the
// price columns are double precision); a double is taken by its shortest
// decimal spelling, so 2.675 is 2.675 and not 2.67499999..., and all
// rounding happens on the decimal digits.
class Decimal {
public:
    Decimal() = default;
    static Decimal fromInt(long long value);
    static Decimal fromDouble(double value);
    // Accepts an optional sign, digits, one "." or "," and digits; blanks
    // around are ignored. Anything else gives nullopt.
    static std::optional<Decimal> parse(const QString& text);

    // Half to even: 2.675 -> 2.68, 2.665 -> 2.66, -2.675 -> -2.68.
    Decimal rounded(int places) const;

    // Plain digits with "." and exactly `places` decimals; places < 0 prints
    // the digits the value has, without trailing zeros.
    QString toString(int places = -1) const;
    double toDouble() const;
    bool isZero() const { return m_units == 0; }
    bool isNegative() const { return m_units < 0; }
    int scale() const { return m_scale; }

    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    Decimal operator-() const;
    friend bool operator==(const Decimal& a, const Decimal& b);
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

private:
    Decimal(__int128 units, int scale) : m_units(units), m_scale(scale) {}
    Decimal withScale(int scale) const; // only ever widens
    static constexpr int kMaxScale = 24;

    __int128 m_units = 0; // value = m_units / 10^m_scale
    int m_scale = 0;
};

// Prices keep 4 decimals, money and rates 2.
inline constexpr int kPricePlaces = 4;
inline constexpr int kMoneyPlaces = 2;

inline Decimal roundPrice(const Decimal& d) { return d.rounded(kPricePlaces); }
inline Decimal roundMoney(const Decimal& d) { return d.rounded(kMoneyPlaces); }

} // namespace tabel
