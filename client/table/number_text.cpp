// Integer and floating-point display texts and their parsers. The texts go into commands, so
// they are built locale-independently (a French locale must not turn the point into a comma).
#include "table/number_text.h"

#include "support/hex_digit.h"

#include <QByteArray>
#include <QRegularExpression>
#include <cfloat>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cmath>
#include <limits>

namespace value_text {

number_format format_of(display_mode mode)
{
    number_format f;
    switch (mode) {
    case display_mode::binary: f.base = 0; break;
    case display_mode::hexadecimal: f.base = 1; break;
    case display_mode::decimal: f.base = 2; break;
    case display_mode::typed:
        f.base = 1;
        f.show_plus = true;
        f.show_suffix = true;
        break;
    }
    return f;
}

QString int_suffix(value_kind kind)
{
    return QStringLiteral("u") + QString::number(int_bytes(kind));
}

namespace {

uint64_t width_mask(value_kind kind)
{
    const int bits = 8 * int_bytes(kind);
    return bits == 64 ? ~uint64_t(0) : ((uint64_t(1) << bits) - 1);
}

// Digits of the magnitude, padded to whole bytes so a value reads byte by byte.
QString magnitude_digits(uint64_t mag, int base)
{
    if (base == 2)
        return QString::number(mag);
    const int per_digit = base == 0 ? 1 : 4;
    const int per_byte = 8 / per_digit;
    static const char digits[] = "0123456789ABCDEF";
    char buf[64];
    int n = 0;
    do {
        buf[n++] = digits[mag & ((1u << per_digit) - 1)];
        mag >>= per_digit;
    } while (mag != 0);
    while (n % per_byte != 0)
        buf[n++] = '0';
    QString out;
    out.reserve(n);
    for (int i = n - 1; i >= 0; --i)
        out.append(QLatin1Char(buf[i]));
    return out;
}

QString group_by_four(const QString &digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 4 == 0)
            out.append(QLatin1Char(' '));
        out.append(digits.at(i));
    }
    return out;
}

QString real_text(double v, int precision, char suffix, const number_format &fmt)
{
    // printf's own rounding (ties to even), with the point whatever the C locale says.
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", precision, v);
    QString out = QString::fromLatin1(buf);
    const char *point = std::localeconv()->decimal_point;
    if (point && point[0] && std::strcmp(point, ".") != 0)
        out.replace(QString::fromLatin1(point), QStringLiteral("."));
    // A negative zero prints with its "-"; only values without the sign bit get the "+".
    if (fmt.show_plus && !std::signbit(v))
        out.prepend(QLatin1Char('+'));
    if (fmt.show_suffix)
        out.append(QLatin1Char(suffix));
    return out;
}

int digit_value(QChar c)
{
    const int d = c.unicode() < 0x80 ? ox::hex_value(char(c.unicode())) : -1;
    return d < 0 ? 99 : d;
}

QString without_blanks(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!c.isSpace())
            s.append(c);
    return s;
}

} // namespace

QString int_text(uint64_t bits, value_kind kind, const number_format &fmt)
{
    const int width = 8 * int_bytes(kind);
    uint64_t v = bits & width_mask(kind);
    bool negative = false;
    if (int_signed(kind) && (v >> (width - 1)) != 0) {
        negative = true;
        v = (~v + 1) & width_mask(kind); // the minimum of a kind is its own magnitude
    }
    QString digits = magnitude_digits(v, fmt.base);
    if (fmt.base == 0 && kind == value_kind::u08)
        digits = group_by_four(digits);
    QString out;
    if (negative)
        out = QStringLiteral("-");
    else if (fmt.show_plus)
        out = QStringLiteral("+");
    if (fmt.base == 0)
        out += QStringLiteral("0b");
    else if (fmt.base == 1)
        out += QStringLiteral("0x");
    out += digits;
    if (fmt.show_suffix)
        out += int_suffix(kind);
    return out;
}

QString float_text(float v, const number_format &fmt)
{
    return real_text(double(v), 9, 'f', fmt);
}

QString double_text(double v, const number_format &fmt)
{
    return real_text(v, 17, 'd', fmt);
}

