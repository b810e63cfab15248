// Splits a command text into blank-separated tokens, with quoted tokens and their escapes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace devserver {

struct token {
    std::string text;     // escapes applied for quoted tokens
    bool quoted = false;
};

// Returns an empty string on success, else the reason (an unterminated quote, say).
// A trailing ';' (after trailing blanks are dropped) is ignored.
std::string tokenize(std::string_view command, std::vector<token>& out);

// Quotes a text so that tokenize reads it back unchanged.
std::string quote(std::string_view text);

} // namespace devserver
