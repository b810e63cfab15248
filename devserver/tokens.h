// Splits a command text into blank-separated tokens, with quoted tokens and their escapes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace devserver {

constexpr std::size_t max_tokens = 16384;

struct token {
    std::string text;     // escapes applied for quoted tokens
    bool quoted = false;
};

// Returns an empty string on success, else the reason (an unterminated quote, say).
// A trailing ';' (after trailing blanks are dropped) is ignored. The quoted file path of the
// file commands (after csv, csvs, bin or cmd) is taken literally: no escape is decoded there.
// No command needs more than max_tokens words; longer texts are refused before they cost
// memory out of all proportion to their size.
std::string tokenize(std::string_view command, std::vector<token>& out);

// Quotes a text so that tokenize reads it back unchanged.
std::string quote(std::string_view text);

} // namespace devserver
