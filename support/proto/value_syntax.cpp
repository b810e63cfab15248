// Literal forms of values; both the server's reading and the client's file checks rest on them.
#include "support/proto/value_syntax.h"

#include "support/hex_digit.h"
#include "support/proto/calendar.h"

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace proto {

namespace {

bool digits(std::string_view s, std::size_t pos, std::size_t n, int& v)
{
    unsigned u = 0;
    const bool ok = read_fixed_digits(s, pos, n, 10, u);
    v = int(u);
    return ok;
}

bool ieq(std::string_view a, std::string_view lower)
{
    if (a.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != lower[i])
            return false;
    }
    return true;
}

} // namespace

bool read_fixed_digits(std::string_view s, std::size_t pos, std::size_t n, unsigned base, unsigned& v)
{
    if (pos + n > s.size())
        return false;
    v = 0;
    for (std::size_t i = pos; i < pos + n; ++i) {
        const int d = ox::hex_value(s[i]);
        if (d < 0 || unsigned(d) >= base)
            return false;
        v = v * base + unsigned(d);
    }
    return true;
}

syntax read_integer(std::string_view s, kind k, std::uint64_t& raw)
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
    unsigned base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'b' || s[1] == 'B')) {
        base = 2;
        s.remove_prefix(2);
    }
    if (s.empty())
        return syntax::not_integer;
    std::uint64_t mag = 0;
    bool overflow = false;
    for (char c : s) {
        const int d = ox::hex_value(c);
        if (d < 0 || unsigned(d) >= base)
            return syntax::not_integer;
        if (mag > (UINT64_MAX - std::uint64_t(d)) / base)
            overflow = true;
        else
            mag = mag * base + std::uint64_t(d);
    }
    const int bits = info(k).width * 8;
    if (overflow)
        return syntax::out_of_range;
    if (!is_signed_integer(k)) {
        const std::uint64_t max = bits == 64 ? UINT64_MAX : ((std::uint64_t(1) << bits) - 1);
        if ((neg && mag != 0) || mag > max)
            return syntax::out_of_range;
        raw = mag;
    } else {
        const std::uint64_t lim = std::uint64_t(1) << (bits - 1); // |min|; max is lim - 1
        if (neg ? mag > lim : mag >= lim)
            return syntax::out_of_range;
        raw = neg ? (~mag + 1) : mag;
    }
    return syntax::ok;
}

syntax read_float(std::string_view s, kind k, double& v)
{
    const char suffix = k == kind::f32 ? 'f' : 'd';
    std::string_view body = s;
    if (!body.empty() && (body.back() == suffix || body.back() == char(suffix - 32)) && !ieq(body, "inf") &&
        !ieq(body, "+inf") && !ieq(body, "-inf"))
        body.remove_suffix(1);
    std::string_view rest = body;
    bool neg = false;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        neg = rest[0] == '-';
        rest.remove_prefix(1);
    }
    if (ieq(rest, "inf") || ieq(rest, "infinity")) {
        v = neg ? -HUGE_VAL : HUGE_VAL;
        return syntax::ok;
    }
    if (ieq(rest, "nan")) {
        v = neg ? -NAN : NAN;
        return syntax::ok;
    }
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
        return syntax::not_number;
    if (i < rest.size() && (rest[i] == 'e' || rest[i] == 'E')) {
        ++i;
        if (i < rest.size() && (rest[i] == '+' || rest[i] == '-'))
            ++i;
        std::size_t exp_digits = 0;
        while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9')
            ++i, ++exp_digits;
        if (exp_digits == 0)
            return syntax::not_number;
    }
    if (i != rest.size())
        return syntax::not_number;
    // from_chars reads the checked form quickly; it refuses a leading '+' and leaves overflow
    // and underflow to strtod, whose answers (infinity, a subnormal) decide.
    const char* first = body.data() + (body[0] == '+' ? 1 : 0);
    const auto r = std::from_chars(first, body.data() + body.size(), v);
    if (r.ec != std::errc()) {
        const std::string copy(body);
        errno = 0;
        v = std::strtod(copy.c_str(), nullptr);
        if (errno == ERANGE && std::isinf(v))
            return syntax::out_of_range;
    }
    if (k == kind::f32 && std::isfinite(v) && std::fabs(v) > double(FLT_MAX))
        return syntax::out_of_range;
    return syntax::ok;
}

bool read_date(std::string_view s, civil_parts& c)
{
    int y, m, d;
    if (s.size() != 10 || s[4] != '-' || s[7] != '-' || !digits(s, 0, 4, y) || !digits(s, 5, 2, m) ||
        !digits(s, 8, 2, d) || !valid_date(y, m, d))
        return false;
    c.year = y, c.month = m, c.day = d;
    return true;
}

bool read_time(std::string_view s, civil_parts& c)
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
        for (std::size_t i = 0; i < 9; ++i) {
            int part = 0;
            if (i < n && !digits(s, 9 + i, 1, part))
                return false;
            ns = ns * 10 + std::uint32_t(part);
        }
    }
    c.hour = h, c.minute = mi, c.second = se, c.ns = ns;
    return true;
}

bool read_datetime(std::string_view s, civil_parts& c)
{
    if (s.size() < 19 || s[10] != ' ')
        return false;
    civil_parts t = c;
    if (!read_date(s.substr(0, 10), t) || !read_time(s.substr(11), t))
        return false;
    c = t;
    return true;
}

syntax check_literal(std::string_view text, kind k)
{
    if (is_integer(k)) {
        std::uint64_t raw;
        return read_integer(text, k, raw);
    }
    if (k == kind::f32 || k == kind::f64) {
        double v;
        return read_float(text, k, v);
    }
    if (k == kind::str)
        return text.size() > max_string_bytes ? syntax::too_long : syntax::ok;
    civil_parts c;
    const bool ok = k == kind::date ? read_date(text, c) : k == kind::time ? read_time(text, c) : read_datetime(text, c);
    return ok ? syntax::ok : syntax::not_temporal;
}

std::string syntax_message(syntax s, kind k)
{
    switch (s) {
    case syntax::ok: return {};
    case syntax::not_integer: return "not an integer";
    case syntax::not_number: return "not a number";
    case syntax::out_of_range: return std::string("out of range for ") + info(k).name;
    case syntax::not_temporal: return std::string("not a valid ") + info(k).name;
    case syntax::too_long: return "string longer than " + std::to_string(max_string_bytes) + " bytes";
    }
    return {};
}

} // namespace proto
