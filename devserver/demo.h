// Demo tables for a first look at the client: sensor-like series and one field of every type.
#pragma once

#include "table.h"

namespace devserver {

void add_demo_tables(database& db, time_point now);

// The live table: live_readings (temperature, humidity, power_w), with the last five minutes
// of readings; the server then pushes one reading a second with live_reading_command.
constexpr const char* live_table = "live_readings";
std::string live_reading_command(time_point now);

} // namespace devserver
