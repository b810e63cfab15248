// Texts of integer and floating-point cell values in the grid's number display modes, and the
// parsers that read them back; the parsers also judge partial input for the typed entries.
#pragma once

#include "db/value_kinds.h"

#include <QString>
#include <cstdint>

namespace value_text {

// Base 0 binary, 1 hexadecimal, 2 decimal.
struct number_format {
    int base = 2;
    bool show_plus = false;
    bool show_suffix = false;
};

// The four radio buttons of the data view: "Bin", "Hex", "Dec", "Nor".
enum class display_mode { binary, hexadecimal, decimal, typed };
number_format format_of(display_mode mode);

// An integer travels as 64 bits: sign-extended for the signed kinds, zero-extended otherwise.
// Only the kind's low bytes are looked at.
QString int_text(uint64_t bits, value_kind kind, const number_format &fmt);
QString float_text(float v, const number_format &fmt);
QString double_text(double v, const number_format &fmt);

// The suffix "u1", "u2", "u4" or "u8" of an integer kind.
QString int_suffix(value_kind kind);

// How far a text gets towards a value: refused, a beginning that may still become a value
// (empty, a sign, a prefix, a half-typed suffix), or a value.
enum class parse_state { invalid, partial, complete };

struct int_parse {
    parse_state state = parse_state::invalid;
    uint64_t bits = 0;
};
// Blanks are ignored; a sign ("-" only for signed kinds), the prefix of the base ("0b" for
// binary, "0x" for hexadecimal, none for decimal), digits of that base and the kind's size
// suffix are accepted. A value outside the kind's range is refused.
int_parse parse_int(const QString &text, value_kind kind, int base);

struct real_parse {
    parse_state state = parse_state::invalid;
    double value = 0;
};
// A sign, digits with an optional point and exponent, or "inf"/"nan", then optionally the
// suffix "f" (float) or "d" (double). Finite values outside the kind's range are refused.
real_parse parse_real(const QString &text, bool is_double);

} // namespace value_text
