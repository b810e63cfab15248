// Kinds, calendar arithmetic, literal parsing and text forms of stored values.
#include "value.h"

#include "support/proto/calendar.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <charconv>
#include <cstring>

namespace devserver {

namespace {

void put_le(char* out, std::uint64_t v, int n)
{
    for (int i = 0; i < n; ++i)
        out[i] = char((v >> (8 * i)) & 0xFF);
}

std::uint64_t get_le(const char* in, int n)
{
    std::uint64_t v = 0;
    for (int i = 0; i < n; ++i)
        v |= std::uint64_t(static_cast<unsigned char>(in[i])) << (8 * i);
    return v;
}

// The literal's bytes, or the reason it is no literal of the kind.
std::string parse_number(kind k, std::string_view s, std::string& bytes)
{
    const kind_info& ki = info(k);
    if (is_integer(k)) {
        std::uint64_t raw = 0;
        const proto::syntax e = proto::read_integer(s, k, raw);
        if (e != proto::syntax::ok)
            return proto::syntax_message(e, k);
        bytes.resize(ki.width);
        put_le(&bytes[0], raw, ki.width);
        return {};
    }
    double v = 0;
    const proto::syntax e = proto::read_float(s, k, v);
    if (e != proto::syntax::ok)
        return proto::syntax_message(e, k);
    if (k == kind::f32) {
        const float f = float(v);
        bytes.assign(reinterpret_cast<const char*>(&f), 4);
    } else {
        bytes.assign(reinterpret_cast<const char*>(&v), 8);
    }
    return {};
}

std::size_t fixed_text(char* buf, double v, int precision, bool exact)
{
    if (!std::isfinite(v))
        return std::size_t(std::snprintf(buf, value_text_room, "%.*f", precision, v));
    // to_chars writes what printf's fixed form writes, without its cost.
    char* end = std::to_chars(buf, buf + value_text_room, v, std::chars_format::fixed, precision).ptr;
    // The fixed form keeps every bit of any magnitude of 0.1 or more (as many significant
    // digits as the type needs); only smaller ones can lose bits.
    if (exact && v != 0 && std::fabs(v) < 0.1) {
        double back = 0;
        std::from_chars(buf, end, back);
        const bool same = precision == 9 ? float(back) == float(v) : back == v;
        if (!same)
            end = std::to_chars(buf, buf + value_text_room, v, std::chars_format::general, precision).ptr;
    }
    return std::size_t(end - buf);
}

void two_digits(char* out, int v)
{
    out[0] = char('0' + v / 10);
    out[1] = char('0' + v % 10);
}

std::size_t format_date(char* buf, const civil& c)
{
    if (c.year < 0 || c.year > 9999)
        return std::size_t(std::snprintf(buf, 32, "%04d-%02d-%02d", c.year, c.month, c.day));
    two_digits(buf, c.year / 100);
    two_digits(buf + 2, c.year % 100);
    buf[4] = '-';
    two_digits(buf + 5, c.month % 100);
    buf[7] = '-';
    two_digits(buf + 8, c.day % 100);
    return 10;
}

std::size_t format_time(char* buf, const civil& c)
{
    two_digits(buf, c.hour % 100);
    buf[2] = ':';
    two_digits(buf + 3, c.minute % 100);
    buf[5] = ':';
    two_digits(buf + 6, c.second % 100);
    std::size_t n = 8;
    if (c.ns != 0) {
        std::uint32_t ns = c.ns;
        if (ns > 999999999)
            return std::size_t(std::snprintf(buf, 40, "%02d:%02d:%02d.%09u", c.hour, c.minute, c.second, unsigned(ns)));
        buf[n++] = '.';
        for (int i = 8; i >= 0; --i) {
            buf[n + std::size_t(i)] = char('0' + ns % 10);
            ns /= 10;
        }
        n += 9;
        while (buf[n - 1] == '0')
            --n;
    }
    return n;
}

} // namespace

bool valid_date(int y, int m, int d) { return proto::valid_date(y, m, d); }

// Proleptic Gregorian day count (after H. Hinnant's civil algorithms), shifted to 0001-01-01.
std::int64_t days_from_civil(int y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = unsigned((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1);
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468 + 719162;
}

void civil_from_days(std::int64_t z, int& y, int& m, int& d)
{
    z += 719468 - 719162;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(std::int64_t(yoe) + era * 400 + (m <= 2));
}

time_point to_time_point(const civil& c)
{
    time_point tp;
    tp.sec = days_from_civil(c.year, c.month, c.day) * 86400 + c.hour * 3600 + c.minute * 60 + c.second;
    tp.ns = c.ns;
    return tp;
}

civil to_civil(time_point tp)
{
    civil c;
    std::int64_t days = tp.sec / 86400;
    std::int64_t rem = tp.sec % 86400;
    if (rem < 0)
        rem += 86400, --days;
    civil_from_days(days, c.year, c.month, c.day);
    c.hour = int(rem / 3600);
    c.minute = int(rem / 60 % 60);
    c.second = int(rem % 60);
    c.ns = tp.ns;
    return c;
}

time_point min_time_point() { return {0, 0}; }

time_point max_time_point()
{
    civil c;
    c.year = 9999, c.month = 12, c.day = 31, c.hour = 23, c.minute = 59, c.second = 59;
    c.ns = 999999999;
    return to_time_point(c);
}

bool parse_date(std::string_view s, civil& c) { return proto::read_date(s, c); }
bool parse_time(std::string_view s, civil& c) { return proto::read_time(s, c); }
bool parse_datetime(std::string_view s, civil& c) { return proto::read_datetime(s, c); }

void put_date(char* out, const civil& c)
{
    put_le(out, std::uint64_t(c.year), 2);
    out[2] = char(c.month);
    out[3] = char(c.day);
}

void put_time(char* out, const civil& c)
{
    out[0] = char(c.hour);
    out[1] = char(c.minute);
    out[2] = char(c.second);
    put_le(out + 3, c.ns, 4);
}

void put_datetime(char* out, const civil& c)
{
    put_date(out, c);
    put_time(out + 4, c);
}

civil get_temporal(kind k, const char* in)
{
    civil c;
    if (k == kind::date || k == kind::datetime) {
        c.year = int(get_le(in, 2));
        c.month = static_cast<unsigned char>(in[2]);
        c.day = static_cast<unsigned char>(in[3]);
        if (k == kind::datetime)
            in += 4;
    }
    if (k == kind::time || k == kind::datetime) {
        c.hour = static_cast<unsigned char>(in[0]);
        c.minute = static_cast<unsigned char>(in[1]);
        c.second = static_cast<unsigned char>(in[2]);
        c.ns = std::uint32_t(get_le(in + 3, 4));
    }
    return c;
}

std::string parse_literal(kind k, std::string_view text, std::string& bytes)
{
    if (is_integer(k) || k == kind::f32 || k == kind::f64)
        return parse_number(k, text, bytes);
    if (k == kind::str) {
        if (text.size() > proto::max_string_bytes)
            return proto::syntax_message(proto::syntax::too_long, k);
        bytes.assign(text.data(), text.size());
        return {};
    }
    civil c;
    bool ok = k == kind::date ? parse_date(text, c) : k == kind::time ? parse_time(text, c) : parse_datetime(text, c);
    if (!ok)
        return proto::syntax_message(proto::syntax::not_temporal, k);
    bytes.resize(info(k).width);
    if (k == kind::date)
        put_date(&bytes[0], c);
    else if (k == kind::time)
        put_time(&bytes[0], c);
    else
        put_datetime(&bytes[0], c);
    return {};
}

std::string date_text(const civil& c)
{
    char buf[32];
    return std::string(buf, format_date(buf, c));
}

std::string time_text(const civil& c)
{
    char buf[40];
    return std::string(buf, format_time(buf, c));
}

std::size_t format_datetime(char* buf, const civil& c)
{
    const std::size_t n = format_date(buf, c);
    buf[n] = ' ';
    return n + 1 + format_time(buf + n + 1, c);
}

std::string datetime_text(const civil& c)
{
    char buf[80];
    return std::string(buf, format_datetime(buf, c));
}

std::size_t format_value(char* buf, kind k, const char* b, bool exact)
{
    const kind_info& ki = info(k);
    if (is_integer(k)) {
        const std::uint64_t raw = get_le(b, ki.width);
        if (ki.sign == 1)
            return std::size_t(std::to_chars(buf, buf + 24, raw).ptr - buf);
        const int shift = 64 - ki.width * 8;
        const std::int64_t v = std::int64_t(raw << shift) >> shift;
        return std::size_t(std::to_chars(buf, buf + 24, v).ptr - buf);
    }
    switch (k) {
    case kind::f32: {
        float f;
        std::memcpy(&f, b, 4);
        return fixed_text(buf, double(f), 9, exact);
    }
    case kind::f64: {
        double d;
        std::memcpy(&d, b, 8);
        return fixed_text(buf, d, 17, exact);
    }
    case kind::date:
        return format_date(buf, get_temporal(k, b));
    case kind::time:
        return format_time(buf, get_temporal(k, b));
    default:
        return format_datetime(buf, get_temporal(k, b));
    }
}

std::string text_of(kind k, const char* b, std::size_t len, bool exact)
{
    if (k == kind::str)
        return std::string(b, len);
    char buf[value_text_room];
    return std::string(buf, format_value(buf, k, b, exact));
}

} // namespace devserver
