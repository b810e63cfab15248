// The table of value kinds and the reading of cells by kind through the library's accessors.
#include "db/value_kinds.h"

#include "support/mem_time.h"

#include <cstring>

namespace mem = ox::db::mem;

namespace {

using k = value_kind;

// The protocol's row of the kind with what the grid adds: the packed width (the support
// library's temporal records are wider than their wire form), the QVariant type and the icon.
constexpr value_kind_row row(value_kind kind, int packed_width, const char *variant, const char *icon)
{
    const proto::kind_info &p = proto::info(proto_kind(kind));
    return {kind, p.name, p.type_code, p.sign, p.size_code, packed_width ? packed_width : int(p.width), variant, icon};
}

const value_kind_row kind_rows[] = {
    row(k::i08, 0, "int", ":/img/type_i08.svg"),
    row(k::u08, 0, "int", ":/img/type_u08.svg"),
    row(k::i16, 0, "int", ":/img/type_i16.svg"),
    row(k::u16, 0, "int", ":/img/type_u16.svg"),
    row(k::i32, 0, "int", ":/img/type_i32.svg"),
    row(k::u32, 0, "uint", ":/img/type_u32.svg"),
    row(k::i64, 0, "qlonglong", ":/img/type_i64.svg"),
    row(k::u64, 0, "qulonglong", ":/img/type_u64.svg"),
    row(k::flt, 0, "float", ":/img/type_float.svg"),
    row(k::dbl, 0, "double", ":/img/type_double.svg"),
    row(k::str, 0, "QString", ":/img/type_string.svg"),
    row(k::date, int(sizeof(mem::date)), "ox::db::mem::date", ":/img/type_date.svg"),
    row(k::time, int(sizeof(mem::time)), "ox::db::mem::time", ":/img/type_time.svg"),
    row(k::datetime, int(sizeof(mem::date_time)), "ox::db::mem::date_time", ":/img/type_datetime.svg"),
};
static_assert(sizeof kind_rows / sizeof kind_rows[0] == std::size_t(value_kind_count),
              "one row per kind");

const value_kind_row no_kind{k::none, "", 0, 0, 0, 0, "", ""};

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
    proto::kind pk;
    return proto::kind_from_name(std::string_view(type_name.constData(), std::size_t(type_name.size())), pk)
               ? value_kind(int(pk))
               : k::none;
}

value_kind kind_of(const cell *c)
{
    const int type = val_type(c);
    if (type < 0)
        return k::none;
    // The accessors give integers' and floating point's widths in bytes.
    const int bytes = type <= 1 ? val_size(c) : 0;
    const std::uint8_t size = bytes == 1 ? 0 : bytes == 2 ? 1 : bytes == 4 ? 2 : 3;
    proto::kind pk;
    return proto::kind_from_codes(std::uint8_t(type), std::uint8_t(type == 0 ? val_sign(c) : 2), size, pk)
               ? value_kind(int(pk))
               : k::none;
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
