// Temp files that a killed server leaves behind ("NAME.tmpPID" of an atomic write).
#pragma once

#include <string>

namespace devserver {

// True for "NAME.tmpPID" when that process is gone (or is this one).
bool stale_temp_name(const std::string& name);
// Removes stale temp files in dir and, down to `depth` levels, its folders (links are not
// followed). Names whose start differs from `prefix` are left alone. Appends one note per file.
void remove_stale_temp_files(const std::string& dir, const std::string& prefix, int depth, std::string& notes);

} // namespace devserver
