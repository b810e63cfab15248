// Texts, parsers, ordering and meta-type registration of the date and time values.
#include "support/mem_time.h"

#include "support/proto/calendar.h"

#include <QDebug>
#include <chrono>
#include <ctime>
#include <mutex>
#include <tuple>

namespace ox {
namespace db {
namespace mem {

bool operator==(const date &a, const date &b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool operator<(const date &a, const date &b)
{
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

bool operator==(const time &a, const time &b)
{
    return a.hour == b.hour && a.minute == b.minute && a.second == b.second && a.nanos == b.nanos;
}

bool operator<(const time &a, const time &b)
{
    return std::tie(a.hour, a.minute, a.second, a.nanos) < std::tie(b.hour, b.minute, b.second, b.nanos);
}

bool operator==(const date_time &a, const date_time &b)
{
    return a.date_part() == b.date_part() && a.time_part() == b.time_part();
}

bool operator<(const date_time &a, const date_time &b)
{
    if (a.date_part() == b.date_part())
        return a.time_part() < b.time_part();
    return a.date_part() < b.date_part();
}

namespace {

// Text forms are written into a small byte buffer and become a string once: grids make one for
// every painted or searched cell, and a temporary string per field made that the slow part.
char *put_padded(char *p, unsigned long long value, int width)
{
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    for (int i = n; i < width; ++i)
        *p++ = '0';
    while (n)
        *p++ = digits[--n];
    return p;
}

char *put_date(char *p, const date &d)
{
    p = put_padded(p, d.year, 4);
    *p++ = '-';
    p = put_padded(p, d.month, 2);
    *p++ = '-';
    return put_padded(p, d.day, 2);
}

char *put_time(char *p, const time &t)
{
    p = put_padded(p, t.hour, 2);
    *p++ = ':';
    p = put_padded(p, t.minute, 2);
    *p++ = ':';
    p = put_padded(p, t.second, 2);
    if (t.nanos != 0) {
        *p++ = '.';
        char *frac = p;
        p = put_padded(p, t.nanos, 9);
        while (p > frac && p[-1] == '0')
            --p;
    }
    return p;
}

// Reads 1 to max_digits decimal digits at pos; false when there are none or too many.
bool read_number(const QString &text, int &pos, int max_digits, unsigned long long &value)
{
    int start = pos;
    unsigned long long v = 0;
    while (pos < text.size() && text[pos] >= QLatin1Char('0') && text[pos] <= QLatin1Char('9')) {
        if (pos - start == max_digits)
            return false;
        v = v * 10 + static_cast<unsigned>(text[pos].unicode() - '0');
        ++pos;
    }
    if (pos == start)
        return false;
    value = v;
    return true;
}

bool expect(const QString &text, int &pos, QChar c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

bool parse_date_at(const QString &text, int &pos, date &out)
{
    unsigned long long y = 0, m = 0, d = 0;
    if (!read_number(text, pos, 5, y) || y > 65535 || !expect(text, pos, QLatin1Char('-'))
        || !read_number(text, pos, 2, m) || !expect(text, pos, QLatin1Char('-'))
        || !read_number(text, pos, 2, d))
        return false;
    if (m < 1 || m > 12 || d < 1 || static_cast<int>(d) > days_in_month(static_cast<int>(y), static_cast<int>(m)))
        return false;
    out = date{ static_cast<uint16_t>(y), static_cast<uint8_t>(m), static_cast<uint8_t>(d) };
    return true;
}

bool parse_time_at(const QString &text, int &pos, time &out)
{
    unsigned long long h = 0, mi = 0, s = 0;
    if (!read_number(text, pos, 2, h) || !expect(text, pos, QLatin1Char(':'))
        || !read_number(text, pos, 2, mi) || !expect(text, pos, QLatin1Char(':'))
        || !read_number(text, pos, 2, s))
        return false;
    if (h > 23 || mi > 59 || s > 59)
        return false;
    uint32_t nanos = 0;
    if (pos < text.size() && text[pos] == QLatin1Char('.')) {
        ++pos;
        int start = pos;
        unsigned long long frac = 0;
        if (!read_number(text, pos, 9, frac))
            return false;
        for (int digits = pos - start; digits < 9; ++digits)
            frac *= 10;
        nanos = static_cast<uint32_t>(frac);
    }
    out = time{ static_cast<uint8_t>(h), static_cast<uint8_t>(mi), static_cast<uint8_t>(s), nanos };
    return true;
}

template <typename T, typename F>
bool parse_whole(const QString &raw, T &out, F parse_at)
{
    const QString text = raw.trimmed();
    int pos = 0;
    T value;
    if (!parse_at(text, pos, value) || pos != text.size())
        return false;
    out = value;
    return true;
}

} // namespace

QString to_text(const date &d)
{
    char buf[64];
    return QString::fromLatin1(buf, static_cast<int>(put_date(buf, d) - buf));
}

QString to_text(const time &t)
{
    char buf[64];
    return QString::fromLatin1(buf, static_cast<int>(put_time(buf, t) - buf));
}

QString to_text(const date_time &dt)
{
    char buf[128];
    char *p = put_date(buf, dt.date_part());
    *p++ = ' ';
    p = put_time(p, dt.time_part());
    return QString::fromLatin1(buf, static_cast<int>(p - buf));
}

bool parse(const QString &text, date &out) { return parse_whole(text, out, parse_date_at); }

bool parse(const QString &text, time &out) { return parse_whole(text, out, parse_time_at); }

bool parse(const QString &text, date_time &out)
{
    return parse_whole(text, out, [](const QString &t, int &pos, date_time &v) {
        date d;
        time tm;
        if (!parse_date_at(t, pos, d) || !expect(t, pos, QLatin1Char(' ')) || !parse_time_at(t, pos, tm))
            return false;
        v = date_time::of(d, tm);
        return true;
    });
}

int days_in_month(int year, int month)
{
    return proto::days_in_month(year, month);
}

date_time local_of(long long seconds, uint32_t nanos)
{
    std::time_t tt = static_cast<std::time_t>(seconds);
    std::tm lt{};
#if defined(_WIN32)
    localtime_s(&lt, &tt);
#else
    localtime_r(&tt, &lt);
#endif
    date_time dt;
    dt.year = static_cast<uint16_t>(lt.tm_year + 1900);
    dt.month = static_cast<uint8_t>(lt.tm_mon + 1);
    dt.day = static_cast<uint8_t>(lt.tm_mday);
    dt.hour = static_cast<uint8_t>(lt.tm_hour);
    dt.minute = static_cast<uint8_t>(lt.tm_min);
    // A leap second shows as the last second of its minute.
    dt.second = static_cast<uint8_t>(lt.tm_sec > 59 ? 59 : lt.tm_sec);
    dt.nanos = nanos;
    return dt;
}

date_time local_now()
{
    using namespace std::chrono;
    const auto since = system_clock::now().time_since_epoch();
    const auto secs = duration_cast<seconds>(since);
    long long whole = secs.count();
    long long frac = duration_cast<nanoseconds>(since - secs).count();
    if (frac < 0) { // clocks before the epoch
        frac += 1000000000;
        --whole;
    }
    return local_of(whole, static_cast<uint32_t>(frac));
}

QDebug operator<<(QDebug dbg, const date &d) { return dbg << to_text(d); }
QDebug operator<<(QDebug dbg, const time &t) { return dbg << to_text(t); }
QDebug operator<<(QDebug dbg, const date_time &dt) { return dbg << to_text(dt); }

namespace {

// No converter from QString: Qt 5 converters cannot report a refused text, and a bad text
// must never become a zero value. Callers parse with parse() instead.
template <typename T>
void register_one()
{
    qRegisterMetaType<T>();
    QMetaType::registerComparators<T>();
    QMetaType::registerConverter<T, QString>([](const T &v) { return to_text(v); });
    QMetaType::registerDebugStreamOperator<T>();
}

} // namespace

void register_meta_types()
{
    static std::once_flag once;
    std::call_once(once, [] {
        register_one<date>();
        register_one<time>();
        register_one<date_time>();
    });
}

} // namespace mem
} // namespace db
} // namespace ox
