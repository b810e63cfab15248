// Runs one command text against the database and produces the reply body.
#pragma once

#include "table.h"
#include "tokens.h"

#include <string>
#include <string_view>
#include <vector>

namespace devserver {

struct server_state {
    database db;
    std::string data_dir;         // root of every path a command names
    bool files_enabled = true;    // off where file access is unwanted (the fuzzer)
    bool changed = false;         // set by every command that alters the database
};

struct outcome {
    bool ok = false;
    std::string body;   // result encoding when ok, else the error text
};

outcome execute(server_state& st, std::string_view command);

// Verb of a command text for the log: its first blank-separated word, cut short.
std::string verb_of(std::string_view command);

// Shared by the command modules: a failed outcome with its reason.
inline outcome fail(std::string why) { return {false, std::move(why)}; }
outcome done();   // success without data

// Reads a time point at tokens[i] (one quoted token, or a date token and a time token).
bool read_time_point(const std::vector<token>& t, std::size_t& i, time_point& tp);
// Reads a value for a field of kind k starting at tokens[i]; a bare date and time pair
// counts as one datetime value.
std::string read_value(kind k, const std::vector<token>& t, std::size_t& i, std::size_t end, std::string& bytes);

// Command modules.
outcome run_schema(server_state& st, const std::vector<token>& t);     // show, field_of, create, drop, truncate
outcome run_rows(server_state& st, const std::vector<token>& t);       // push, update, view
outcome run_csv(server_state& st, const std::vector<token>& t);        // export, import, export_data
outcome run_files(server_state& st, const std::vector<token>& t);      // save, load, backup, restore

// Runs a view-shaped selection and yields the selected rows (used by view and export_data).
struct selection {
    std::shared_ptr<table> tab;
    std::vector<int> fields;      // indexes into the table's fields
    std::size_t first = 0, last = 0;
};
std::string parse_selection(server_state& st, const std::vector<token>& t, std::size_t& i, std::size_t end,
                            selection& sel);

bool is_word(const token& t, const char* w);

} // namespace devserver
