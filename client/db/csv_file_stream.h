// A CSV file read record by record through a window of a few megabytes, so that a file of any
// size is checked or sent without being held whole.
#pragma once

#include "db/csv_text.h"

#include <QByteArray>
#include <QFile>

class csv_file_stream {
public:
    // The file must be open for reading, at its start.
    csv_file_stream(QFile &file, const QByteArray &sep);

    // The next record; false at the end or on an error (then error() is not empty).
    bool next(csv_text::csv_record &rec);
    // The same without copying: where its fields lie in window(), valid until the next call.
    bool next(std::vector<csv_text::field_span> &fields, qint64 &line);
    const QByteArray &window() const { return window_; }
    const QByteArray &error() const { return error_; }

    // Where the last record ended: its file offset and the line after it.
    qint64 offset() const { return base_ + pos_; }
    qint64 line() const { return line_; }
    // The file's bytes of the last record (and of the blank lines before it), valid until the
    // next call.
    const char *record_bytes() const { return window_.constData() + last_; }
    qint64 record_size() const { return pos_ - last_; }

    // A record longer than this is refused: the window would have to grow without bound.
    static constexpr qint64 longest_record = qint64(4) << 20;

private:
    bool read_more();

    std::vector<csv_text::field_span> spans_;
    QFile &file_;
    QByteArray sep_;
    QByteArray window_;
    qint64 base_ = 0;   // file offset of window_[0]
    qint64 pos_ = 0;    // where the next record starts in window_
    qint64 last_ = 0;   // where the last record started
    qint64 line_ = 1;
    bool at_end_ = false;
    QByteArray error_;
};
