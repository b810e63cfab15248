// CSV fields, value texts and records in the forms the server writes and reads, so that a file
// written here imports on the server and a server's file imports here.
#include "db/csv_text.h"

#include "db/value_kinds.h"
#include "support/proto/value_syntax.h"

#include <cerrno>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace csv_text {

namespace {

bool is_end_blank(char c) { return c == ' ' || c == '\t'; }

bool contains(const char *data, int len, const QByteArray &sep)
{
    if (sep.size() == 1)
        return std::memchr(data, sep[0], size_t(len)) != nullptr;
    return len >= sep.size() && QByteArray::fromRawData(data, len).contains(sep);
}

// "%.*f", or when that loses bits of a finite non-zero value the shortest exact "%.*g" (the
// character conversions print exactly what printf prints, several times faster).
void append_fixed(QByteArray &out, double v, bool single)
{
    const int digits = single ? 9 : 17;
    char buf[400];
    char *end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, digits).ptr;
    if (std::isfinite(v) && v != 0) {
        double back = 0;
        std::from_chars(buf, end, back);
        const bool same = single ? float(back) == float(v) : back == v;
        if (!same)
            end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits).ptr;
    }
    out.append(buf, int(end - buf));
}

void append_digits(QByteArray &out, unsigned v, int width)
{
    char buf[12];
    for (int i = width - 1; i >= 0; --i) {
        buf[i] = char('0' + v % 10);
        v /= 10;
    }
    out.append(buf, width);
}

} // namespace

bool needs_quotes(const char *data, int len, const QByteArray &sep)
{
    if (len == 0)
        return false;
    if (is_end_blank(data[0]) || is_end_blank(data[len - 1]))
        return true;
    for (int i = 0; i < len; ++i) {
        const char c = data[i];
        if (c == '"' || c == '\n' || c == '\r')
            return true;
    }
    return contains(data, len, sep);
}

void append_field(QByteArray &out, const char *data, int len, const QByteArray &sep)
{
    if (!needs_quotes(data, len, sep)) {
        out.append(data, len);
        return;
    }
    out += '"';
    const char *end = data + len;
    while (data < end) {
        const char *q = static_cast<const char *>(std::memchr(data, '"', size_t(end - data)));
        const char *stop = q ? q + 1 : end;
        out.append(data, int(stop - data));
        if (q)
            out += '"';
        data = stop;
    }
    out += '"';
}

void append_float(QByteArray &out, float v) { append_fixed(out, double(v), true); }
void append_double(QByteArray &out, double v) { append_fixed(out, v, false); }

void append_date(QByteArray &out, int year, int month, int day)
{
    append_digits(out, unsigned(year), 4);
    out += '-';
    append_digits(out, unsigned(month), 2);
    out += '-';
    append_digits(out, unsigned(day), 2);
}

void append_time(QByteArray &out, int hour, int minute, int second, int nanos)
{
    append_digits(out, unsigned(hour), 2);
    out += ':';
    append_digits(out, unsigned(minute), 2);
    out += ':';
    append_digits(out, unsigned(second), 2);
    if (nanos == 0)
        return;
    char buf[10];
    unsigned v = unsigned(nanos);
    for (int i = 8; i >= 0; --i) {
        buf[i] = char('0' + v % 10);
        v /= 10;
    }
    int n = 9;
    while (buf[n - 1] == '0')
        --n;
    out += '.';
    out.append(buf, n);
}

bool is_type_name(const QByteArray &t) { return kind_of(t) != value_kind::none; }

QByteArray check_value(const QByteArray &type, const QByteArray &text)
{
    const value_kind k = kind_of(type);
    return k == value_kind::none ? "unknown type " + type : check_value(k, text);
}

QByteArray check_value(value_kind k, const QByteArray &text)
{
    if (k == value_kind::none)
        return "unknown type " + type_name(k);
    const proto::kind pk = proto_kind(k);
    const proto::syntax e = proto::check_literal(std::string_view(text.constData(), std::size_t(text.size())), pk);
    return e == proto::syntax::ok ? QByteArray() : QByteArray::fromStdString(proto::syntax_message(e, pk));
}

