// Display texts, parsing and command texts by kind; numbers are left to number_text, dates and
// times to the support library's texts.
#include "table/value_text.h"

#include "support/mem_time.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace value_text {

namespace mem = ox::db::mem;

namespace {
QString shortest(double v, bool is_float)
{
    if (std::isnan(v))
        return std::signbit(v) ? QStringLiteral("-nan") : QStringLiteral("nan");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    char buf[64];
    char *end = is_float ? std::to_chars(buf, buf + sizeof buf, float(v)).ptr
                         : std::to_chars(buf, buf + sizeof buf, v).ptr;
    if (is_float) {
        // The server reads a float text as a double and refuses one past the float range; the
        // shortest text of the largest floats rounds up past it, so take more digits there.
        double back = 0;
        std::from_chars(buf, end, back);
        for (int digits = 9; std::fabs(back) > double(FLT_MAX) && digits <= 17; ++digits) {
            end = std::to_chars(buf, buf + sizeof buf, double(float(v)), std::chars_format::general, digits).ptr;
            std::from_chars(buf, end, back);
        }
    }
    return QString::fromLatin1(buf, int(end - buf));
}

bool same_real(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}
} // namespace

uint64_t int_bits(const QVariant &v, value_kind k)
{
    if (v.userType() == QMetaType::ULongLong || v.userType() == QMetaType::UInt)
        return v.toULongLong();
    if (int_signed(k) || v.userType() == QMetaType::Int || v.userType() == QMetaType::LongLong)
        return uint64_t(v.toLongLong());
    return v.toULongLong();
}

QString display_text(const QVariant &v, value_kind k, const number_format &fmt)
{
    if (is_integer(k))
        return int_text(int_bits(v, k), k, fmt);
    switch (k) {
    case value_kind::flt: return float_text(v.toFloat(), fmt);
    case value_kind::dbl: return double_text(v.toDouble(), fmt);
    case value_kind::date:
        if (v.userType() == qMetaTypeId<mem::date>())
            return mem::to_text(v.value<mem::date>());
        break;
    case value_kind::time:
        if (v.userType() == qMetaTypeId<mem::time>())
            return mem::to_text(v.value<mem::time>());
        break;
    case value_kind::datetime:
        if (v.userType() == qMetaTypeId<mem::date_time>())
            return mem::to_text(v.value<mem::date_time>());
        break;
    default: break;
    }
    return v.toString();
}

QVariant from_text(const QString &text, value_kind k, const number_format &fmt)
{
    if (is_integer(k)) {
        const int_parse p = parse_int(text, k, fmt.base);
        return p.state == parse_state::complete ? int_variant(p.bits, k) : QVariant();
    }
    switch (k) {
    case value_kind::flt:
    case value_kind::dbl: {
        const real_parse p = parse_real(text, k == value_kind::dbl);
        if (p.state != parse_state::complete)
            return QVariant();
        return k == value_kind::dbl ? QVariant(p.value) : QVariant(float(p.value));
    }
    case value_kind::str: return QVariant(text);
    case value_kind::date: {
        mem::date d;
        return mem::parse(text, d) ? QVariant::fromValue(d) : QVariant();
    }
    case value_kind::time: {
        mem::time t;
        return mem::parse(text, t) ? QVariant::fromValue(t) : QVariant();
    }
    case value_kind::datetime: {
        mem::date_time dt;
        return mem::parse(text, dt) ? QVariant::fromValue(dt) : QVariant();
    }
    default: return QVariant();
    }
}

bool same_value(const QVariant &a, const QVariant &b)
{
    const auto is_real = [](const QVariant &v) {
        return v.userType() == QMetaType::Float || v.userType() == QMetaType::Double;
    };
    if (!is_real(a) && !is_real(b))
        return a == b;
    if (!is_real(a) || !is_real(b))
        return false;
    if (a.userType() == QMetaType::Float && b.userType() == QMetaType::Float) {
        const float x = a.toFloat(), y = b.toFloat();
        return (std::isnan(x) && std::isnan(y)) || std::memcmp(&x, &y, sizeof x) == 0;
    }
    const double x = a.toDouble(), y = b.toDouble(); // a float widens exactly
    return (std::isnan(x) && std::isnan(y)) || std::memcmp(&x, &y, sizeof x) == 0;
}

QString plain_text(const QVariant &v, value_kind k)
{
    if (is_integer(k))
        return int_text(int_bits(v, k), k, number_format());
    if (k == value_kind::flt)
        return shortest(double(v.toFloat()), true);
    if (k == value_kind::dbl)
        return shortest(v.toDouble(), false);
    return display_text(v, k, number_format());
}

QString command_number(const QString &display, const QVariant &v, value_kind k)
{
    if (is_integer(k)) {
        QString out = display;
        out.remove(QLatin1Char(' '));
        return out;
    }
    if (k != value_kind::flt && k != value_kind::dbl)
        return display;
    const double value = k == value_kind::flt ? double(v.toFloat()) : v.toDouble();
    const real_parse back = parse_real(display, k == value_kind::dbl);
    if (back.state == parse_state::complete) {
        const double read = k == value_kind::flt ? double(float(back.value)) : back.value;
        if (same_real(read, value))
            return display;
    }
    // Fixed-point digits cut small values short; the shortest exact text keeps them.
    return shortest(value, k == value_kind::flt);
}

} // namespace value_text
