// Lookups into the command vocabulary.
#include "support/proto/commands.h"

namespace proto {

const command_word* find_command(std::string_view word)
{
    for (const command_word& c : command_words)
        if (word == c.word)
            return &c;
    return nullptr;
}

bool names_a_file(std::string_view word)
{
    const command_word* c = find_command(word);
    return c && (c->family == command_family::csv || c->family == command_family::files);
}

bool is_path_word(std::string_view word)
{
    for (const char* w : path_words)
        if (word == w)
            return true;
    return false;
}

std::vector<std::string_view> words_of(const char* list)
{
    std::vector<std::string_view> out;
    const std::string_view s = list ? list : "";
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t end = s.find(' ', i);
        const std::size_t stop = end == std::string_view::npos ? s.size() : end;
        if (stop > i)
            out.push_back(s.substr(i, stop - i));
        i = stop + 1;
    }
    return out;
}

} // namespace proto
