// Builders of the table and database commands: each assembles its command text, runs it through
// the execution wrapper (always logged) and reports success; none shows anything to the user.
#pragma once

#include "db/db_exec.h"
#include "support/proto/commands.h"
#include "support/mem_time.h"

#include <QByteArray>
#include <QList>

// The pseudo-field of every table: each row's time point, the first column of every view.
inline const QByteArray time_point_field = QByteArray(proto::time_point_name);

// Tables, fields and table life (table_builders.cpp).

// "show tables": appends each table name; the list's size afterwards, 0 when the command failed.
int show_tables(db_exec &db, name_list &names);
// "show tables" and the row of the table: its first and last time point. False when the command
// failed or the table is not listed with its two time points. The list is logged and printed to
// the console unless quiet (a follow that asks every second would bury the log). rows (may be
// null) receives the table's row count where the list has one (a fourth, integer column), else
// it is left as it was.
bool table_time_range(db_exec &db, const QByteArray &table, ox::db::mem::date_time &first,
                      ox::db::mem::date_time &last, bool quiet = false, uint64_t *rows = nullptr);
// "field_of <table>": appends the field names; true when at least one was read.
bool fields_of(db_exec &db, const QByteArray &table, name_list &names);
// "field_of <table>": names, type names and the number of each field, in decimal. With
// with_time_point the pseudo-field "time point" / "datetime" / "0" comes first.
bool field_info(db_exec &db, const QByteArray &table, name_list &names, name_list &types,
                name_list &numbers, bool with_time_point);
// Why a table or field name cannot go into a command as one word: the command language has no
// quoting for names, so anything but letters, digits and "_" could end the name and start
// another command.
enum class name_fault { none, empty, leading_digit, bad_char };
// bad_at receives the position of the first offending byte (bad_char only).
name_fault plain_name_fault(const QByteArray &name, int *bad_at = nullptr);
// ASCII letters, digits and "_", not starting with a digit, not empty.
inline bool is_plain_name(const QByteArray &name) { return plain_name_fault(name) == name_fault::none; }

// "create <table> <name> <type> ...": false without sending when there are no fields, the two
// lists differ in length, the table or a field name is not a plain name, a field is named
// twice or a type is not one of the fourteen type names.
bool create_table(db_exec &db, const QByteArray &table, const name_list &names, const name_list &types);

// A field to add, change or rename: for a new or changed field new_name equals name.
struct field_change {
    QByteArray name;
    QByteArray new_name;
    QByteArray type;
    bool index = false;
};
// Adding, changing or renaming a field of a table. The server offers no command for it, so
// nothing is sent and the result is always false.
bool change_field(db_exec &db, const QByteArray &table, const field_change &field);
bool drop_table(db_exec &db, const QByteArray &table);
bool truncate_table(db_exec &db, const QByteArray &table);

// CSV files written and read by the server (csv_builders.cpp). csv chooses "csv", else "csvs".
// With suppress the text stops before the path. A path or separator holding a double quote
// cannot be quoted in a command: the builder sends nothing and returns false.
bool export_table(db_exec &db, const QByteArray &table, const QByteArray &path, bool csv,
                  const QByteArray &separator, bool replace, bool suppress);
bool import_table(db_exec &db, const QByteArray &table, const QByteArray &path, bool csv,
                  const QByteArray &separator, bool suppress);
// The query's verb (its first word) becomes "export_data".
bool export_query(db_exec &db, const QByteArray &query, const QByteArray &path, bool csv,
                  const QByteArray &separator, bool replace, bool suppress);
// The query text export_query sends before its format suffix.
QByteArray export_verb(const QByteArray &query);

// The largest file moved through the client (raw loads and restores, local CSV imports). A raw
// load or restore is one command of four times the file's size, which the server holds whole.
constexpr qint64 client_file_limit = qint64(256) << 20;

// Table files and database backups (raw_transfer.cpp). binary chooses "bin", else "cmd". With
// raw the payload travels through the connection as hexadecimal text and path is a local file;
// otherwise the server reads or writes the file at path. A raw load or restore of a file larger
// than client_file_limit sends nothing and fails. Raw payloads travel a block at a time: the
// client never holds a whole file, command text or reply. A raw save or backup replaces the
// local file only once the reply came whole and was written.
bool load_table(db_exec &db, const QByteArray &table, const QByteArray &path, bool binary, bool raw);
bool save_table(db_exec &db, const QByteArray &table, const QByteArray &path, bool binary,
                bool replace, bool raw);
bool backup_db(db_exec &db, const QByteArray &path, bool binary, bool replace, bool raw);
bool restore_db(db_exec &db, const QByteArray &path, bool binary, bool raw);

// Each byte as "\x" and two lowercase hex digits.
QByteArray hex_escape(const QByteArray &bytes);
// Appends the bytes of a text of two-digit hex values (either case) to out; stops at the first
// pair that is not two hex digits and returns false then.
bool hex_decode_append(const QByteArray &text, QByteArray &out);
