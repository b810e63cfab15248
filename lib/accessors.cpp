// Typed reads of a cell's value area. They do not look at the kind; callers choose by kind.
#include "result_set.h"
#include "vorn_tsdb.h"

#include <cstdlib>
#include <cstring>

namespace {
template <typename T> T read_as(const cell *c)
{
    T v {};
    if (c && !c->is_string())
        std::memcpy(&v, c->value, sizeof v);
    return v;
}

// Temporal fields; a string cell's value area holds its pointer and reads as zero.
int u8_at(const cell *c, int off) { return c->is_string() ? 0 : c->value[off]; }
int u16_at(const cell *c, int off) { return u8_at(c, off) | (u8_at(c, off + 1) << 8); }
int u32_at(const cell *c, int off)
{
    std::uint32_t v = 0;
    if (!c->is_string())
        std::memcpy(&v, c->value + off, 4);
    return static_cast<int>(v);
}
} // namespace

extern "C" int8_t as_int8(const cell *c) { return read_as<int8_t>(c); }
extern "C" uint8_t as_uint8(const cell *c) { return read_as<uint8_t>(c); }
extern "C" int16_t as_int16(const cell *c) { return read_as<int16_t>(c); }
extern "C" uint16_t as_uint16(const cell *c) { return read_as<uint16_t>(c); }
extern "C" int32_t as_int32(const cell *c) { return read_as<int32_t>(c); }
extern "C" uint32_t as_uint32(const cell *c) { return read_as<uint32_t>(c); }
extern "C" int64_t as_int64(const cell *c) { return read_as<int64_t>(c); }
extern "C" uint64_t as_uint64(const cell *c) { return read_as<uint64_t>(c); }
extern "C" float as_float(const cell *c) { return read_as<float>(c); }
extern "C" double as_double(const cell *c) { return read_as<double>(c); }

extern "C" void as_str(char **str, uint64_t *len, const cell *c)
{
    if (!c)
        return;
    const std::size_t n = c->is_string() && c->str() ? c->str_len : 0;
    // Never null, also for an empty string: callers rely on a block to free.
    char *copy = static_cast<char *>(std::malloc(n ? n : 1));
    if (copy && n)
        std::memcpy(copy, c->str(), n);
    if (str)
        *str = copy;
    else
        std::free(copy);
    if (len)
        *len = copy ? n : 0;
}

extern "C" void as_date(int *year, int *month, int *day, const cell *c)
{
    if (!c)
        return;
    if (year) *year = u16_at(c, 0);
    if (month) *month = u8_at(c, 2);
    if (day) *day = u8_at(c, 3);
}

extern "C" void as_time(int *hour, int *minute, int *second, int *nanos, const cell *c)
{
    if (!c)
        return;
    const int t = static_cast<int>(vorn::time_offset);
    if (hour) *hour = u8_at(c, t);
    if (minute) *minute = u8_at(c, t + 1);
    if (second) *second = u8_at(c, t + 2);
    if (nanos) *nanos = u32_at(c, t + 3);
}

extern "C" void as_datetime(int *year, int *month, int *day, int *hour, int *minute, int *second,
                            int *nanos, const cell *c)
{
    as_date(year, month, day, c);
    as_time(hour, minute, second, nanos, c);
}
