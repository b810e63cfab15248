// Date, time and date-and-time values as the server sends them, their texts and their parsers,
// registered with Qt's meta-type system so that they travel, compare and sort in QVariants.
#pragma once

#include <QMetaType>
#include <QString>
#include <cstdint>

class QDebug;

namespace ox {
namespace db {
namespace mem {

// The fields are unsigned and unchecked, like the server's records; month and day count from 1.
struct date {
    uint16_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
};

// nanos is the fraction of the second in nanoseconds (0 to 999,999,999).
struct time {
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    uint32_t nanos = 0;
};

struct date_time {
    uint16_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    uint32_t nanos = 0;

    date date_part() const { return date{ year, month, day }; }
    time time_part() const { return time{ hour, minute, second, nanos }; }
    static date_time of(const date &d, const time &t)
    {
        return date_time{ d.year, d.month, d.day, t.hour, t.minute, t.second, t.nanos };
    }
};

// Field-by-field order, most significant field first: the order of the points in time.
bool operator==(const date &a, const date &b);
bool operator<(const date &a, const date &b);
bool operator==(const time &a, const time &b);
bool operator<(const time &a, const time &b);
bool operator==(const date_time &a, const date_time &b);
bool operator<(const date_time &a, const date_time &b);

inline bool operator!=(const date &a, const date &b) { return !(a == b); }
inline bool operator>(const date &a, const date &b) { return b < a; }
inline bool operator<=(const date &a, const date &b) { return !(b < a); }
inline bool operator>=(const date &a, const date &b) { return !(a < b); }
inline bool operator!=(const time &a, const time &b) { return !(a == b); }
inline bool operator>(const time &a, const time &b) { return b < a; }
inline bool operator<=(const time &a, const time &b) { return !(b < a); }
inline bool operator>=(const time &a, const time &b) { return !(a < b); }
inline bool operator!=(const date_time &a, const date_time &b) { return !(a == b); }
inline bool operator>(const date_time &a, const date_time &b) { return b < a; }
inline bool operator<=(const date_time &a, const date_time &b) { return !(b < a); }
inline bool operator>=(const date_time &a, const date_time &b) { return !(a < b); }

// "2021-03-04" (year padded to 4 digits, month and day to 2), "09:05:07.5" (fraction only
// when not zero, trailing zeros removed), and both joined by one blank.
QString to_text(const date &d);
QString to_text(const time &t);
QString to_text(const date_time &dt);

// Read the texts above back. Anything else is refused (false, the output unchanged): missing or
// extra pieces, letters, a month outside 1..12, a day the month does not have, hours past 23,
// minutes or seconds past 59, more than nine fraction digits. Blanks around the text are allowed.
bool parse(const QString &text, date &out);
bool parse(const QString &text, time &out);
bool parse(const QString &text, date_time &out);

QDebug operator<<(QDebug dbg, const date &d);
QDebug operator<<(QDebug dbg, const time &t);
QDebug operator<<(QDebug dbg, const date_time &dt);

// The days of a month in the Gregorian calendar (0 for a month outside 1..12).
int days_in_month(int year, int month);

// The current local date and time of the wall clock, daylight-saving time included, with the
// fraction as the system clock delivers it.
date_time local_now();
// The local date and time of a point given in seconds since 1970-01-01 UTC.
date_time local_of(long long seconds, uint32_t nanos);

// Registers the three types with their comparators and their text conversions (so that
// QVariant::toString gives the texts above). Safe to call any number of times, from any thread.
void register_meta_types();

} // namespace mem
} // namespace db
} // namespace ox

Q_DECLARE_METATYPE(ox::db::mem::date)
Q_DECLARE_METATYPE(ox::db::mem::time)
Q_DECLARE_METATYPE(ox::db::mem::date_time)
