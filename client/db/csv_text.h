// CSV texts as the server writes and reads them: quoting of single fields, the text forms of
// typed values, checking a text against a value type, and splitting a file into records.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

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
// True for the fourteen type names.
bool is_type_name(const QByteArray &type_name);

// One record of a file: the line it starts on (from 1) and its fields.
struct csv_record {
    qint64 line = 0;
    QList<QByteArray> values;
};

// Reads records one by one from a text kept by the caller. A byte order mark is skipped; CRLF
// and LF both end a record; blank lines carry no record; quoted fields may hold separators,
// doubled quotes and line breaks.
class reader {
public:
    reader(const QByteArray &text, const QByteArray &sep);
    // The next record; false at the end or on an error (then error() is not empty).
    bool next(csv_record &rec);
    // "line N: reason".
    const QByteArray &error() const { return error_; }
    // How far the reading got, in bytes of the text.
    qint64 position() const { return pos_; }

private:
    bool at_sep(qint64 i) const;
    const QByteArray &text_;
    QByteArray sep_;
    qint64 pos_ = 0;
    qint64 line_ = 1;
    QByteArray error_;
};

} // namespace csv_text
