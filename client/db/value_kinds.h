// The fourteen kinds of values the server sends, each named once: its grid type name, its wire
// triple, the width of its packed form, the QVariant type it travels in and its type icon; and
// the one reading of a result-set cell into that QVariant.
#pragma once

#include "support/proto/value_kinds.h"
#include "vorn_tsdb.h"

#include <QByteArray>
#include <QVariant>
#include <cstdint>
#include <cstdlib>

// The protocol's kinds under the grid's names, in the protocol's order; none for no kind.
using pk = proto::kind;
enum class value_kind : int {
    i08 = int(pk::i08), u08 = int(pk::u08), i16 = int(pk::i16), u16 = int(pk::u16), i32 = int(pk::i32),
    u32 = int(pk::u32), i64 = int(pk::i64), u64 = int(pk::u64), flt = int(pk::f32), dbl = int(pk::f64),
    str = int(pk::str), date = int(pk::date), time = int(pk::time), datetime = int(pk::datetime),
    none = proto::kind_count
};

constexpr int value_kind_count = int(value_kind::none);
constexpr proto::kind proto_kind(value_kind k) { return proto::kind(int(k)); }

struct value_kind_row {
    value_kind kind;
    const char *type_name;    // the grid's type name: "u08" ... "datetime"
    std::uint8_t type_code;   // the wire triple, as the cell carries it
    std::uint8_t sign;
    std::uint8_t size_code;
    int packed_width;         // bytes of the packed form; 0 for strings, which keep their bytes
    const char *variant_type; // meta-type name of the QVariant the grid holds
    const char *icon;         // resource path of the type icon
};

// The row of a kind; for value_kind::none a row with empty names and zero widths.
const value_kind_row &kind_row(value_kind k);

// The kind of a grid type name; none for any other name.
value_kind kind_of(const QByteArray &type_name);
// The kind of a cell as the library's accessors describe it (val_type, val_sign, val_size):
// integers by sign and width, floating point by width (4 float, else double). None for a null
// cell or an unknown type code.
value_kind kind_of(const cell *c);
QByteArray type_name(value_kind k);

inline bool is_integer(value_kind k) { return k != value_kind::none && proto::is_integer(proto_kind(k)); }
inline bool is_temporal(value_kind k)
{
    return k == value_kind::date || k == value_kind::time || k == value_kind::datetime;
}
// For the integer kinds only.
inline int int_bytes(value_kind k) { return proto::info(proto_kind(k)).width; }
inline bool int_signed(value_kind k) { return proto::is_signed_integer(proto_kind(k)); }

// The meta-type id of the kind's QVariant (the temporal types registered on first use).
int variant_type(value_kind k);

// An integer kind's QVariant from its bits; only the kind's low bytes are looked at.
QVariant int_variant(std::uint64_t bits, value_kind k);

// Reading a cell: fixed-width kinds through their packed form (the native number or the
// support library's record, kind_row(k).packed_width bytes), strings as their UTF-8 bytes.
void read_packed(const cell *c, value_kind k, unsigned char *out);
QVariant packed_value(const unsigned char *packed, value_kind k);
// Hands a string cell's bytes (pointer, length) to `use` without a copy of its own.
template <class F> void read_string(const cell *c, F &&use)
{
    char *bytes = nullptr;
    std::uint64_t len = 0;
    as_str(&bytes, &len, c);
    use(static_cast<const char *>(bytes), bytes ? len : 0);
    std::free(bytes);
}
QByteArray string_bytes(const cell *c);

// The cell as the QVariant the grid holds for the kind: int for the integer kinds up to 32 bits
// (u32: unsigned int), qlonglong / qulonglong for the 64-bit ones, float, double, a never-null
// QString, the ox::db::mem types. Invalid for value_kind::none.
QVariant cell_value(const cell *c, value_kind k);
