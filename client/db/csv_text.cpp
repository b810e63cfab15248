// CSV fields, value texts and records in the forms the server writes and reads, so that a file
// written here imports on the server and a server's file imports here.
#include "db/csv_text.h"

#include "db/value_kinds.h"

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

// Case-insensitive equality of a piece of text with a lower-case word.
bool ieq(const char *s, int n, const char *word)
{
    const int len = int(std::strlen(word));
    if (n != len)
        return false;
    for (int i = 0; i < n; ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return true;
}

bool read_digits(const char *s, int len, int pos, int n, int &v)
{
    if (pos + n > len)
        return false;
    v = 0;
    for (int i = pos; i < pos + n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        v = v * 10 + (s[i] - '0');
    }
    return true;
}

bool valid_date(const char *s, int len)
{
    static const int mdays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int y, m, d;
    if (len != 10 || s[4] != '-' || s[7] != '-' || !read_digits(s, len, 0, 4, y) || !read_digits(s, len, 5, 2, m) ||
        !read_digits(s, len, 8, 2, d))
        return false;
    if (y < 1 || m < 1 || m > 12 || d < 1)
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= mdays[m - 1] + (m == 2 && leap ? 1 : 0);
}

bool valid_time(const char *s, int len)
{
    int h, mi, se, digit;
    if (len < 8 || s[2] != ':' || s[5] != ':' || !read_digits(s, len, 0, 2, h) || !read_digits(s, len, 3, 2, mi) ||
        !read_digits(s, len, 6, 2, se) || h > 23 || mi > 59 || se > 59)
        return false;
    if (len == 8)
        return true;
    const int n = len - 9;
    if (s[8] != '.' || n < 1 || n > 9)
        return false;
    for (int i = 0; i < n; ++i)
        if (!read_digits(s, len, 9 + i, 1, digit))
            return false;
    return true;
}

// The checks read the text where it lies: a file of millions of values allocates nothing here.
QByteArray check_integer(value_kind k, const QByteArray &text)
{
    const char *s = text.constData();
    int n = text.size();
    bool neg = false;
    if (n > 0 && (s[0] == '+' || s[0] == '-')) {
        neg = s[0] == '-';
        ++s;
        --n;
    }
    // A size suffix ("u4") says nothing the field type does not already say.
    if (n > 2 && (s[n - 2] == 'u' || s[n - 2] == 'U')) {
        const char c = s[n - 1];
        if (c == '1' || c == '2' || c == '4' || c == '8')
            n -= 2;
    }
    unsigned base = 10;
    if (n > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s += 2;
        n -= 2;
    } else if (n > 2 && s[0] == '0' && (s[1] == 'b' || s[1] == 'B')) {
        base = 2;
        s += 2;
        n -= 2;
    }
    if (n == 0)
        return "not an integer";
    quint64 mag = 0;
    bool overflow = false;
    for (int i = 0; i < n; ++i) {
        const char c = s[i];
        unsigned d;
        if (c >= '0' && c <= '9')
            d = unsigned(c - '0');
        else if (c >= 'a' && c <= 'f')
            d = unsigned(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            d = unsigned(c - 'A' + 10);
        else
            return "not an integer";
        if (d >= base)
            return "not an integer";
        if (mag > (UINT64_MAX - d) / base)
            overflow = true;
        else
            mag = mag * base + d;
    }
    const int bits = int_bytes(k) * 8;
    bool in_range;
    if (overflow) {
        in_range = false;
    } else if (!int_signed(k)) {
        const quint64 max = bits == 64 ? UINT64_MAX : ((quint64(1) << bits) - 1);
        in_range = !(neg && mag != 0) && mag <= max;
    } else {
        const quint64 lim = quint64(1) << (bits - 1);
        in_range = neg ? mag <= lim : mag < lim;
    }
    return in_range ? QByteArray() : "out of range for " + type_name(k);
}

QByteArray check_float(bool single, const QByteArray &text)
{
    const char suffix = single ? 'f' : 'd';
    const char *body = text.constData();
    int n = text.size();
    if (n > 0 && (body[n - 1] == suffix || body[n - 1] == char(suffix - 32)) && !ieq(body, n, "inf") &&
        !ieq(body, n, "+inf") && !ieq(body, n, "-inf"))
        --n;
    const int body_size = n;
    const char *rest = body;
    if (n > 0 && (rest[0] == '+' || rest[0] == '-')) {
        ++rest;
        --n;
    }
    if (ieq(rest, n, "inf") || ieq(rest, n, "infinity") || ieq(rest, n, "nan"))
        return {};
    int i = 0, int_digits = 0, frac_digits = 0;
    auto digit = [&](int at) { return at < n && rest[at] >= '0' && rest[at] <= '9'; };
    while (digit(i))
        ++i, ++int_digits;
    if (i < n && rest[i] == '.') {
        ++i;
        while (digit(i))
            ++i, ++frac_digits;
    }
    if (int_digits + frac_digits == 0)
        return "not a number";
    bool exponent = false;
    if (i < n && (rest[i] == 'e' || rest[i] == 'E')) {
        ++i;
        if (i < n && (rest[i] == '+' || rest[i] == '-'))
            ++i;
        int exp_digits = 0;
        while (digit(i))
            ++i, ++exp_digits;
        if (exp_digits == 0)
            return "not a number";
        exponent = true;
    }
    if (i != n)
        return "not a number";
    // Only an exponent or a long run of digits can leave the range.
    if (!exponent && int_digits < (single ? 39 : 309))
        return {};
    const QByteArray whole(body, body_size);
    errno = 0;
    const double v = std::strtod(whole.constData(), nullptr);
    const QByteArray range = single ? "out of range for float" : "out of range for double";
    if (errno == ERANGE && std::isinf(v))
        return range;
    if (single && std::isfinite(v) && std::fabs(v) > double(FLT_MAX))
        return range;
    return {};
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
    if (is_integer(k))
        return check_integer(k, text);
    const char *s = text.constData();
    const int n = text.size();
    switch (k) {
    case value_kind::flt: return check_float(true, text);
    case value_kind::dbl: return check_float(false, text);
    case value_kind::str: return n > 65535 ? "string longer than 65535 bytes" : QByteArray();
    case value_kind::date: return valid_date(s, n) ? QByteArray() : "not a valid date";
    case value_kind::time: return valid_time(s, n) ? QByteArray() : "not a valid time";
    case value_kind::datetime:
        return n >= 19 && s[10] == ' ' && valid_date(s, 10) && valid_time(s + 11, n - 11) ? QByteArray()
                                                                                           : "not a valid datetime";
    default: return "unknown type " + type_name(k);
    }
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
