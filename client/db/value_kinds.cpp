// The table of value kinds and the reading of cells by kind through the library's accessors.
#include "db/value_kinds.h"

#include "support/mem_time.h"

#include <cstring>

namespace mem = ox::db::mem;

namespace {

using k = value_kind;

const value_kind_row kind_rows[] = {
    {k::u08, "u08", 0, 1, 0, 1, "int", ":/img/type_u08.svg"},
    {k::i08, "i08", 0, 0, 0, 1, "int", ":/img/type_i08.svg"},
    {k::u16, "u16", 0, 1, 1, 2, "int", ":/img/type_u16.svg"},
    {k::i16, "i16", 0, 0, 1, 2, "int", ":/img/type_i16.svg"},
    {k::u32, "u32", 0, 1, 2, 4, "uint", ":/img/type_u32.svg"},
    {k::i32, "i32", 0, 0, 2, 4, "int", ":/img/type_i32.svg"},
    {k::u64, "u64", 0, 1, 3, 8, "qulonglong", ":/img/type_u64.svg"},
    {k::i64, "i64", 0, 0, 3, 8, "qlonglong", ":/img/type_i64.svg"},
    {k::flt, "float", 1, 2, 2, 4, "float", ":/img/type_float.svg"},
    {k::dbl, "double", 1, 2, 3, 8, "double", ":/img/type_double.svg"},
    {k::str, "string", 2, 2, 4, 0, "QString", ":/img/type_string.svg"},
    {k::date, "date", 3, 2, 5, int(sizeof(mem::date)), "ox::db::mem::date", ":/img/type_date.svg"},
    {k::time, "time", 4, 2, 5, int(sizeof(mem::time)), "ox::db::mem::time", ":/img/type_time.svg"},
    {k::datetime, "datetime", 5, 2, 5, int(sizeof(mem::date_time)), "ox::db::mem::date_time",
     ":/img/type_datetime.svg"},
};
static_assert(sizeof kind_rows / sizeof kind_rows[0] == std::size_t(value_kind_count),
              "one row per kind");

const value_kind_row no_kind{k::none, "", 0, 0, 0, 0, "", ""};

// The size code of a width as val_size reports it.
std::uint8_t size_code_of(int bytes)
{
    return bytes == 1 ? 0 : bytes == 2 ? 1 : bytes == 4 ? 2 : 3;
}

template <class T> void put(unsigned char *out, const T &v) { std::memcpy(out, &v, sizeof v); }
template <class T> T get(const unsigned char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

} // namespace

const value_kind_row &kind_row(value_kind kind)
{
    const int i = int(kind);
    return i >= 0 && i < value_kind_count ? kind_rows[i] : no_kind;
}

value_kind kind_of(const QByteArray &type_name)
{
    for (const value_kind_row &row : kind_rows)
        if (type_name == row.type_name)
            return row.kind;
    return k::none;
}

value_kind kind_of(const cell *c)
{
    const int type = val_type(c);
    if (type < 0)
        return k::none;
    // The triple as the accessors see it: any nonzero sign of an integer is unsigned, and a
    // floating-point value is a float exactly when it is 4 bytes wide.
    std::uint8_t sign = 2, size = type == 2 ? 4 : 5;
    if (type == 0) {
        sign = std::uint8_t(val_sign(c));
        size = size_code_of(val_size(c));
    } else if (type == 1) {
        size = val_size(c) == 4 ? 2 : 3;
    }
    for (const value_kind_row &row : kind_rows)
        if (row.type_code == type && row.sign == sign && row.size_code == size)
            return row.kind;
    return k::none;
}

QByteArray type_name(value_kind kind)
{
    return QByteArray(kind_row(kind).type_name);
}

int variant_type(value_kind kind)
{
    if (kind == k::none)
        return QMetaType::UnknownType;
    mem::register_meta_types();
    return QMetaType::type(kind_row(kind).variant_type);
}

QVariant int_variant(std::uint64_t bits, value_kind kind)
{
    switch (kind) {
    case k::u08: return QVariant(int(std::uint8_t(bits)));
    case k::i08: return QVariant(int(std::int8_t(bits)));
    case k::u16: return QVariant(int(std::uint16_t(bits)));
    case k::i16: return QVariant(int(std::int16_t(bits)));
    case k::u32: return QVariant(uint(std::uint32_t(bits)));
    case k::i32: return QVariant(int(std::int32_t(bits)));
    case k::u64: return QVariant(qulonglong(bits));
    case k::i64: return QVariant(qlonglong(bits));
    default: return QVariant();
    }
}

void read_packed(const cell *c, value_kind kind, unsigned char *out)
{
    switch (kind) {
    case k::u08: case k::i08: put(out, as_uint8(c)); return;
    case k::u16: case k::i16: put(out, as_uint16(c)); return;
    case k::u32: case k::i32: put(out, as_uint32(c)); return;
    case k::u64: case k::i64: put(out, as_uint64(c)); return;
    case k::flt: put(out, as_float(c)); return;
    case k::dbl: put(out, as_double(c)); return;
    case k::date: {
        int y = 0, mo = 0, d = 0;
        as_date(&y, &mo, &d, c);
        put(out, mem::date{std::uint16_t(y), std::uint8_t(mo), std::uint8_t(d)});
        return;
    }
    case k::time: {
        int h = 0, mi = 0, s = 0, ns = 0;
        as_time(&h, &mi, &s, &ns, c);
        put(out, mem::time{std::uint8_t(h), std::uint8_t(mi), std::uint8_t(s), std::uint32_t(ns)});
        return;
    }
    case k::datetime: {
        int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ns = 0;
        as_datetime(&y, &mo, &d, &h, &mi, &s, &ns, c);
        put(out, mem::date_time{std::uint16_t(y), std::uint8_t(mo), std::uint8_t(d), std::uint8_t(h),
                                std::uint8_t(mi), std::uint8_t(s), std::uint32_t(ns)});
        return;
    }
    default: return;
    }
}

QVariant packed_value(const unsigned char *p, value_kind kind)
{
    if (is_integer(kind)) {
        const int width = int_bytes(kind);
        std::uint64_t bits = 0;
        std::memcpy(&bits, p, std::size_t(width)); // little-endian: the low bytes come first
        return int_variant(bits, kind);
    }
    switch (kind) {
    case k::flt: return QVariant(get<float>(p));
    case k::dbl: return QVariant(get<double>(p));
    case k::date: return QVariant::fromValue(get<mem::date>(p));
    case k::time: return QVariant::fromValue(get<mem::time>(p));
    case k::datetime: return QVariant::fromValue(get<mem::date_time>(p));
    default: return QVariant();
    }
}

QByteArray string_bytes(const cell *c)
{
    QByteArray out;
    read_string(c, [&out](const char *bytes, std::uint64_t len) { out = QByteArray(bytes, int(len)); });
    return out;
}

QVariant cell_value(const cell *c, value_kind kind)
{
    if (kind == k::str) {
        const QByteArray bytes = string_bytes(c);
        QString s = QString::fromUtf8(bytes.constData(), bytes.size());
        if (s.isNull())
            s = QLatin1String(""); // an empty cell is an empty text, not a missing value
        return QVariant(s);
    }
    if (kind == k::none)
        return QVariant();
    unsigned char packed[sizeof(mem::date_time) > 8 ? sizeof(mem::date_time) : 8];
    read_packed(c, kind, packed);
    return packed_value(packed, kind);
}
