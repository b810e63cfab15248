// Command files: a table written as a create line and one push line per row.
#pragma once

#include "commands.h"

namespace devserver {

void append_table_commands(std::string& out, const std::string& name, const table& tab);
// Runs the create and push lines of a command file into `db` (normally empty).
// Empty on success, else "line N: reason".
std::string run_command_file(std::string_view text, database& db);

} // namespace devserver
