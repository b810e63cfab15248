// Tokenizer of the command language; quoted tokens keep unknown backslashes as they are.
#include "tokens.h"

namespace devserver {

namespace {

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool hex_value(std::string_view s, std::size_t pos, std::size_t n, unsigned& v)
{
    if (pos + n > s.size())
        return false;
    v = 0;
    for (std::size_t i = pos; i < pos + n; ++i) {
        const int d = hex_digit(s[i]);
        if (d < 0)
            return false;
        v = v * 16 + unsigned(d);
    }
    return true;
}

void put_utf8(std::string& out, unsigned cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool is_file_command(const std::vector<token>& out)
{
    if (out.empty() || out[0].quoted)
        return false;
    const std::string& v = out[0].text;
    return v == "export" || v == "import" || v == "export_data" || v == "save" || v == "load" || v == "backup" ||
           v == "restore";
}

// The quoted token about to be read is the path of a file command.
bool path_follows(const std::vector<token>& out)
{
    if (out.size() < 2 || out.back().quoted || !is_file_command(out))
        return false;
    const std::string& w = out.back().text;
    return w == "csv" || w == "csvs" || w == "bin" || w == "cmd";
}

} // namespace

std::string tokenize(std::string_view s, std::vector<token>& out)
{
    out.clear();
    while (!s.empty() && is_space(s.back()))
        s.remove_suffix(1);
    if (!s.empty() && s.back() == ';')
        s.remove_suffix(1);
    while (!s.empty() && is_space(s.front()))
        s.remove_prefix(1);
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ' ' || (i == 0 && is_space(s[i]))) {
            ++i;
            continue;
        }
        if (out.size() == max_tokens)
            return "too many words in one command (at most " + std::to_string(max_tokens) + ")";
        token t;
        if (s[i] != '"') {
            const std::size_t end = s.find(' ', i);
            const std::size_t stop = end == std::string_view::npos ? s.size() : end;
            t.text.assign(s.data() + i, stop - i);
            i = stop;
            out.push_back(std::move(t));
            continue;
        }
        t.quoted = true;
        ++i;
        bool closed = false;
        if (path_follows(out)) {
            const std::size_t end = s.find('"', i);
            if (end != std::string_view::npos) {
                t.text.assign(s.data() + i, end - i);
                i = end + 1;
                closed = true;
            }
        }
        while (!closed && i < s.size()) {
            const char c = s[i];
            if (c == '"') {
                closed = true;
                ++i;
                break;
            }
            if (c != '\\' || i + 1 >= s.size()) {
                t.text += c;
                ++i;
                continue;
            }
            const char e = s[i + 1];
            unsigned v;
            switch (e) {
            case '"': t.text += '"'; i += 2; break;
            case '\\': t.text += '\\'; i += 2; break;
            case 'n': t.text += '\n'; i += 2; break;
            case 'r': t.text += '\r'; i += 2; break;
            case 't': t.text += '\t'; i += 2; break;
            case 'x':
                if (hex_value(s, i + 2, 2, v)) {
                    t.text += char(v);
                    i += 4;
                } else {
                    t.text += c;
                    ++i;
                }
                break;
            case 'u':
                if (hex_value(s, i + 2, 4, v)) {
                    put_utf8(t.text, v);
                    i += 6;
                } else {
                    t.text += c;
                    ++i;
                }
                break;
            default:
                // Keeps Windows paths such as "d:\data\t.csv" intact.
                t.text += c;
                ++i;
                break;
            }
        }
        if (!closed)
            return "unterminated quoted text";
        if (i < s.size() && s[i] != ' ')
            return "blank expected after a closing quote";
        out.push_back(std::move(t));
    }
    return {};
}

std::string quote(std::string_view text)
{
    std::string q = "\"";
    for (char c : text) {
        switch (c) {
        case '"': q += "\\\""; break;
        case '\\': q += "\\\\"; break;
        case '\n': q += "\\n"; break;
        case '\r': q += "\\r"; break;
        case '\t': q += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static const char hx[] = "0123456789abcdef";
                q += "\\x";
                q += hx[(c >> 4) & 0xF];
                q += hx[c & 0xF];
            } else {
                q += c;
            }
        }
    }
    q += '"';
    return q;
}

} // namespace devserver
