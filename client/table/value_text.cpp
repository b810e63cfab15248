// Display texts, parsing and command texts by kind; numbers are left to number_text, dates and
// times to the support library's texts.
#include "table/value_text.h"

#include "support/mem_time.h"

#include <QLocale>
#include <cmath>

namespace value_text {

namespace mem = ox::db::mem;

namespace {
const char *const type_names[] = {"u08", "i08",   "u16",    "i16",  "u32",  "i32",     "u64",
                                  "i64", "float", "double", "string", "date", "time", "datetime"};

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

kind kind_of(const QByteArray &name)
{
    for (int i = 0; i < int(kind::none); ++i)
        if (name == type_names[i])
            return kind(i);
    return kind::none;
}

QByteArray type_name(kind k)
{
    return k == kind::none ? QByteArray() : QByteArray(type_names[int(k)]);
}

uint64_t int_bits(const QVariant &v, kind k)
{
    if (v.userType() == QMetaType::ULongLong || v.userType() == QMetaType::UInt)
        return v.toULongLong();
    if (int_signed(int(k)) || v.userType() == QMetaType::Int || v.userType() == QMetaType::LongLong)
        return uint64_t(v.toLongLong());
    return v.toULongLong();
}

QVariant int_variant(uint64_t bits, kind k)
{
    switch (k) {
    case kind::u08: return QVariant(int(uint8_t(bits)));
    case kind::i08: return QVariant(int(int8_t(bits)));
    case kind::u16: return QVariant(int(uint16_t(bits)));
    case kind::i16: return QVariant(int(int16_t(bits)));
    case kind::i32: return QVariant(int(int32_t(bits)));
    case kind::u32: return QVariant(uint(uint32_t(bits)));
    case kind::i64: return QVariant(qlonglong(bits));
    case kind::u64: return QVariant(qulonglong(bits));
    default: return QVariant();
    }
}

QString display_text(const QVariant &v, kind k, const number_format &fmt)
{
    if (is_integer(k))
        return int_text(int_bits(v, k), int(k), fmt);
    switch (k) {
    case kind::flt: return float_text(v.toFloat(), fmt);
    case kind::dbl: return double_text(v.toDouble(), fmt);
    case kind::date:
        if (v.userType() == qMetaTypeId<mem::date>())
            return mem::to_text(v.value<mem::date>());
        break;
    case kind::time:
        if (v.userType() == qMetaTypeId<mem::time>())
            return mem::to_text(v.value<mem::time>());
        break;
    case kind::datetime:
        if (v.userType() == qMetaTypeId<mem::date_time>())
            return mem::to_text(v.value<mem::date_time>());
        break;
    default: break;
    }
    return v.toString();
}

QVariant from_text(const QString &text, kind k, const number_format &fmt)
{
    if (is_integer(k)) {
        const int_parse p = parse_int(text, int(k), fmt.base);
        return p.state == parse_state::complete ? int_variant(p.bits, k) : QVariant();
    }
    switch (k) {
    case kind::flt:
    case kind::dbl: {
        const real_parse p = parse_real(text, k == kind::dbl);
        if (p.state != parse_state::complete)
            return QVariant();
        return k == kind::dbl ? QVariant(p.value) : QVariant(float(p.value));
    }
    case kind::str: return QVariant(text);
    case kind::date: {
        mem::date d;
        return mem::parse(text, d) ? QVariant::fromValue(d) : QVariant();
    }
    case kind::time: {
        mem::time t;
        return mem::parse(text, t) ? QVariant::fromValue(t) : QVariant();
    }
    case kind::datetime: {
        mem::date_time dt;
        return mem::parse(text, dt) ? QVariant::fromValue(dt) : QVariant();
    }
    default: return QVariant();
    }
}

QString plain_text(const QVariant &v, kind k)
{
    if (is_integer(k))
        return int_text(int_bits(v, k), int(k), number_format());
    if (k == kind::flt)
        return shortest(double(v.toFloat()), true);
    if (k == kind::dbl)
        return shortest(v.toDouble(), false);
    return display_text(v, k, number_format());
}

QString command_number(const QString &display, const QVariant &v, kind k)
{
    if (is_integer(k)) {
        QString out = display;
        out.remove(QLatin1Char(' '));
        return out;
    }
    if (k != kind::flt && k != kind::dbl)
        return display;
    const double value = k == kind::flt ? double(v.toFloat()) : v.toDouble();
    const real_parse back = parse_real(display, k == kind::dbl);
    if (back.state == parse_state::complete) {
        const double read = k == kind::flt ? double(float(back.value)) : back.value;
        if (same_real(read, value))
            return display;
    }
    // Fixed-point digits cut small values short; the shortest exact text keeps them.
    return shortest(value, k == kind::flt);
}

} // namespace value_text
