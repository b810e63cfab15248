// CSV texts: quoting of single values and splitting of a whole file into records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace devserver {

// A value quoted with doubled quotes when it holds the separator, a quote, a line break or
// leading or trailing blanks; else the value itself.
std::string csv_value(const std::string& v, const std::string& sep);

struct csv_record {
    std::size_t line = 0;              // line number where the record starts, from 1
    std::vector<std::string> values;
};

// Splits text into records. Empty on success, else "line N: reason".
std::string split_csv(std::string_view text, const std::string& sep, std::vector<csv_record>& out);

} // namespace devserver
