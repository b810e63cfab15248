// CSV reading and writing with an arbitrary separator text.
#include "csv.h"

namespace devserver {

std::string csv_value(const std::string& v, const std::string& sep)
{
    const bool needs = v.find(sep) != std::string::npos || v.find_first_of("\"\r\n") != std::string::npos ||
                       (!v.empty() && (v.front() == ' ' || v.back() == ' ' || v.front() == '\t' || v.back() == '\t'));
    if (!needs)
        return v;
    std::string q = "\"";
    for (char c : v) {
        if (c == '"')
            q += '"';
        q += c;
    }
    q += '"';
    return q;
}

std::string split_csv(std::string_view s, const std::string& sep, std::vector<csv_record>& out)
{
    out.clear();
    if (sep.empty())
        return "empty separator";
    if (s.size() >= 3 && s.substr(0, 3) == "\xEF\xBB\xBF")
        s.remove_prefix(3);
    std::size_t i = 0, line = 1;
    while (i < s.size()) {
        csv_record rec;
        rec.line = line;
        bool end_of_record = false;
        while (!end_of_record) {
            std::string value;
            if (i < s.size() && s[i] == '"') {
                const std::size_t start_line = line;
                ++i;
                bool closed = false;
                while (i < s.size()) {
                    if (s[i] == '"') {
                        if (i + 1 < s.size() && s[i + 1] == '"') {
                            value += '"';
                            i += 2;
                            continue;
                        }
                        closed = true;
                        ++i;
                        break;
                    }
                    if (s[i] == '\n')
                        ++line;
                    value += s[i++];
                }
                if (!closed)
                    return "line " + std::to_string(start_line) + ": unterminated quoted value";
                if (i < s.size() && s.compare(i, sep.size(), sep) != 0 && s[i] != '\n' && s[i] != '\r')
                    return "line " + std::to_string(line) + ": text after a closing quote";
            } else {
                while (i < s.size() && s[i] != '\n' && s[i] != '\r' && s.compare(i, sep.size(), sep) != 0)
                    value += s[i++];
            }
            rec.values.push_back(std::move(value));
            if (i < s.size() && s.compare(i, sep.size(), sep) == 0) {
                i += sep.size();
                continue;
            }
            end_of_record = true;
            if (i < s.size() && s[i] == '\r')
                ++i;
            if (i < s.size() && s[i] == '\n')
                ++i;
            ++line;
        }
        // A blank line carries no record.
        if (!(rec.values.size() == 1 && rec.values[0].empty()))
            out.push_back(std::move(rec));
    }
    return {};
}

} // namespace devserver
