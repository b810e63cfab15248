// The classifier table: which token of which command gets which colour.
#include "editor/token_classifier.h"

#include "support/proto/commands.h"

#include <cstring>

namespace token_classifier {

namespace {

bool is(const char *line, const token &t, const char *word)
{
    const size_t n = std::strlen(word);
    return static_cast<size_t>(t.end - t.begin) == n && std::memcmp(line + t.begin, word, n) == 0;
}

// Index of the first token from `from` on that is `word`, or -1.
int find(const char *line, const std::vector<token> &t, int from, const char *word)
{
    for (int i = from; i < static_cast<int>(t.size()); ++i)
        if (is(line, t[i], word))
            return i;
    return -1;
}

// The first "btw", or without one the first "at": where the field list of a query ends.
int pivot(const char *line, const std::vector<token> &t, int from)
{
    const int b = find(line, t, from, "btw");
    return b >= 0 ? b : find(line, t, from, "at");
}

// Bytes an escape inside a quoted token covers, counted from the backslash.
int escape_width(char next)
{
    switch (next) {
    case 'x': return 4;
    case 'u': return 6;
    case 'U': return 10;
    default: return 2;
    }
}

int backup(int i) { return i == 0 ? write_keyword : i == 3 ? plain : constant; }

int create(int i)
{
    if (i == 0)
        return write_keyword;
    if (i == 1)
        return table_name;
    return i % 2 == 0 ? field_name : post_keyword;
}

int drop(int i) { return i <= 1 ? write_keyword : constant; }

int used_space(int i) { return i == 0 ? read_keyword : default_keyword; }

int export_table(int i)
{
    if (i == 0)
        return read_keyword;
    if (i == 1)
        return table_name;
    return i == 4 ? plain : constant;
}

// export_data TABLE FIELDS... [btw A B | at T] [max N] as csv|csvs "PATH" [split by "SEP"] [replace]
std::vector<int> export_data(const char *line, const std::vector<token> &t)
{
    const int n = static_cast<int>(t.size());
    std::vector<int> out(t.size(), constant);
    const int p = pivot(line, t, 2);
    const int as = find(line, t, 2, "as");
    for (int i = 0; i < n; ++i) {
        if (i == 0) {
            out[i] = read_keyword;
        } else if (i == 1) {
            out[i] = table_name;
        } else if (is(line, t[i], "btw") || is(line, t[i], "at") || is(line, t[i], "max") ||
                   is(line, t[i], "as")) {
            out[i] = default_keyword;
        } else if (as >= 0 && i > as) {
            const bool format_word = is(line, t[i], "csv") || is(line, t[i], "csvs") ||
                                     is(line, t[i], "split") || is(line, t[i], "by") ||
                                     is(line, t[i], "replace");
            out[i] = format_word ? default_keyword : line[t[i].begin] == '"' ? quoted : field_name;
        } else if (p < 0 || i < p) {
            out[i] = field_name;
        } else {
            out[i] = plain;
        }
    }
    return out;
}

int fields_of(int i) { return i <= 1 ? read_keyword : constant; }

int import(int i)
{
    switch (i) {
    case 0: return write_keyword;
    case 1: return table_name;
    case 2: return default_keyword;
    case 4: return plain;
    default: return constant;
    }
}

int load(int i)
{
    switch (i) {
    case 0: return write_keyword;
    case 1: return table_name;
    case 2: return default_keyword;
    case 3: return constant;
    default: return plain;
    }
}

std::vector<int> push(const char *line, const std::vector<token> &t)
{
    std::vector<int> out(t.size(), constant);
    const int values = find(line, t, 0, "values");
    const int at = find(line, t, 3, "at");
    for (int i = 0; i < static_cast<int>(t.size()); ++i) {
        if (is(line, t[i], "values"))
            out[i] = default_keyword;
        else if (i == 0)
            out[i] = write_keyword;
        else if (i == 1)
            out[i] = default_keyword;
        else if (i == 2)
            out[i] = table_name;
        else if (at >= 0 && i >= at && is(line, t[i], "at"))
            out[i] = default_keyword;
        else if (at < 0 || i < at)
            out[i] = (values < 0 || i < values) ? field_name : plain;
        else
            out[i] = constant;
    }
    return out;
}

int restore(int i) { return i == 0 ? write_keyword : i == 3 ? plain : constant; }

int save_show(int i, size_t count)
{
    if (count == 2)
        return read_keyword;
    switch (i) {
    case 0: return write_keyword;
    case 1: return table_name;
    case 2: return default_keyword;
    case 4: return plain;
    default: return constant;
    }
}

int truncate(int i) { return i == 0 ? write_keyword : i == 1 ? table_name : constant; }

std::vector<int> update(const char *line, const std::vector<token> &t)
{
    std::vector<int> out(t.size(), constant);
    const int p = pivot(line, t, 3);
    for (int i = 0; i < static_cast<int>(t.size()); ++i) {
        if (i == 0 || i == 2)
            out[i] = write_keyword;
        else if (i == 1)
            out[i] = table_name;
        else if (is(line, t[i], "btw") || is(line, t[i], "at"))
            out[i] = default_keyword;
        else if (p < 0 || i < p)
            out[i] = i % 2 == 1 ? field_name : plain;
        else
            out[i] = constant;
    }
    return out;
}

// The query words win over the field list from index 2 on, so "view t btw 1 2" reads well.
std::vector<int> view(const char *line, const std::vector<token> &t)
{
    std::vector<int> out(t.size(), constant);
    const int p = pivot(line, t, 2);
    for (int i = 0; i < static_cast<int>(t.size()); ++i) {
        if (i == 0)
            out[i] = read_keyword;
        else if (i == 1)
            out[i] = table_name;
        else if (is(line, t[i], "btw") || is(line, t[i], "at") || is(line, t[i], "max"))
            out[i] = default_keyword;
        else if (p < 0 || i < p)
            out[i] = field_name;
        else
            out[i] = constant;
    }
    return out;
}

template <class F>
std::vector<int> by_index(size_t n, F f)
{
    std::vector<int> out(n);
    for (size_t i = 0; i < n; ++i)
        out[i] = f(static_cast<int>(i));
    return out;
}

} // namespace

int class_entry(int cls)
{
    static const int entries[] = {6, 7, 3, 2, 8, 0, 4, 5, 4};
    return cls >= 0 && cls <= 8 ? entries[cls] : 4;
}

bool split(const char *line, int len, std::vector<token> &out)
{
    out.clear();
    int i = 0;
    while (i < len) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        const int begin = i;
        if (line[i] == '"') {
            ++i;
            while (i < len && line[i] != '"')
                i += line[i] == '\\' ? (i + 1 < len ? escape_width(line[i + 1]) : 2) : 1;
            if (i >= len)
                return false;   // left open
            ++i;                // the closing quote
        }
        while (i < len && line[i] != ' ') {
            if (line[i] == '"')
                return false;   // glued to other token bytes
            ++i;
        }
        out.push_back({begin, i});
    }
    return true;
}

