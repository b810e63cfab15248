// Kinds, calendar arithmetic, literal parsing and text forms of stored values.
#include "value.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <charconv>
#include <cstring>

namespace devserver {

namespace {

const kind_info kinds[] = {
    {"i08", 0, 0, 0, 1}, {"u08", 0, 1, 0, 1}, {"i16", 0, 0, 1, 2}, {"u16", 0, 1, 1, 2},
    {"i32", 0, 0, 2, 4}, {"u32", 0, 1, 2, 4}, {"i64", 0, 0, 3, 8}, {"u64", 0, 1, 3, 8},
    {"float", 1, 2, 2, 4}, {"double", 1, 2, 3, 8}, {"string", 2, 2, 4, 0},
    {"date", 3, 2, 5, 4}, {"time", 4, 2, 5, 7}, {"datetime", 5, 2, 5, 11},
};

bool digits(std::string_view s, std::size_t pos, std::size_t n, int& v)
{
    if (pos + n > s.size())
        return false;
    v = 0;
    for (std::size_t i = pos; i < pos + n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        v = v * 10 + (s[i] - '0');
    }
    return true;
}

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

bool ieq(std::string_view a, const char* b)
{
    if (a.size() != std::strlen(b))
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != b[i])
            return false;
    }
    return true;
}

std::string parse_integer(kind k, std::string_view s, std::string& bytes)
{
    bool neg = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        neg = s[0] == '-';
        s.remove_prefix(1);
    }
    // The size suffix says nothing the field type does not already say.
    if (s.size() > 2 && (s[s.size() - 2] == 'u' || s[s.size() - 2] == 'U')) {
        const char c = s.back();
        if (c == '1' || c == '2' || c == '4' || c == '8')
            s.remove_suffix(2);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'b' || s[1] == 'B')) {
        base = 2;
        s.remove_prefix(2);
    }
    if (s.empty())
        return "not an integer";
    std::uint64_t mag = 0;
    bool overflow = false;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return "not an integer";
        if (d >= base)
            return "not an integer";
        if (mag > (UINT64_MAX - std::uint64_t(d)) / std::uint64_t(base))
            overflow = true;
        else
            mag = mag * std::uint64_t(base) + std::uint64_t(d);
    }
    const kind_info& ki = info(k);
    const int bits = ki.width * 8;
    if (overflow)
        return std::string("out of range for ") + ki.name;
    std::uint64_t raw;
    if (ki.sign == 1) {
        const std::uint64_t max = bits == 64 ? UINT64_MAX : ((std::uint64_t(1) << bits) - 1);
        if ((neg && mag != 0) || mag > max)
            return std::string("out of range for ") + ki.name;
        raw = mag;
    } else {
        const std::uint64_t lim = std::uint64_t(1) << (bits - 1);   // |min|; max is lim - 1
        if (neg ? mag > lim : mag >= lim)
            return std::string("out of range for ") + ki.name;
        raw = neg ? (~mag + 1) : mag;
    }
    bytes.resize(ki.width);
    put_le(&bytes[0], raw, ki.width);
    return {};
}

