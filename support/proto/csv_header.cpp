// The CSV header grammar and the reasons for refusing a file.
#include "support/proto/csv_header.h"

#include "support/proto/commands.h"
#include "support/proto/value_kinds.h"

namespace proto::csv {

namespace {
std::string cat(std::initializer_list<std::string_view> parts)
{
    std::string s;
    for (std::string_view p : parts)
        s.append(p.data(), p.size());
    return s;
}
} // namespace

std::string header_cell(std::string_view name, std::string_view type)
{
    return type.empty() ? std::string(name) : cat({name, ":", type});
}

std::string time_point_cell(bool typed)
{
    return header_cell(time_point_name, typed ? info(kind::datetime).name : "");
}

std::string read_header_cell(std::string_view cell, bool typed, bool first, std::string_view& name,
                             std::string_view& type)
{
    name = cell;
    type = {};
    if (typed) {
        const std::size_t colon = cell.rfind(':');
        if (colon == std::string_view::npos)
            return cat({"name:type expected in ", cell});
        type = cell.substr(colon + 1);
        name = cell.substr(0, colon);
    }
    if (first) {
        if (name != time_point_name || (typed && type != info(kind::datetime).name))
            return "the first column must be the time point";
        return {};
    }
    kind k;
    if (typed && !kind_from_name(type, k))
        return cat({"unknown type ", type});
    return {};
}

std::string line_error(std::size_t line, std::string_view why) { return cat({"line ", std::to_string(line), ": ", why}); }
std::string named_twice(std::string_view field) { return cat({"field ", field, " named twice"}); }
std::string no_field(std::string_view field, std::string_view table) { return cat({"no field ", field, " in ", table}); }
std::string has_type(std::string_view field, std::string_view type) { return cat({"field ", field, " has type ", type}); }
std::string value_count(std::size_t got, std::size_t expected)
{
    return cat({std::to_string(got), " values, ", std::to_string(expected), " expected"});
}
std::string invalid_time_point(std::string_view text) { return cat({"invalid time point ", text}); }
std::string field_problem(std::string_view field, std::string_view why) { return cat({field, ": ", why}); }

} // namespace proto::csv
