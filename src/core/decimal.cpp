#include "core/decimal.h"

#include <QLocale>

#include <cmath>

namespace tabel {
namespace {

__int128 pow10(int n)
{
    __int128 r = 1;
    for (int i = 0; i < n; ++i)
        r *= 10;
    return r;
}

// Divides by 10^n, ties to the even neighbour.
__int128 divRoundHalfEven(__int128 value, int n)
{
    if (n <= 0)
        return value;
    const __int128 div = pow10(n);
    __int128 q = value / div;
    __int128 r = value % div;
    const bool negative = value < 0;
    if (negative)
        r = -r;
    const __int128 twice = r * 2;
    if (twice > div || (twice == div && (q % 2 != 0)))
        q += negative ? -1 : 1;
    return q;
}

} // namespace

Decimal Decimal::fromInt(long long value)
{
    return Decimal(value, 0);
}

Decimal Decimal::fromDouble(double value)
{
    if (!std::isfinite(value))
        return {};
    // The shortest text that reads back as the same double.
    const QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
    return parse(text).value_or(Decimal{});
}

std::optional<Decimal> Decimal::parse(const QString& input)
{
    const QString text = input.trimmed();
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    __int128 units = 0;
    int scale = 0;
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            if (point) {
                if (scale >= kMaxScale)
                    continue; // digits beyond the precision kept are dropped
                ++scale;
            }
            if (units > pow10(36))
                return std::nullopt;
            units = units * 10 + (c.unicode() - u'0');
            ++digits;
        } else if ((c == u'.' || c == u',') && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    return Decimal(negative ? -units : units, scale);
}

Decimal Decimal::withScale(int scale) const
{
    if (scale <= m_scale)
        return *this;
    return Decimal(m_units * pow10(scale - m_scale), scale);
}

Decimal Decimal::rounded(int places) const
{
    if (places >= m_scale)
        return *this;
    return Decimal(divRoundHalfEven(m_units, m_scale - places), places);
}

QString Decimal::toString(int places) const
{
    Decimal d = *this;
    if (places >= 0) {
        d = rounded(places).withScale(places);
    } else {
        while (d.m_scale > 0 && d.m_units % 10 == 0) {
            d.m_units /= 10;
            --d.m_scale;
        }
    }
    __int128 u = d.m_units < 0 ? -d.m_units : d.m_units;
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(u % 10)));
        u /= 10;
    } while (u != 0);
    while (digits.size() <= d.m_scale)
        digits.prepend(u'0');
    if (d.m_scale > 0)
        digits.insert(digits.size() - d.m_scale, u'.');
    if (d.m_units < 0)
        digits.prepend(u'-');
    return digits;
}

double Decimal::toDouble() const
{
    return toString().toDouble();
}

Decimal operator+(const Decimal& a, const Decimal& b)
{
    const int s = std::max(a.m_scale, b.m_scale);
    return Decimal(a.withScale(s).m_units + b.withScale(s).m_units, s);
}

Decimal operator-(const Decimal& a, const Decimal& b)
{
    return a + (-b);
}

Decimal Decimal::operator-() const
{
    return Decimal(-m_units, m_scale);
}

Decimal operator*(const Decimal& a, const Decimal& b)
{
    Decimal r(a.m_units * b.m_units, a.m_scale + b.m_scale);
    if (r.m_scale > Decimal::kMaxScale)
        r = r.rounded(Decimal::kMaxScale);
    return r;
}

bool operator==(const Decimal& a, const Decimal& b)
{
    return (a <=> b) == std::strong_ordering::equal;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b)
{
    const int s = std::max(a.m_scale, b.m_scale);
    const __int128 x = a.withScale(s).m_units;
    const __int128 y = b.withScale(s).m_units;
    if (x < y)
        return std::strong_ordering::less;
    if (x > y)
        return std::strong_ordering::greater;
    return std::strong_ordering::equal;
}

} // namespace tabel
