// Colouring of command lines by token position, and the command check that finds where a
// script stops being valid. Plain C++ so both can be fuzzed without a window system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace token_classifier {

// Token classes; class_entry maps each to the style-table entry it is painted with.
enum token_class : int {
    read_keyword = 0, write_keyword = 1, table_name = 2, field_name = 3, default_keyword = 4,
    plain = 5, constant = 6, post_keyword = 7, quoted = 8
};
int class_entry(int cls);

struct token {
    int begin;  // offsets inside the line, [begin, end)
    int end;
};

// Splits a line at blanks (byte 32 only). A token opened by a double quote runs to its closing
// quote with backslash escapes skipped. False when a quote follows other token bytes directly
// or is left open: such a line is painted in the default style.
bool split(const char *line, int len, std::vector<token> &out);

// One class per token, by the command that the first token names.
std::vector<int> classify(const char *line, const std::vector<token> &tokens);

// Style-table entry for every byte of the line (blanks get the constant entry, a line that
// cannot be split the default entry).
void line_entries(const char *line, int len, std::vector<uint8_t> &out);

// Style-table entry for the byte at `offset` of the line.
int entry_at(const char *line, int len, int offset);

// The first token of a non-empty line must be a command word.
bool is_command_word(const char *word, int len);
const std::vector<std::string> &command_words();

// Checks one line: true when it has no token, is a remark ("//" first), or its first token is a
// command word and every double quote it opens is closed on the same line (escapes as in `split`).
bool line_valid(const char *line, int len);

} // namespace token_classifier
