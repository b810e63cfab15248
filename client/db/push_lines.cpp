// Push lines and their \xHH form, written straight into a command of many megabytes: one table
// lookup a byte, no intermediate text.
#include "db/push_lines.h"

#include "db/proto_text.h"
#include "support/proto/quoting.h"

#include <cstring>

namespace push_lines {

namespace {

void append_literal(QByteArray &out, const QByteArray &v)
{
    out += '"';
    for (char c : v) {
        std::size_t n;
        if (const char *e = proto::escape_of(c, n))
            out.append(e, int(n));
        else
            out += c;
    }
    out += '"';
}

qint64 literal_size(const QByteArray &v) { return qint64(proto::quoted_size(view_of(v))); }

struct hex_table {
    char of[256][4];
    hex_table()
    {
        static const char digits[] = "0123456789abcdef";
        for (int b = 0; b < 256; ++b) {
            of[b][0] = '\\';
            of[b][1] = 'x';
            of[b][2] = digits[b >> 4];
            of[b][3] = digits[b & 15];
        }
    }
};

const hex_table &hex()
{
    static const hex_table table;
    return table;
}

char *put(char *p, const char *s, qint64 n)
{
    const hex_table &h = hex();
    for (qint64 i = 0; i < n; ++i, p += 4)
        std::memcpy(p, h.of[static_cast<unsigned char>(s[i])], 4);
    return p;
}

char *put_literal(char *p, const QByteArray &v)
{
    const hex_table &h = hex();
    p = put(p, "\"", 1);
    for (char c : v) {
        std::size_t n;
        if (const char *e = proto::escape_of(c, n)) {
            p = put(p, e, qint64(n));
        } else {
            std::memcpy(p, h.of[static_cast<unsigned char>(c)], 4);
            p += 4;
        }
    }
    return put(p, "\"", 1);
}

} // namespace

void append(QByteArray &out, const QByteArray &head, const QByteArray *values, int count)
{
    out += head;
    for (int i = 1; i < count; ++i) {
        out += ' ';
        append_literal(out, values[i]);
    }
    out += " at ";
    append_literal(out, count > 0 ? values[0] : QByteArray());
}

qint64 line_size(const QByteArray &head, const QByteArray *values, int count)
{
    qint64 n = head.size() + 4 + literal_size(count > 0 ? values[0] : QByteArray()) + 1;
    for (int i = 1; i < count; ++i)
        n += 1 + literal_size(values[i]);
    return n;
}

char *put_escaped_line(char *p, const QByteArray &head, const QByteArray *values, int count)
{
    p = put(p, head.constData(), head.size());
    for (int i = 1; i < count; ++i) {
        p = put(p, " ", 1);
        p = put_literal(p, values[i]);
    }
    p = put(p, " at ", 4);
    p = put_literal(p, count > 0 ? values[0] : QByteArray());
    return put(p, "\n", 1);
}

} // namespace push_lines