std::string parse_float(kind k, std::string_view s, std::string& bytes)
{
    const char suffix = k == kind::f32 ? 'f' : 'd';
    std::string_view body = s;
    if (!body.empty() && (body.back() == suffix || body.back() == char(suffix - 32)) &&
        !ieq(body, "inf") && !ieq(body, "+inf") && !ieq(body, "-inf"))
        body.remove_suffix(1);
    std::string_view rest = body;
    bool neg = false;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        neg = rest[0] == '-';
        rest.remove_prefix(1);
    }
    double v;
    if (ieq(rest, "inf") || ieq(rest, "infinity")) {
        v = neg ? -HUGE_VAL : HUGE_VAL;
    } else if (ieq(rest, "nan")) {
        v = neg ? -NAN : NAN;
    } else {
        // Strict decimal form: digits, optional fraction, optional exponent.
        std::size_t i = 0, int_digits = 0, frac_digits = 0;
        while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9')
            ++i, ++int_digits;
        if (i < rest.size() && rest[i] == '.') {
            ++i;
            while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9')
                ++i, ++frac_digits;
        }
        if (int_digits + frac_digits == 0)
            return "not a number";
        if (i < rest.size() && (rest[i] == 'e' || rest[i] == 'E')) {
            ++i;
            if (i < rest.size() && (rest[i] == '+' || rest[i] == '-'))
                ++i;
            std::size_t exp_digits = 0;
            while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9')
                ++i, ++exp_digits;
            if (exp_digits == 0)
                return "not a number";
        }
        if (i != rest.size())
            return "not a number";
        // from_chars reads the checked form quickly; it refuses a leading '+' and leaves
        // overflow and underflow to strtod, whose answers (infinity, a subnormal) decide.
        const char* first = body.data() + (!body.empty() && body[0] == '+' ? 1 : 0);
        const auto r = std::from_chars(first, body.data() + body.size(), v);
        if (r.ec != std::errc()) {
            const std::string copy(body);
            errno = 0;
            v = std::strtod(copy.c_str(), nullptr);
            if (errno == ERANGE && std::isinf(v))
                return std::string("out of range for ") + info(k).name;
        }
    }
    if (k == kind::f32) {
        if (std::isfinite(v) && std::fabs(v) > double(FLT_MAX))
            return "out of range for float";
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

const kind_info& info(kind k) { return kinds[static_cast<int>(k)]; }

bool kind_from_name(std::string_view name, kind& out)
{
    for (int i = 0; i < 14; ++i) {
        if (name == kinds[i].name) {
            out = static_cast<kind>(i);
            return true;
        }
    }
    return false;
}

bool valid_date(int y, int m, int d)
{
    static const int mdays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1)
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= mdays[m - 1] + (m == 2 && leap ? 1 : 0);
}

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

bool parse_date(std::string_view s, civil& c)
{
    int y, m, d;
    if (s.size() != 10 || s[4] != '-' || s[7] != '-' || !digits(s, 0, 4, y) || !digits(s, 5, 2, m) ||
        !digits(s, 8, 2, d) || !valid_date(y, m, d))
        return false;
    c.year = y, c.month = m, c.day = d;
    return true;
}

bool parse_time(std::string_view s, civil& c)
{
    int h, mi, se;
    if (s.size() < 8 || s[2] != ':' || s[5] != ':' || !digits(s, 0, 2, h) || !digits(s, 3, 2, mi) ||
        !digits(s, 6, 2, se) || h > 23 || mi > 59 || se > 59)
        return false;
    std::uint32_t ns = 0;
    if (s.size() > 8) {
        const std::size_t n = s.size() - 9;
        if (s[8] != '.' || n < 1 || n > 9)
            return false;
        int part;
        for (std::size_t i = 0; i < 9; ++i) {
            if (i < n) {
                if (!digits(s, 9 + i, 1, part))
                    return false;
            } else {
                part = 0;
            }
            ns = ns * 10 + std::uint32_t(part);
        }
    }
    c.hour = h, c.minute = mi, c.second = se, c.ns = ns;
    return true;
}

bool parse_datetime(std::string_view s, civil& c)
{
    if (s.size() < 19 || s[10] != ' ')
        return false;
    civil t = c;
    if (!parse_date(s.substr(0, 10), t) || !parse_time(s.substr(11), t))
        return false;
    c = t;
    return true;
}

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
    if (is_integer(k))
        return parse_integer(k, text, bytes);
    if (k == kind::f32 || k == kind::f64)
        return parse_float(k, text, bytes);
    if (k == kind::str) {
        if (text.size() > 65535)
            return "string longer than 65535 bytes";
        bytes.assign(text.data(), text.size());
        return {};
    }
    civil c;
    bool ok = k == kind::date ? parse_date(text, c) : k == kind::time ? parse_time(text, c) : parse_datetime(text, c);
    if (!ok)
        return std::string("not a valid ") + info(k).name;
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
