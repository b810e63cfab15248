// Command files: a table written as a create line and one push line per row.
#pragma once

#include "commands.h"

namespace devserver {

void append_table_commands(std::string& out, const std::string& name, const table& tab);
// Runs the create and push lines of a command file into `db` (normally empty).
// Empty on success, else "line N: reason".
std::string run_command_file(std::string_view text, database& db);
// Reads the push lines of a command file into `rows` (empty, with the fields of the table
// `name`) without changing anything else, so that all of them go in or none. Every push must
// go into `name`. A create line stops the reading with `creates` set: such a file makes new
// tables instead. Empty on success, else "line N: reason".
std::string read_push_lines(std::string_view text, const std::string& name, table& rows, bool& creates);

} // namespace devserver
