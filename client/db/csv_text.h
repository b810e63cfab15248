// CSV texts as the server writes and reads them: quoting of single fields, the text forms of
// typed values, checking a text against a value type, and splitting a file into records.
#pragma once

#include "db/value_kinds.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

namespace csv_text {

// True when the field must be quoted: it holds the separator, a double quote, a line break, or
// a blank or tab at either end.
bool needs_quotes(const char *data, int len, const QByteArray &sep);
// Appends the field, in double quotes with inner quotes doubled when it needs them.
void append_field(QByteArray &out, const char *data, int len, const QByteArray &sep);
inline void append_field(QByteArray &out, const QByteArray &v, const QByteArray &sep)
{
    append_field(out, v.constData(), v.size(), sep);
}

// Text forms of the values the server prints into its files.
void append_float(QByteArray &out, float v);
void append_double(QByteArray &out, double v);
void append_date(QByteArray &out, int year, int month, int day);
// Seconds' fraction with up to nine digits, trailing zeros dropped, none when zero.
void append_time(QByteArray &out, int hour, int minute, int second, int nanos);

// Why text is no valid value of the type named type_name ("i08" ... "datetime"); empty when it
// is one. The forms are the ones the server takes in a file.
QByteArray check_value(const QByteArray &type_name, const QByteArray &text);
// The same for a kind known already (a column's, checked for every row of a file).
QByteArray check_value(value_kind k, const QByteArray &text);
// True for the fourteen type names.
bool is_type_name(const QByteArray &type_name);

// One record of a file: the line it starts on (from 1) and its fields.
struct csv_record {
    qint64 line = 0;
    QList<QByteArray> values;
};

// Where one field of a record lies in the text: a quoted field without its quotes, its doubled
// quotes still doubled (`doubled` says there are some).
struct field_span {
    qint64 from = 0;
    qint64 size = 0;
    bool doubled = false;
};
// The field's value: its bytes, doubled quotes made single.
QByteArray field_value(const QByteArray &text, const field_span &f);

// Reads records one by one from a text kept by the caller. A byte order mark is skipped; CRLF
// and LF both end a record; blank lines carry no record; quoted fields may hold separators,
// doubled quotes and line breaks.
class reader {
public:
    reader(const QByteArray &text, const QByteArray &sep);
    // Starts at byte `from` of the text, counting lines from first_line: a piece of a longer
    // file, where no byte order mark is looked for.
    reader(const QByteArray &text, const QByteArray &sep, qint64 from, qint64 first_line);
    // The next record; false at the end or on an error (then error() is not empty).
    bool next(csv_record &rec);
    // The same without copying: where its fields lie in the text, and the line it starts on.
    bool next(std::vector<field_span> &fields, qint64 &line);
    // "line N: reason".
    const QByteArray &error() const { return error_; }
    // How far the reading got, in bytes of the text, and the line it got to.
    qint64 position() const { return pos_; }
    qint64 line() const { return line_; }

private:
    bool at_sep(qint64 i) const;
    const QByteArray &text_;
    QByteArray sep_;
    qint64 pos_ = 0;
    qint64 line_ = 1;
    QByteArray error_;
    std::vector<field_span> spans_;
};

} // namespace csv_text
