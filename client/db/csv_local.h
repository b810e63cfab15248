// CSV files on the user's own disk: a table or a grid written locally in the forms the server
// writes, and a local file checked whole and then pushed into a table row by row.
#pragma once

#include "db/csv_text.h"
#include "db/db_exec.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <future>
#include <memory>
#include <vector>

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

// A local file going into a table: prepare() reads and checks all of it, a piece at a time, then
// each push_next() sends the next chunk of rows, so that the caller can show progress and stop
// between calls. A chunk is the rows' push lines in one raw command-file load, which the server
// takes whole or not at all; a server that refuses such a load gets the rows one push at a time.
class csv_local_import {
public:
    csv_local_import(db_exec &db, const QByteArray &table);
    ~csv_local_import();
    // False with why() ("line N: reason", or what else went wrong) when anything in the file does
    // not fit the table; nothing is sent to the table then.
    bool prepare(const QString &path, const csv_form &form);
    qint64 rows() const { return rows_; }
    qint64 done() const { return done_; }
    bool finished() const { return done_ == rows_; }
    // Sends the next chunk (or row); false when the server refused it: none of its rows went in,
    // done() counts those that did, why() names the line.
    bool push_next();
    const QByteArray &why() const { return why_; }
    // The push command of one record (values after the time point, in the file's column order).
    static QByteArray push_command(const QByteArray &table, const name_list &fields, const csv_text::csv_record &rec);

    // Push-line bytes a chunk holds at most (about); 0 sends every row on its own. Set before
    // prepare(). The first chunks are smaller: a refusal or a Cancel costs little, and the
    // count moves at once.
    void set_chunk_bytes(qint64 bytes) { chunk_bytes_ = bytes; }
    static constexpr qint64 default_chunk_bytes = qint64(4) << 20;

private:
    // Rows of the file between two offsets, as found by prepare().
    struct chunk {
        qint64 begin = 0, end = 0;   // file offsets
        qint64 first_line = 0;       // the line at begin
        qint64 rows = 0;
        qint64 push_bytes = 0;       // of their push lines
        uint hash = 0;               // of the bytes, to see that they are still what was checked
    };
    enum class road { undecided, loads, rows };

    bool read_and_check(const QString &path, const csv_form &form);
    bool check_header(const csv_text::csv_record &head, bool typed, bool &create);
    // A chunk's load command and the file line of each of its rows.
    struct built {
        QByteArray cmd;
        std::vector<qint64> lines;
        QByteArray why;     // not empty when the chunk could not be built
        QByteArray bytes;   // room for the file's bytes, used again for the next chunk
    };
    // Reads the chunk's bytes again and checks that they are what prepare() checked; with cmd,
    // appends their push lines escaped for a raw load and gives the line of each row. Empty on
    // success, else why. Touches nothing but its arguments: it runs beside the sending.
    QByteArray read_chunk(const chunk &c, QByteArray &bytes, QByteArray *cmd, std::vector<qint64> *lines) const;
    // Builds chunk k into the room of `reuse` (a command sent before): megabytes taken anew for
    // every chunk would cost a page fault per page each time.
    built build(std::size_t k, built reuse) const;
    void start_ahead();
    bool send_chunk();
    bool push_row();
    // Says in the execution log which road the rows take.
    void log_road(const QString &text);

    db_exec &db_;
    QByteArray table_;
    QString path_;
    csv_form form_;
    name_list fields_;   // the file's fields after the time point
    name_list types_;    // their types in the table
    qint64 rows_ = 0, done_ = 0;
    qint64 chunk_bytes_ = default_chunk_bytes;
    std::vector<chunk> chunks_;
    std::size_t next_chunk_ = 0;
    road road_ = road::undecided;
    // Row by row: the chunk being pushed and where in it.
    QByteArray row_text_;
    std::unique_ptr<csv_text::reader> row_reader_;
    qint64 rows_in_chunk_ = 0;
    QByteArray why_;
    QElapsedTimer clock_;   // since the file was checked: the pushes' time
    // The next chunk, built while the last one is on its way to the server.
    std::future<built> ahead_;
    std::size_t ahead_index_ = 0;
    built spare_;
};
