// Runs one command text against the database and produces the reply body.
#pragma once

#include "table.h"
#include "tokens.h"

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace devserver {

// Kinds of change the journal holds; replaying them in order rebuilds the database.
enum class change : char {
    command = 'C',       // a command text that changes only the database (create, push, ...)
    add_tables = 'M',    // a backup image whose tables are added (load)
    replace_all = 'R',   // a backup image that replaces the database (restore)
    append_rows = 'A',   // rows read from a file, appended to a table (import)
};

// Receives every change before it is applied. A non-empty answer (why writing failed) fails
// the command with nothing changed. A change that frees space (drop, truncate) may use room
// kept back for it, so a full disk does not refuse the very commands that would relieve it.
class change_sink {
public:
    virtual ~change_sink() = default;
    virtual std::string record(change kind, std::string_view payload, bool frees_space) = 0;
};

struct server_state {
    database db;
    std::string data_dir;         // root of every path a command names
    bool files_enabled = true;    // off where file access is unwanted (the fuzzer)
    change_sink* sink = nullptr;  // the journal, when the database is kept in a file
    std::string_view command;     // text of the command being run, for its journal record
};

struct outcome {
    bool ok = false;
    std::string body;   // result encoding when ok, else the error text
};

outcome execute(server_state& st, std::string_view command);
// The same with the command already split (done outside the database lock).
outcome execute_tokens(server_state& st, std::string_view command, const std::vector<token>& t);
// As execute_tokens, taking `lock` (which guards st) for as little as the command allows: an
// import reads and checks its file before it takes the lock to apply it.
outcome execute_locked(server_state& st, std::mutex& lock, std::string_view command, const std::vector<token>& t);

// Applies one journal record to the database. Empty on success.
std::string apply_change(server_state& st, change kind, std::string_view payload);
// The table of a database entry, ready to be changed. File commands write from the tables
// they took under the lock after giving it back: a table one of them still holds is copied
// first, so the change goes to the database's copy and theirs stays as it was.
table& own(std::shared_ptr<table>& entry);

// Hands the running command's text to the journal before the command changes anything.
std::string record_command(server_state& st, bool frees_space = false);
std::string record_change(server_state& st, change kind, std::string_view payload);
// Journal form of rows appended to a table (import, load): its name, whether the change created
// the table, the rows.
std::string append_rows_payload(const std::string& name, bool created, const table& rows);

// A remark ("//" first, after blanks) carries no command: it succeeds with an empty result.
bool is_remark(std::string_view command);
// A quote of user text for replies and log lines: at most its first 200 bytes.
std::string quote_start(std::string_view text);

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

// Reads "FIELD... values VALUE... at TIMEPOINT" from tokens[i] on against the fields of tab
// (called name in reasons): values gets one entry per field, zero for a field not named.
std::string parse_push(const table& tab, const std::string& name, const std::vector<token>& t, std::size_t i,
                       time_point& tp, std::vector<std::string>& values);

// Command modules.
outcome run_schema(server_state& st, const std::vector<token>& t);     // show, field_of, create, drop, truncate
outcome run_rows(server_state& st, const std::vector<token>& t);       // push, update, view
outcome run_csv(server_state& st, const std::vector<token>& t);        // export, import, export_data
outcome run_files(server_state& st, const std::vector<token>& t);      // save, load, backup, restore
outcome run_used_space(server_state& st, const std::vector<token>& t); // used space
outcome run_import_unlocked(server_state& st, std::mutex& lock, std::string_view command, const std::vector<token>& t);
// The file commands with the file work outside `lock`: rows are copied out under it to be
// written, files are read and parsed before it is taken to swap their tables in.
outcome run_export_unlocked(server_state& st, std::mutex& lock, const std::vector<token>& t);
outcome run_files_unlocked(server_state& st, std::mutex& lock, const std::vector<token>& t);

// Runs a view-shaped selection and yields the selected rows (used by view and export_data).
struct selection {
    std::shared_ptr<table> tab;
    std::vector<int> fields;      // indexes into the table's fields
    std::size_t first = 0, last = 0;
};
std::string parse_selection(server_state& st, const std::vector<token>& t, std::size_t& i, std::size_t end,
                            selection& sel);

// An unquoted token that is the word w (lengths first: this runs for every word of every line).
inline bool is_word(const token& t, std::string_view w) { return !t.quoted && std::string_view(t.text) == w; }

} // namespace devserver
