// CSV reading and writing with an arbitrary separator text.
#include "csv.h"

#include <cstring>

namespace devserver {

namespace {

bool needs_quotes(std::string_view v, std::string_view sep)
{
    if (v.empty())
        return false;
    const char a = v.front(), b = v.back();
    if (a == ' ' || a == '\t' || b == ' ' || b == '\t')
        return true;
    if (sep.size() == 1) {
        const char c0 = sep[0];
        for (const char c : v)
            if (c == c0 || c == '"' || c == '\n' || c == '\r')
                return true;
        return false;
    }
    for (const char c : v)
        if (c == '"' || c == '\n' || c == '\r')
            return true;
    return v.find(sep) != std::string_view::npos;
}

} // namespace

void append_csv_value(std::string& out, std::string_view v, std::string_view sep)
{
    if (!needs_quotes(v, sep)) {
        out.append(v.data(), v.size());
        return;
    }
    out += '"';
    for (const char c : v) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

std::string csv_value(const std::string& v, const std::string& sep)
{
    std::string out;
    append_csv_value(out, v, sep);
    return out;
}

csv_reader::csv_reader(std::string_view text, std::string_view sep) : s_(text), sep_(sep)
{
    if (s_.size() >= 3 && s_.substr(0, 3) == "\xEF\xBB\xBF")
        s_.remove_prefix(3);
}

bool csv_reader::read_quoted(std::string_view& value)
{
    const std::size_t start_line = line_;
    const std::size_t begin = ++i_;
    std::string* copy = nullptr;   // only a doubled quote needs a copy of the value
    std::size_t run = begin;
    for (;;) {
        const char* q = static_cast<const char*>(std::memchr(s_.data() + i_, '"', s_.size() - i_));
        const std::size_t end = q ? std::size_t(q - s_.data()) : s_.size();
        for (std::size_t k = i_; k < end; ++k)
            line_ += s_[k] == '\n';
        if (!q) {
            error_ = "line " + std::to_string(start_line) + ": unterminated quoted value";
            return false;
        }
        i_ = end + 1;
        if (i_ < s_.size() && s_[i_] == '"') {
            if (!copy) {
                if (unescaped_used_ == unescaped_.size())
                    unescaped_.emplace_back();
                copy = &unescaped_[unescaped_used_++];
                copy->clear();
            }
            copy->append(s_.data() + run, i_ - run);   // up to and including one quote
            run = ++i_;
            continue;
        }
        if (copy) {
            copy->append(s_.data() + run, end - run);
            value = *copy;
        } else {
            value = s_.substr(begin, end - begin);
        }
        break;
    }
    if (i_ < s_.size() && s_.compare(i_, sep_.size(), sep_) != 0 && s_[i_] != '\n' && s_[i_] != '\r') {
        error_ = "line " + std::to_string(line_) + ": text after a closing quote";
        return false;
    }
    return true;
}

bool csv_reader::next(std::vector<std::string_view>& values)
{
    if (!error_.empty() || sep_.empty()) {
        if (error_.empty())
            error_ = "empty separator";
        return false;
    }
    const char sep0 = sep_[0];
    while (i_ < s_.size()) {
        values.clear();
        unescaped_used_ = 0;
        record_line_ = line_;
        for (;;) {
            std::string_view value;
            if (i_ < s_.size() && s_[i_] == '"') {
                if (!read_quoted(value))
                    return false;
            } else {
                const std::size_t b = i_;
                while (i_ < s_.size()) {
                    const char c = s_[i_];
                    if (c == '\n' || c == '\r' || (c == sep0 && s_.compare(i_, sep_.size(), sep_) == 0))
                        break;
                    ++i_;
                }
                value = s_.substr(b, i_ - b);
            }
            values.push_back(value);
            if (i_ < s_.size() && s_[i_] == sep0 && s_.compare(i_, sep_.size(), sep_) == 0) {
                i_ += sep_.size();
                continue;
            }
            if (i_ < s_.size() && s_[i_] == '\r')
                ++i_;
            if (i_ < s_.size() && s_[i_] == '\n')
                ++i_;
            ++line_;
            break;
        }
        // A blank line carries no record.
        if (!(values.size() == 1 && values[0].empty()))
            return true;
    }
    return false;
}

std::string split_csv(std::string_view s, const std::string& sep, std::vector<csv_record>& out)
{
    out.clear();
    csv_reader in(s, sep);
    std::vector<std::string_view> values;
    while (in.next(values)) {
        csv_record rec;
        rec.line = in.line();
        rec.values.assign(values.begin(), values.end());
        out.push_back(std::move(rec));
    }
    return in.error();
}

} // namespace devserver
