// The fourteen value kinds as the wire carries them: name, type/sign/size codes and width, in
// one order that every side indexes by.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace proto {

// Integers first (signed before unsigned of each width), then floating point, text and time.
enum class kind : std::uint8_t { i08, u08, i16, u16, i32, u32, i64, u64, f32, f64, str, date, time, datetime };
constexpr int kind_count = 14;

// The codes of a value's kind as a result set's column carries them.
namespace type_code {
constexpr std::uint8_t integer = 0, floating = 1, string = 2, date = 3, time = 4, datetime = 5;
constexpr std::uint8_t last = datetime; // every higher code is unknown
} // namespace type_code
namespace sign_code {
constexpr std::uint8_t signed_int = 0, unsigned_int = 1, not_integer = 2;
}
namespace size_code {
// 1, 2, 4 and 8 bytes for numbers; a float is 4 bytes exactly with `bytes4`.
constexpr std::uint8_t bytes1 = 0, bytes2 = 1, bytes4 = 2, bytes8 = 3, string = 4, temporal = 5;
} // namespace size_code

struct kind_info {
    const char* name;       // type name in commands, field lists and typed CSV headers
    std::uint8_t type_code;
    std::uint8_t sign;
    std::uint8_t size_code;
    std::uint8_t width;     // bytes of a fixed-width value on the wire; 0 for strings
};

inline constexpr kind_info kinds[kind_count] = {
    {"i08", 0, 0, 0, 1},      {"u08", 0, 1, 0, 1},    {"i16", 0, 0, 1, 2},     {"u16", 0, 1, 1, 2},
    {"i32", 0, 0, 2, 4},      {"u32", 0, 1, 2, 4},    {"i64", 0, 0, 3, 8},     {"u64", 0, 1, 3, 8},
    {"float", 1, 2, 2, 4},    {"double", 1, 2, 3, 8}, {"string", 2, 2, 4, 0},  {"date", 3, 2, 5, 4},
    {"time", 4, 2, 5, 7},     {"datetime", 5, 2, 5, 11},
};

// A string's value travels behind a 2-byte length; a time sits after the 4 date bytes.
constexpr std::size_t string_length_bytes = 2;
constexpr std::size_t time_offset = 4;
constexpr std::size_t max_string_bytes = 65535;

constexpr const kind_info& info(kind k) { return kinds[static_cast<int>(k)]; }
constexpr bool is_integer(kind k) { return k <= kind::u64; }
constexpr bool is_signed_integer(kind k) { return is_integer(k) && info(k).sign == sign_code::signed_int; }
constexpr bool is_temporal(kind k) { return k >= kind::date; }

// The kind of a type name; false for any other name.
bool kind_from_name(std::string_view name, kind& out);
// The kind of a column's three codes, read leniently as the library's accessors report them:
// any nonzero sign of an integer is unsigned and a floating-point value is a float exactly when
// its size code says 4 bytes. False for an unknown type code.
bool kind_from_codes(std::uint8_t type, std::uint8_t sign, std::uint8_t size, kind& out);

// Bytes a column's value takes on the wire from its type and size codes (strings: their length
// field); 0 for an unknown type code.
constexpr std::size_t wire_width(std::uint8_t type, std::uint8_t size)
{
    switch (type) {
    case type_code::integer: return size == size_code::bytes1 ? 1 : size == size_code::bytes2 ? 2 : size == size_code::bytes4 ? 4 : 8;
    case type_code::floating: return size == size_code::bytes4 ? 4 : 8;
    case type_code::string: return string_length_bytes;
    case type_code::date: return info(kind::date).width;
    case type_code::time: return info(kind::time).width;
    case type_code::datetime: return info(kind::datetime).width;
    default: return 0;
    }
}

} // namespace proto
