// Line normalisation of scripts and the cutting of texts and command files into commands.
#include "script/script_lines.h"
#include "support/hex_digit.h"

namespace script_lines {

namespace {

using ox::hex_value;

bool is_trailing_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

} // namespace

QByteArray normalise_line(const QByteArray &line)
{
    int end = line.size();
    while (end > 0 && is_trailing_blank(line[end - 1]))
        --end;

    QByteArray out;
    out.reserve(end);
    bool in_quote = false;
    for (int i = 0; i < end; ++i) {
        const char c = line[i];
        if (in_quote) {
            out += c;
            if (c == '\\' && i + 1 < end) {
                out += line[++i];
            } else if (c == '"') {
                in_quote = false;
            }
            continue;
        }
        if (c == '"') {
            in_quote = true;
            out += c;
            continue;
        }
        if (c == '\\' && i + 3 < end && line[i + 1] == 'x') {
            const int hi = hex_value(line[i + 2]);
            const int lo = hex_value(line[i + 3]);
            if (hi >= 0 && lo >= 0) {
                out += char(hi * 16 + lo);
                i += 3;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QByteArray format_line(const QByteArray &line)
{
    QByteArray out;
    out.reserve(line.size());
    bool in_quote = false;
    bool pending_blank = false;
    for (int i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (in_quote) {
            out += c;
            if (c == '\\' && i + 1 < line.size())
                out += line[++i];
            else if (c == '"')
                in_quote = false;
            continue;
        }
        if (c == ' ' || c == '\t') {
            pending_blank = !out.isEmpty();
            continue;
        }
        if (pending_blank)
            out += ' ';
        pending_blank = false;
        if (c == '"')
            in_quote = true;
        out += c;
    }
    return out;
}

QList<QByteArray> split_commands(const QByteArray &text)
{
    QList<QByteArray> out;
    const QList<QByteArray> lines = text.split('\n');
    out.reserve(lines.size());
    for (const QByteArray &l : lines)
        out.append(normalise_line(l));
    return out;
}

QList<QByteArray> cmd_file_commands(const QByteArray &content)
{
    QList<QByteArray> out;
    int pos = 0;
    const int size = content.size();
    while (pos <= size) {
        int nl = content.indexOf('\n', pos);
        if (nl < 0)
            nl = size;
        int b = pos;
        int e = nl;
        if (e > b && content[e - 1] == '\r')
            --e;
        while (b < e && content[b] == ' ')
            ++b;
        while (e > b && content[e - 1] == ' ')
            --e;
        if (e > b)
            out.append(content.mid(b, e - b));
        pos = nl + 1;
    }
    return out;
}

} // namespace script_lines