reader::reader(const QByteArray &text, const QByteArray &sep) : text_(text), sep_(sep)
{
    if (text_.startsWith("\xEF\xBB\xBF"))
        pos_ = 3;
}

reader::reader(const QByteArray &text, const QByteArray &sep, qint64 from, qint64 first_line)
    : text_(text), sep_(sep), pos_(from), line_(first_line)
{
}

bool reader::at_sep(qint64 i) const
{
    const qint64 n = sep_.size();
    if (i + n > text_.size())
        return false;
    return n == 1 ? text_[int(i)] == sep_[0] : std::memcmp(text_.constData() + i, sep_.constData(), size_t(n)) == 0;
}

QByteArray field_value(const QByteArray &text, const field_span &f)
{
    if (!f.doubled)
        return text.mid(int(f.from), int(f.size));
    QByteArray v;
    v.reserve(int(f.size));
    const char *s = text.constData() + f.from;
    for (qint64 i = 0; i < f.size; ++i) {
        v += s[i];
        if (s[i] == '"')
            ++i;   // the second of the pair
    }
    return v;
}

bool reader::next(csv_record &rec)
{
    if (!next(spans_, rec.line))
        return false;
    rec.values.clear();
    for (const field_span &f : spans_)
        rec.values.append(field_value(text_, f));
    return true;
}

bool reader::next(std::vector<field_span> &fields, qint64 &line)
{
    if (sep_.isEmpty()) {
        error_ = "line 1: empty separator";
        return false;
    }
    const char *s = text_.constData();
    const qint64 size = text_.size();
    while (pos_ < size) {
        line = line_;
        fields.clear();
        for (;;) {
            field_span f;
            if (s[pos_] == '"') {
                const qint64 start_line = line_;
                ++pos_;
                f.from = pos_;
                bool closed = false;
                while (pos_ < size) {
                    const char *q = static_cast<const char *>(std::memchr(s + pos_, '"', size_t(size - pos_)));
                    const qint64 stop = q ? q - s : size;
                    for (const char *p = s + pos_; p < s + stop; ++p)
                        if (*p == '\n')
                            ++line_;
                    pos_ = stop;
                    if (!q)
                        break;
                    if (pos_ + 1 < size && s[pos_ + 1] == '"') {
                        f.doubled = true;
                        pos_ += 2;
                        continue;
                    }
                    closed = true;
                    f.size = pos_ - f.from;
                    ++pos_;
                    break;
                }
                if (!closed) {
                    error_ = "line " + QByteArray::number(start_line) + ": unterminated quoted value";
                    return false;
                }
                if (pos_ < size && !at_sep(pos_) && s[pos_] != '\n' && s[pos_] != '\r') {
                    error_ = "line " + QByteArray::number(line_) + ": text after a closing quote";
                    return false;
                }
            } else {
                qint64 i = pos_;
                if (sep_.size() == 1) {
                    const char sc = sep_[0];
                    while (i < size && s[i] != sc && s[i] != '\n' && s[i] != '\r')
                        ++i;
                } else {
                    while (i < size && s[i] != '\n' && s[i] != '\r' && !at_sep(i))
                        ++i;
                }
                f.from = pos_;
                f.size = i - pos_;
                pos_ = i;
            }
            fields.push_back(f);
            if (pos_ < size && at_sep(pos_)) {
                pos_ += sep_.size();
                continue;
            }
            if (pos_ < size && s[pos_] == '\r')
                ++pos_;
            if (pos_ < size && s[pos_] == '\n')
                ++pos_;
            ++line_;
            break;
        }
        // A blank line carries no record.
        if (!(fields.size() == 1 && fields[0].size == 0))
            return true;
    }
    return false;
}

} // namespace csv_text
