// The literal forms of values as commands and CSV files write them: integers in three bases,
// floating point, dates and times; and the reasons a text is not one.
#pragma once

#include "support/proto/value_kinds.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace proto {

enum class syntax { ok, not_integer, not_number, out_of_range, not_temporal, too_long };

// [+-][0x|0b]digits[u1|u2|u4|u8] for an integer kind: the two's complement bits in `raw`.
syntax read_integer(std::string_view text, kind k, std::uint64_t& raw);
// Decimal with optional fraction and exponent, inf, infinity or nan, each optionally signed,
// with an optional f (float) or d (double) suffix; f32 values are checked against float's range.
syntax read_float(std::string_view text, kind k, double& value);

struct civil_parts {
    int year = 1, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    std::uint32_t ns = 0;
};
// YYYY-MM-DD, HH:MM:SS[.fraction of 1 to 9 digits], and the two joined by one blank; each checks
// the calendar and leaves `out` alone when the text is not its form.
bool read_date(std::string_view text, civil_parts& out);
bool read_time(std::string_view text, civil_parts& out);
bool read_datetime(std::string_view text, civil_parts& out);

// The value of the n digits in `base` at pos (decimal fields of dates, hex of escapes); false
// when the text is shorter or one is no digit of the base.
bool read_fixed_digits(std::string_view text, std::size_t pos, std::size_t n, unsigned base, unsigned& v);

// Checks a literal for a kind without keeping its value.
syntax check_literal(std::string_view text, kind k);

// The reason a literal of the kind is refused ("not an integer", "out of range for u08", ...).
std::string syntax_message(syntax s, kind k);

} // namespace proto
