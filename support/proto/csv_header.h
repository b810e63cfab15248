// The header line of a CSV file of rows: the time point first, then the fields, each written
// "name:type" in a typed file; and the reasons a header or a line is refused.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace proto::csv {

// The text of one header cell; type empty for an untyped file.
std::string header_cell(std::string_view name, std::string_view type);
// The first cell: the time point, typed as datetime in a typed file.
std::string time_point_cell(bool typed);

// Splits one header cell at its last colon when the file is typed; for the first cell checks
// that it names the time point, for the others that the type is known. Empty on success, else
// the reason (to be put behind line_error).
std::string read_header_cell(std::string_view cell, bool typed, bool first, std::string_view& name,
                             std::string_view& type);

// "line N: why".
std::string line_error(std::size_t line, std::string_view why);

// The reasons both readers give in the same words.
constexpr char header_missing[] = "line 1: header line missing";
constexpr char no_fields[] = "no fields";
std::string named_twice(std::string_view field);
std::string no_field(std::string_view field, std::string_view table);
std::string has_type(std::string_view field, std::string_view type);
std::string value_count(std::size_t got, std::size_t expected);
std::string invalid_time_point(std::string_view text);
std::string field_problem(std::string_view field, std::string_view why);

} // namespace proto::csv
