// Demo tables for a first look at the client: sensor-like series and one field of every type.
#pragma once

#include "table.h"

namespace devserver {

void add_demo_tables(database& db, time_point now);

} // namespace devserver
