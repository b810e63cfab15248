// The command words of the language, the shapes of their arguments as far as completion and
// colouring need them, and the fixed words and names the commands use.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace proto {

// Which part of the server runs a command.
enum class command_family : unsigned char { schema, rows, csv, files, space };

struct command_word {
    const char* word;
    command_family family;
    int table_at;          // index of the token naming an existing table, or -1
    const char* table_after; // the word just before the table when it is not the command word
    const char* after;     // words that may follow a field list after the table, blank-separated;
                           // null when no field list follows the table
};

// Every word the server takes first, in the order completion offers them.
inline constexpr command_word command_words[] = {
    {"backup", command_family::files, -1, nullptr, nullptr},
    {"create", command_family::schema, -1, nullptr, nullptr},
    {"drop", command_family::schema, 1, nullptr, nullptr},
    {"export", command_family::csv, 1, nullptr, nullptr},
    {"export_data", command_family::csv, 1, nullptr, nullptr},
    {"fields_of", command_family::schema, 1, nullptr, nullptr},
    {"field_of", command_family::schema, 1, nullptr, nullptr},
    {"import", command_family::csv, 1, nullptr, nullptr},
    {"load", command_family::files, 1, nullptr, nullptr},
    {"push", command_family::rows, 2, "into", "values at"},
    {"restore", command_family::files, -1, nullptr, nullptr},
    {"save", command_family::files, 1, nullptr, nullptr},
    {"show", command_family::schema, -1, nullptr, nullptr},
    {"truncate", command_family::schema, 1, nullptr, nullptr},
    {"update", command_family::rows, 1, nullptr, "btw at"},
    {"used", command_family::space, -1, nullptr, nullptr},
    {"view", command_family::rows, 1, nullptr, "btw at max"},
};

// The command of a first word (exact, case-sensitive), or null.
const command_word* find_command(std::string_view word);
inline bool is_command_word(std::string_view word) { return find_command(word) != nullptr; }
// Commands that read or write a file on the server; their quoted path is taken literally.
bool names_a_file(std::string_view word);

// The words after which a file command's quoted path stands.
inline constexpr const char* path_words[] = {"csv", "csvs", "bin", "cmd"};
bool is_path_word(std::string_view word);

// The words completion offers after the command word outside a field list.
inline constexpr const char* post_words[] = {"into", "btw", "values", "at", "max", "as",
                                             "from", "bin", "cmd", "csv", "csvs", "replace"};

// The blank-separated words of a list such as command_word::after.
std::vector<std::string_view> words_of(const char* list);

// The pseudo-field of every row's time point, first in field lists and CSV headers.
constexpr char time_point_name[] = "time point";
// The command that answers with the bytes a server's tables hold.
constexpr char used_space_command[] = "used space";

} // namespace proto
