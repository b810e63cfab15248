// Kinds, calendar arithmetic, literal parsing and text forms of stored values.
#include "value.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
        const std::string copy(body);
        errno = 0;
        v = std::strtod(copy.c_str(), nullptr);
        if (errno == ERANGE && std::isinf(v))
            return std::string("out of range for ") + info(k).name;
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

std::string fixed_text(double v, int precision, bool exact, int exact_digits)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", precision, v);
    if (exact && std::isfinite(v) && v != 0) {
        // The fixed form drops tiny magnitudes; fall back to a form that keeps every bit.
        const double back = std::strtod(buf, nullptr);
        const bool same = precision == 9 ? float(back) == float(v) : back == v;
        if (!same)
            std::snprintf(buf, sizeof buf, "%.*g", exact_digits, v);
    }
    return buf;
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
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", c.year, c.month, c.day);
    return buf;
}

std::string time_text(const civil& c)
{
    char buf[40];
    int n = std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    if (c.ns != 0) {
        n += std::snprintf(buf + n, sizeof buf - std::size_t(n), ".%09u", unsigned(c.ns));
        while (buf[n - 1] == '0')
            buf[--n] = 0;
    }
    return buf;
}

std::string datetime_text(const civil& c) { return date_text(c) + " " + time_text(c); }

std::string text_of(kind k, const char* b, std::size_t len, bool exact)
{
    const kind_info& ki = info(k);
    if (is_integer(k)) {
        const std::uint64_t raw = get_le(b, ki.width);
        if (ki.sign == 1)
            return std::to_string(raw);
        const int shift = 64 - ki.width * 8;
        const std::int64_t v = std::int64_t(raw << shift) >> shift;
        return std::to_string(v);
    }
    switch (k) {
    case kind::f32: {
        float f;
        std::memcpy(&f, b, 4);
        return fixed_text(double(f), 9, exact, 9);
    }
    case kind::f64: {
        double d;
        std::memcpy(&d, b, 8);
        return fixed_text(d, 17, exact, 17);
    }
    case kind::str:
        return std::string(b, len);
    case kind::date:
        return date_text(get_temporal(k, b));
    case kind::time:
        return time_text(get_temporal(k, b));
    default:
        return datetime_text(get_temporal(k, b));
    }
}

} // namespace devserver
