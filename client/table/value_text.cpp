// Display texts, parsing and command texts by kind; numbers are left to number_text, dates and
// times to the support library's texts.
#include "table/value_text.h"

#include "support/mem_time.h"

#include <QLocale>
#include <cmath>

namespace value_text {

namespace mem = ox::db::mem;

namespace {
QString shortest(double v, bool is_float)
{
    if (std::isnan(v))
        return std::signbit(v) ? QStringLiteral("-nan") : QStringLiteral("nan");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    if (is_float) { // the fewest digits that read back to the same float
        const float f = float(v);
        for (int digits = 1; digits < 9; ++digits) {
            const QString t = QString::number(double(f), 'g', digits);
            if (float(t.toDouble()) == f)
                return t;
        }
        return QString::number(double(f), 'g', 9);
    }
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
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
