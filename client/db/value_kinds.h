// The fourteen kinds of values the server sends, each named once: its grid type name, its wire
// triple, the width of its packed form, the QVariant type it travels in and its type icon; and
// the one reading of a result-set cell into that QVariant.
#pragma once

#include "vorn_tsdb.h"

#include <QByteArray>
#include <QVariant>
#include <cstdint>
#include <cstdlib>

// The integer kinds come first, unsigned before signed of each width, in the order of the
// integer delegates and entries: an integer kind's width is 1 << (kind / 2) bytes and it is
// signed when kind % 2 is 1.
enum class value_kind : int { u08 = 0, i08, u16, i16, u32, i32, u64, i64, flt, dbl, str, date, time, datetime, none };

constexpr int value_kind_count = int(value_kind::none);

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

inline bool is_integer(value_kind k) { return int(k) <= int(value_kind::i64); }
inline bool is_temporal(value_kind k)
{
    return k == value_kind::date || k == value_kind::time || k == value_kind::datetime;
}
// For the integer kinds only.
inline int int_bytes(value_kind k) { return 1 << (int(k) / 2); }
inline bool int_signed(value_kind k) { return int(k) % 2 == 1; }

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
