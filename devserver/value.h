// Value kinds, temporal records and the literal and text forms the server reads and writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace devserver {

// The fourteen field types, in the order of their type names.
enum class kind : std::uint8_t {
    i08, u08, i16, u16, i32, u32, i64, u64, f32, f64, str, date, time, datetime
};

struct kind_info {
    const char* name;      // type name used in commands and field lists
    std::uint8_t type_code;
    std::uint8_t sign;
    std::uint8_t size_code;
    std::uint8_t width;    // bytes of a fixed-width value on the wire; 0 for strings
};

const kind_info& info(kind k);
bool kind_from_name(std::string_view name, kind& out);
inline bool is_integer(kind k) { return k <= kind::u64; }

// A point on the time line: seconds since 0001-01-01 00:00:00 and the nanoseconds within it.
struct time_point {
    std::int64_t sec = 0;
    std::uint32_t ns = 0;
    bool operator<(const time_point& o) const { return sec < o.sec || (sec == o.sec && ns < o.ns); }
    bool operator==(const time_point& o) const { return sec == o.sec && ns == o.ns; }
    bool operator<=(const time_point& o) const { return !(o < *this); }
};

struct civil {
    int year = 1, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    std::uint32_t ns = 0;
};

bool valid_date(int y, int m, int d);
std::int64_t days_from_civil(int y, int m, int d);   // days since 0001-01-01
void civil_from_days(std::int64_t days, int& y, int& m, int& d);
time_point to_time_point(const civil& c);
civil to_civil(time_point tp);

time_point min_time_point();   // 0001-01-01 00:00:00
time_point max_time_point();   // 9999-12-31 23:59:59.999999999

// Temporal texts: each parser accepts exactly its own form and checks the calendar.
bool parse_date(std::string_view s, civil& c);
bool parse_time(std::string_view s, civil& c);
bool parse_datetime(std::string_view s, civil& c);   // "date time" joined by one blank

// Wire bytes of temporal values (little-endian fields as the result encoding carries them).
void put_date(char* out, const civil& c);
void put_time(char* out, const civil& c);
void put_datetime(char* out, const civil& c);
civil get_temporal(kind k, const char* in);

// Parses a literal for a field of kind k into its wire bytes (for strings: the raw bytes).
// Returns an empty string on success, else the reason.
std::string parse_literal(kind k, std::string_view text, std::string& bytes);

// Text form of a stored value; `exact` asks for a form that reads back to the same value.
std::string text_of(kind k, const char* bytes, std::size_t len, bool exact = false);
// The same for a fixed-width kind, written into buf (value_text_room bytes); returns the length.
constexpr std::size_t value_text_room = 400;
std::size_t format_value(char* buf, kind k, const char* bytes, bool exact);
// "YYYY-MM-DD HH:MM:SS" with the fraction's significant digits; returns the length (at most 29).
std::size_t format_datetime(char* buf, const civil& c);

std::string date_text(const civil& c);
std::string time_text(const civil& c);
std::string datetime_text(const civil& c);

} // namespace devserver
