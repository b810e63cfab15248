// Putting a text into a command: the one quoting rule the server's tokenizer reads back to the
// same bytes, and the literal form of a file path, which it does not unescape.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace proto {

// The escape of a byte that needs one (a control byte, '"' or '\\'); `len` gets its length.
const char* escape_of_special(char c, std::size_t& len);
// The escape a byte takes inside double quotes ("\\\"", "\\n", "\\x01", ...), or null when
// it stands as it is; `len` gets its length. Inline: the push lines of an import ask it for
// every byte.
inline const char* escape_of(char c, std::size_t& len)
{
    if (static_cast<unsigned char>(c) >= 32 && c != '"' && c != '\\')
        return nullptr;
    return escape_of_special(c, len);
}

// The text in double quotes with its escapes.
void append_quoted(std::string& out, std::string_view text);
std::string quoted(std::string_view text);
// Bytes append_quoted adds.
std::size_t quoted_size(std::string_view text);
// A file path in double quotes, as it is; false (nothing appended) when it holds a double
// quote, which a path cannot carry.
bool append_quoted_path(std::string& out, std::string_view path);

} // namespace proto
