// CSV texts: quoting of single values and reading a whole file record by record.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace devserver {

// Appends a value, quoted with doubled quotes when it holds the separator, a quote, a line
// break or a blank or tab at either end; else the value itself.
void append_csv_value(std::string& out, std::string_view v, std::string_view sep);
std::string csv_value(const std::string& v, const std::string& sep);

// Reads records one at a time; the values stay valid until the next call.
class csv_reader {
public:
    csv_reader(std::string_view text, std::string_view sep);
    // False at the end of the text or on an error (then error() is set). Blank lines are skipped.
    bool next(std::vector<std::string_view>& values);
    std::size_t line() const { return record_line_; }   // where the last record started, from 1
    const std::string& error() const { return error_; }

private:
    bool read_quoted(std::string_view& value);

    std::string_view s_, sep_;
    std::size_t i_ = 0, line_ = 1, record_line_ = 0;
    std::deque<std::string> unescaped_;   // values with doubled quotes, stable while in use
    std::size_t unescaped_used_ = 0;
    std::string error_;
};

struct csv_record {
    std::size_t line = 0;              // line number where the record starts, from 1
    std::vector<std::string> values;
};

// Splits text into records. Empty on success, else "line N: reason".
std::string split_csv(std::string_view text, const std::string& sep, std::vector<csv_record>& out);

} // namespace devserver
