// Keyword lists and the rules that pick completion candidates for the word being typed.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace completion_words {

// The words offered after the command word outside a field list.
const std::vector<std::string> &post_keywords();
// The command words followed by the post keywords.
const std::vector<std::string> &all_words();

struct names {
    std::vector<std::string> tables;
    std::map<std::string, std::vector<std::string>> fields;   // table -> its fields
};

// Letters, digits, "_" and every byte of a multi-byte character belong to words.
bool is_word_byte(char c);

// Candidates for the word that ends the text before the cursor on its line: command words
// for the first token, table names where a command expects one, a table's fields and the
// keywords that may follow inside view, push into and update, post keywords elsewhere.
// `only_cmd` offers command words alone. Matching is a case-insensitive prefix; duplicates go.
std::vector<std::string> candidates(const std::string &line_before_cursor, const names &known,
                                    bool only_cmd);

// The word of word bytes that ends the text.
std::string trailing_word(const std::string &text);

// Case-insensitive prefix test.
bool starts_with(const std::string &word, const std::string &prefix);

} // namespace completion_words