int_parse parse_int(const QString &text, value_kind kind, int base)
{
    const QString s = without_blanks(text);
    const int n = s.size();
    const int radix = base == 0 ? 2 : base == 1 ? 16 : 10;
    int pos = 0;
    bool negative = false;
    int_parse r;
    if (pos < n && (s[pos] == QLatin1Char('+') || s[pos] == QLatin1Char('-'))) {
        negative = s[pos] == QLatin1Char('-');
        if (negative && !int_signed(kind))
            return r;
        ++pos;
    }
    if (radix != 10 && pos < n && s[pos] == QLatin1Char('0') && pos + 1 < n) {
        const QChar p = s[pos + 1].toLower();
        if ((radix == 16 && p == QLatin1Char('x')) || (radix == 2 && p == QLatin1Char('b')))
            pos += 2;
    }
    const int width = 8 * int_bytes(kind);
    const uint64_t limit = int_signed(kind)
                               ? (uint64_t(1) << (width - 1)) - (negative ? 0 : 1)
                               : width_mask(kind);
    uint64_t mag = 0;
    int digits = 0;
    for (; pos < n; ++pos) {
        const int d = digit_value(s[pos]);
        if (d >= radix)
            break;
        if (mag > (limit - uint64_t(d)) / uint64_t(radix))
            return r; // out of range
        mag = mag * uint64_t(radix) + uint64_t(d);
        ++digits;
    }
    bool suffix_partial = false;
    if (pos < n) {
        if (digits == 0 || s[pos].toLower() != QLatin1Char('u'))
            return r;
        if (pos + 1 == n) {
            suffix_partial = true;
        } else if (pos + 2 == n && s[pos + 1] == QLatin1Char(char('0' + int_bytes(kind)))) {
            pos = n;
        } else {
            return r;
        }
    }
    if (digits == 0 || suffix_partial) {
        r.state = parse_state::partial;
        return r;
    }
    r.state = parse_state::complete;
    r.bits = negative ? uint64_t(0) - mag : mag;
    return r;
}

real_parse parse_real(const QString &text, bool is_double)
{
    static const QRegularExpression float_form(QRegularExpression::anchoredPattern(
        QStringLiteral("[+-]?(?:(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?|[iI][nN][fF]|[nN][aA][nN])[fF]?")));
    static const QRegularExpression double_form(QRegularExpression::anchoredPattern(
        QStringLiteral("[+-]?(?:(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?|[iI][nN][fF]|[nN][aA][nN])[dD]?")));
    const QString s = without_blanks(text);
    real_parse r;
    if (s.isEmpty()) {
        r.state = parse_state::partial;
        return r;
    }
    const auto m = (is_double ? double_form : float_form)
                       .match(s, 0, QRegularExpression::PartialPreferCompleteMatch);
    if (m.hasPartialMatch()) {
        r.state = parse_state::partial;
        return r;
    }
    if (!m.hasMatch())
        return r;
    QByteArray number = s.toLatin1();
    const char suffix = is_double ? 'd' : 'f';
    const QByteArray lower = number.toLower();
    // "inf" ends in the float suffix letter itself; only a letter after it is a suffix.
    const bool bare_inf = lower.endsWith("inf") && !lower.endsWith("inff");
    if (!bare_inf && lower.endsWith(suffix))
        number.chop(1);
    const QByteArray body = number.toLower();
    double v = 0;
    if (body.endsWith("nan")) {
        v = std::numeric_limits<double>::quiet_NaN();
        if (body.startsWith('-'))
            v = -v;
    } else if (body.endsWith("inf")) {
        v = body.startsWith('-') ? -std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::infinity();
    } else {
        bool ok = false;
        v = number.toDouble(&ok);
        if (!ok || std::isinf(v))
            return r; // an overflowing finite text is refused, not turned into infinity
    }
    const double max = is_double ? DBL_MAX : double(FLT_MAX);
    if (std::isfinite(v) && (v > max || v < -max))
        return r;
    r.state = parse_state::complete;
    r.value = v;
    return r;
}

} // namespace value_text
