// Text forms of values for print.
#include "value_text.h"

#include "result_set.h"
#include "vorn_tsdb.h"

#include <cstdio>
#include <cstring>

namespace vorn {

namespace {
void append_time(std::string &out, const cell *c)
{
    int h, m, s, ns;
    as_time(&h, &m, &s, &ns, c);
    char buf[40];
    int n = std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, m, s);
    if (ns != 0) {
        char frac[16];
        std::snprintf(frac, sizeof frac, "%09u", static_cast<unsigned>(ns));
        std::size_t k = std::strlen(frac);
        while (k > 0 && frac[k - 1] == '0')
            --k;
        frac[k] = '\0';
        n += std::snprintf(buf + n, sizeof buf - static_cast<std::size_t>(n), ".%s", frac);
    }
    out.append(buf, static_cast<std::size_t>(n));
}

void append_date(std::string &out, const cell *c)
{
    int y, m, d;
    as_date(&y, &m, &d, c);
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    out.append(buf, static_cast<std::size_t>(n));
}
} // namespace

void append_text(std::string &out, const cell *c)
{
    char buf[400];
    int n = 0;
    switch (c->type_code) {
    case type_code::integer:
        if (c->sign == sign_code::signed_int) {
            long long v = c->size_code == size_code::bytes1 ? as_int8(c)
                        : c->size_code == size_code::bytes2 ? as_int16(c)
                        : c->size_code == size_code::bytes4 ? as_int32(c) : as_int64(c);
            n = std::snprintf(buf, sizeof buf, "%lld", v);
        } else {
            unsigned long long v = c->size_code == size_code::bytes1 ? as_uint8(c)
                                 : c->size_code == size_code::bytes2 ? as_uint16(c)
                                 : c->size_code == size_code::bytes4 ? as_uint32(c) : as_uint64(c);
            n = std::snprintf(buf, sizeof buf, "%llu", v);
        }
        break;
    case type_code::floating:
        if (c->size_code == size_code::bytes4) {
            n = std::snprintf(buf, sizeof buf, "%.*f", 9, static_cast<double>(as_float(c)));
            if (n > 49)
                n = 49;
        } else {
            n = std::snprintf(buf, sizeof buf, "%.*f", 17, as_double(c));
        }
        break;
    case type_code::string:
        if (c->str())
            out.append(c->str(), c->str_len);
        return;
    case type_code::date: append_date(out, c); return;
    case type_code::time: append_time(out, c); return;
    case type_code::datetime:
        append_date(out, c);
        out.push_back(' ');
        append_time(out, c);
        return;
    default: return;
    }
    if (n > 0)
        out.append(buf, static_cast<std::size_t>(n) < sizeof buf ? static_cast<std::size_t>(n) : sizeof buf - 1);
}

std::size_t display_width(const char *s, std::size_t n)
{
    std::size_t width = 0;
    const auto *p = reinterpret_cast<const unsigned char *>(s);
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        std::size_t len;
        if (b < 0x80)
            len = 1;
        else if (b >= 0xC0 && b < 0xE0)
            len = 2;
        else if (b >= 0xE0 && b < 0xF0)
            len = 3;
        else if (b >= 0xF0 && b < 0xF8)
            len = 4;
        else
            return width;
        if (i + len > n)
            return width;
        for (std::size_t k = 1; k < len; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return width;
        width += len == 1 ? (b >= 0x20 && b <= 0x7E ? 1 : 0) : 2;
        i += len;
    }
    return width;
}

} // namespace vorn
