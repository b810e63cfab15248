// Value kinds, temporal records and the literal and text forms the server reads and writes.
#pragma once

#include "support/proto/value_syntax.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace devserver {

// The fourteen field types and their wire codes, as the protocol lists them.
using kind = proto::kind;
using kind_info = proto::kind_info;

using proto::info;
using proto::is_integer;
using proto::kind_from_name;

// A point on the time line: seconds since 0001-01-01 00:00:00 and the nanoseconds within it.
struct time_point {
    std::int64_t sec = 0;
    std::uint32_t ns = 0;
    bool operator<(const time_point& o) const { return sec < o.sec || (sec == o.sec && ns < o.ns); }
    bool operator==(const time_point& o) const { return sec == o.sec && ns == o.ns; }
    bool operator<=(const time_point& o) const { return !(o < *this); }
};

using civil = proto::civil_parts;

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
