// CSV files on the user's own disk: a table or a grid written locally in the forms the server
// writes, and a local file checked whole and then pushed into a table row by row.
#pragma once

#include "db/csv_text.h"
#include "db/db_exec.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <memory>

// How a file is laid out: "csv" (field names) or "csvs" (name:type), and the separator.
struct csv_form {
    bool typed = false;
    QByteArray sep = ",";
};

// Writes all fields and rows of the table into path. False with why set when the table cannot
// be read, the file exists and may not be replaced, or cannot be written.
bool export_table_local(db_exec &db, const QByteArray &table, const QString &path, const csv_form &form,
                        bool replace, QByteArray &why);
// The CSV text of a grid: the column names and types, and rows of the values the grid holds (the
// QVariant forms of the result conversion). A grid of a whole table gives the server's file.
QByteArray grid_csv(const name_list &names, const name_list &types, const row_list &rows, const csv_form &form);
// Writes text to path as one file; the old file stays whole when the write fails.
bool write_local_file(const QString &path, const QByteArray &text, bool replace, QByteArray &why);

// A local file going into a table: prepare() reads and checks all of it, then push_next() sends
// one row at a time so that the caller can show progress and stop between rows.
class csv_local_import {
public:
    csv_local_import(db_exec &db, const QByteArray &table);
    // False with why() ("line N: reason", or what else went wrong) when anything in the file does
    // not fit the table; nothing is sent to the table then.
    bool prepare(const QString &path, const csv_form &form);
    qint64 rows() const { return rows_; }
    qint64 done() const { return done_; }
    bool finished() const { return done_ == rows_; }
    // Sends the next row; false when the server refused it (why() tells the line).
    bool push_next();
    const QByteArray &why() const { return why_; }
    // The push command of one record (values after the time point, in the file's column order).
    static QByteArray push_command(const QByteArray &table, const name_list &fields, const csv_text::csv_record &rec);

private:
    bool read_and_check(const QString &path, const csv_form &form);
    bool check_header(const csv_text::csv_record &head, bool typed);
    db_exec &db_;
    QByteArray table_;
    QByteArray text_;
    csv_form form_;
    name_list fields_;   // the file's fields after the time point
    name_list types_;    // their types in the table
    qint64 rows_ = 0, done_ = 0;
    std::unique_ptr<csv_text::reader> reader_;
    QByteArray why_;
    QElapsedTimer clock_;   // since the file was checked: the pushes' time
};
