// Demo tables: a week of weather readings and power meter values, one table of every type,
// and a table of live readings.
#include "demo.h"

#include "commands.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace devserver {

namespace {

template <typename T>
std::string raw(T v)
{
    return std::string(reinterpret_cast<const char*>(&v), sizeof v);
}

// Small deterministic generator so every demo start shows the same data.
struct lcg {
    std::uint64_t s = 0x2545F4914F6CDD1DULL;
    double next()
    {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(s >> 11) / double(1ULL << 53);
    }
};

} // namespace

void add_demo_tables(database& db, time_point now)
{
    const double pi = 3.14159265358979323846;
    const std::int64_t start = now.sec - 7 * 86400;
    lcg rnd;

    auto weather = std::make_shared<table>(std::vector<field>{
        {"station", kind::str}, {"temperature", kind::f64}, {"humidity", kind::f32},
        {"pressure", kind::u16}, {"wind_speed", kind::f32}});
    const char* stations[] = {"north_field", "river_bank", "hill_top"};
    for (std::int64_t t = start; t < now.sec; t += 600) {
        for (int s = 0; s < 3; ++s) {
            const double day = std::sin(2 * pi * double(t % 86400) / 86400.0 - pi / 2);
            const double temp = 12.0 + 6.0 * day + s + rnd.next();
            weather->push(time_point{t + s, 0},
                          {std::string(stations[s]), raw(temp), raw(float(55.0 - 15.0 * day + 5 * rnd.next())),
                           raw(std::uint16_t(1005 + int(10 * rnd.next()))), raw(float(3.0 + 4.0 * rnd.next()))});
        }
    }
    db["weather"] = weather;

    auto power = std::make_shared<table>(std::vector<field>{
        {"meter", kind::u32}, {"energy_wh", kind::u64}, {"power_w", kind::i32}, {"voltage", kind::f32},
        {"status", kind::u08}});
    std::uint64_t energy[4] = {1200000, 850000, 430000, 2000000};
    for (std::int64_t t = start; t < now.sec; t += 300) {
        for (int m = 0; m < 4; ++m) {
            const double load = 0.5 + 0.5 * std::sin(2 * pi * double((t + m * 3600) % 86400) / 86400.0);
            const std::int32_t w = std::int32_t(200 + 1800 * load * (0.8 + 0.4 * rnd.next()));
            energy[m] += std::uint64_t(w) * 300 / 3600;
            power->push(time_point{t, std::uint32_t(m) * 250000000u},
                        {raw(std::uint32_t(1001 + m)), raw(energy[m]), raw(w), raw(float(229.0 + 3 * rnd.next())),
                         raw(std::uint8_t(rnd.next() < 0.02 ? 1 : 0))});
        }
    }
    db["power_meters"] = power;

    auto all = std::make_shared<table>(std::vector<field>{
        {"v_i08", kind::i08}, {"v_u08", kind::u08}, {"v_i16", kind::i16}, {"v_u16", kind::u16},
        {"v_i32", kind::i32}, {"v_u32", kind::u32}, {"v_i64", kind::i64}, {"v_u64", kind::u64},
        {"v_float", kind::f32}, {"v_double", kind::f64}, {"v_string", kind::str}, {"v_date", kind::date},
        {"v_time", kind::time}, {"v_datetime", kind::datetime}});
    const char* words[] = {"alpha", "beta, with comma", "quote \"q\"", "\xe6\xb8\xa9\xe5\xba\xa6", ""};
    for (int i = 0; i < 50; ++i) {
        civil c = to_civil(time_point{start + i * 3600, std::uint32_t(i) * 1000000u});
        std::string d(4, '\0'), tm(7, '\0'), dt(11, '\0');
        put_date(&d[0], c);
        put_time(&tm[0], c);
        put_datetime(&dt[0], c);
        const int s = i % 2 ? -1 : 1;
        all->push(time_point{start + i * 3600, 0},
                  {raw(std::int8_t(s * (i * 5 % 128))), raw(std::uint8_t(i * 5)), raw(std::int16_t(s * i * 600)),
                   raw(std::uint16_t(i * 1300)), raw(std::int32_t(s * i * 40000000)), raw(std::uint32_t(i) * 80000000u),
                   raw(std::int64_t(s) * std::int64_t(i) * 180000000000000000LL),
                   raw(std::uint64_t(i) * 360000000000000000ULL), raw(float(i) * 1.25f * float(s)),
                   raw(double(i) * 3.0001 * s), std::string(words[i % 5]), d, tm, dt});
    }
    db["all_types"] = all;

    server_state st;
    st.db[live_table] = std::make_shared<table>(std::vector<field>{
        {"temperature", kind::f64}, {"humidity", kind::f64}, {"power_w", kind::u32}});
    st.files_enabled = false;
    for (std::int64_t back = 300; back > 0; --back)
        execute(st, live_reading_command(time_point{now.sec - back, now.ns}));
    db[live_table] = st.db[live_table];
}

std::string live_reading_command(time_point now)
{
    // Smooth curves with a little noise from the time itself, so restarts line up.
    const double pi = 3.14159265358979323846;
    const double t = double(now.sec % 86400) + double(now.ns) / 1e9;
    const double wobble = std::sin(t * 12.9898) * 0.3;
    const double temperature = 21.0 + 2.5 * std::sin(2 * pi * t / 600.0) + wobble;
    const double humidity = 45.0 + 8.0 * std::cos(2 * pi * t / 900.0) - wobble;
    const unsigned power = unsigned(800 + 400 * std::sin(2 * pi * t / 120.0) + 50 * wobble);
    char buf[200];
    std::snprintf(buf, sizeof buf, "push into %s temperature humidity power_w values %.3f %.3f %u at \"", live_table,
                  temperature, humidity, power);
    return buf + datetime_text(to_civil(now)) + "\"";
}

} // namespace devserver
