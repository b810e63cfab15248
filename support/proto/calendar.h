// The proleptic Gregorian calendar the date and time values use (years 1 to 9999).
#pragma once

namespace proto {

constexpr bool is_leap_year(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Days of the month; 0 for a month outside 1 to 12.
constexpr int days_in_month(int y, int m)
{
    constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m < 1 || m > 12 ? 0 : m == 2 && is_leap_year(y) ? 29 : days[m - 1];
}

constexpr bool valid_date(int y, int m, int d)
{
    return y >= 1 && y <= 9999 && d >= 1 && d <= days_in_month(y, m);
}

} // namespace proto
