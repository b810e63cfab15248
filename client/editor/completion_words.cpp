// Candidate rules of the completion list.
#include "editor/completion_words.h"

#include "editor/token_classifier.h"
#include "support/proto/commands.h"

#include <algorithm>
#include <cctype>

namespace completion_words {

namespace {

std::vector<std::string> blank_tokens(const std::string &s)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        const size_t b = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t')
            ++i;
        if (i > b)
            out.push_back(s.substr(b, i - b));
    }
    return out;
}

// Where the command's table name stands, or -1 when the command takes none.
int table_index(const std::vector<std::string> &t)
{
    const proto::command_word *w = t.empty() ? nullptr : proto::find_command(t[0]);
    if (!w || w->table_at < 0)
        return -1;
    if (w->table_after && (t.size() < size_t(w->table_at) || t[size_t(w->table_at) - 1] != w->table_after))
        return -1;
    return w->table_at;
}

} // namespace

const std::vector<std::string> &post_keywords()
{
    static const std::vector<std::string> words(std::begin(proto::post_words), std::end(proto::post_words));
    return words;
}

const std::vector<std::string> &all_words()
{
    static const auto words = [] {
        std::vector<std::string> w = token_classifier::command_words();
        w.insert(w.end(), post_keywords().begin(), post_keywords().end());
        return w;
    }();
    return words;
}

bool is_word_byte(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x80 || std::isalnum(u) || c == '_';
}

bool starts_with(const std::string &word, const std::string &prefix)
{
    if (prefix.size() > word.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(word[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

std::string trailing_word(const std::string &text)
{
    size_t b = text.size();
    while (b > 0 && is_word_byte(text[b - 1]))
        --b;
    return text.substr(b);
}

std::vector<std::string> candidates(const std::string &line_before_cursor, const names &known,
                                    bool only_cmd)
{
    const std::string prefix = trailing_word(line_before_cursor);
    const std::vector<std::string> before =
        blank_tokens(line_before_cursor.substr(0, line_before_cursor.size() - prefix.size()));
    // Text glued in front of the word ("f1,f2") belongs to the same token.
    const bool glued = line_before_cursor.size() > prefix.size() &&
                       line_before_cursor[line_before_cursor.size() - prefix.size() - 1] != ' ' &&
                       line_before_cursor[line_before_cursor.size() - prefix.size() - 1] != '\t';
    const int index = static_cast<int>(before.size()) - (glued ? 1 : 0);

    std::vector<std::string> pool;
    if (index == 0 && !glued) {
        pool = token_classifier::command_words();
    } else if (!only_cmd) {
        const int t = table_index(before);
        if (t >= 0 && index == t) {
            pool = known.tables;
        } else if (const char *after = t >= 0 && index > t ? proto::find_command(before[0])->after : nullptr) {
            const auto f = known.fields.find(before[static_cast<size_t>(t)]);
            if (f != known.fields.end())
                pool = f->second;
            for (const std::string_view k : proto::words_of(after))
                pool.emplace_back(k);
        } else {
            pool = post_keywords();
        }
    }

    std::vector<std::string> out;
    for (const auto &w : pool)
        if (starts_with(w, prefix) && std::find(out.begin(), out.end(), w) == out.end())
            out.push_back(w);
    return out;
}

} // namespace completion_words