std::vector<int> classify(const char *line, const std::vector<token> &t)
{
    const size_t n = t.size();
    if (n == 0)
        return {};
    const int first_len = t[0].end - t[0].begin;
    switch (line[t[0].begin]) {
    case 'b': return by_index(n, backup);
    case 'c': return by_index(n, create);
    case 'd': return by_index(n, drop);
    case 'e': return first_len == 6 ? by_index(n, export_table) : export_data(line, t);
    case 'f': return by_index(n, fields_of);
    case 'i': return by_index(n, import);
    case 'l': return by_index(n, load);
    case 'p': return push(line, t);
    case 'r': return by_index(n, restore);
    case 's': return by_index(n, [n](int i) { return save_show(i, n); });
    case 't': return by_index(n, truncate);
    case 'u': return is(line, t[0], "used") ? by_index(n, used_space) : update(line, t);
    case 'v': return view(line, t);
    default: return std::vector<int>(n, constant);
    }
}

void line_entries(const char *line, int len, std::vector<uint8_t> &out)
{
    std::vector<token> t;
    if (!split(line, len, t)) {
        out.assign(static_cast<size_t>(len), 0);
        return;
    }
    out.assign(static_cast<size_t>(len), static_cast<uint8_t>(class_entry(constant)));
    const std::vector<int> cls = classify(line, t);
    for (size_t k = 0; k < t.size(); ++k) {
        const uint8_t e = static_cast<uint8_t>(class_entry(cls[k]));
        for (int i = t[k].begin; i < t[k].end; ++i)
            out[static_cast<size_t>(i)] = e;
    }
}

int entry_at(const char *line, int len, int offset)
{
    std::vector<token> t;
    if (!split(line, len, t))
        return 0;
    const std::vector<int> cls = classify(line, t);
    for (size_t k = 0; k < t.size(); ++k)
        if (offset >= t[k].begin && offset < t[k].end)
            return class_entry(cls[k]);
    return class_entry(constant);
}

const std::vector<std::string> &command_words()
{
    static const std::vector<std::string> words = [] {
        std::vector<std::string> w;
        for (const proto::command_word &c : proto::command_words)
            w.emplace_back(c.word);
        return w;
    }();
    return words;
}

bool is_command_word(const char *word, int len)
{
    return len >= 0 && proto::is_command_word(std::string_view(word, static_cast<size_t>(len)));
}

// The check is lenient about layout (tabs and a carriage return count as blanks here) and
// strict about the two things the server cannot recover from: an unknown command word, and
// a string that runs past the end of its line.
bool line_valid(const char *line, int len)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    int i = 0;
    while (i < len && blank(line[i]))
        ++i;
    if (i == len)
        return true;
    // A remark line ("//" first) carries no command, so it holds back no colouring after it.
    if (len - i >= 2 && line[i] == '/' && line[i + 1] == '/')
        return true;
    const int begin = i;
    while (i < len && !blank(line[i]))
        ++i;
    if (!is_command_word(line + begin, i - begin))
        return false;
    bool open = false;
    for (int k = begin; k < len;) {
        if (open && line[k] == '\\') {
            k += k + 1 < len ? escape_width(line[k + 1]) : 2;
            if (k > len)
                return false;
            continue;
        }
        if (line[k] == '"')
            open = !open;
        ++k;
    }
    return !open;
}

} // namespace token_classifier
