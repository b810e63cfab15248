// The three built-in colour palettes of the editor themes: loaded by the preferences' reset
// button and written into a first-run configuration. The record's own initial values stay black.
#pragma once

#include "config/sys_config.h"

namespace builtin_palettes {

// Overwrites one theme's style table (theme 0 to 2) with its built-in palette; other values of
// `theme` leave the table untouched and return false.
bool load(int theme, text_style (&table)[style_class_count]);
// All three themes of a record.
void load_all(sys_config_fixed &record);

} // namespace builtin_palettes
