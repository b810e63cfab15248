// The escapes of quoted command texts.
#include "support/proto/quoting.h"

namespace proto {

namespace {
struct escape_table {
    char text[32][5];
    unsigned char len[32];
    constexpr escape_table() : text(), len()
    {
        const char hx[] = "0123456789abcdef";
        for (int c = 0; c < 32; ++c) {
            text[c][0] = '\\', text[c][1] = 'x', text[c][2] = hx[c >> 4], text[c][3] = hx[c & 15];
            len[c] = 4;
        }
        text['\n'][1] = 'n', text['\r'][1] = 'r', text['\t'][1] = 't';
        len['\n'] = len['\r'] = len['\t'] = 2;
        for (int c : {'\n', '\r', '\t'})
            text[c][2] = 0;
    }
};
constexpr escape_table control;
} // namespace

const char* escape_of_special(char c, std::size_t& len)
{
    const auto u = static_cast<unsigned char>(c);
    if (u < 32) {
        len = control.len[u];
        return control.text[u];
    }
    len = 2;
    return c == '"' ? "\\\"" : c == '\\' ? "\\\\" : nullptr;
}

void append_quoted(std::string& out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        std::size_t n;
        if (const char* e = escape_of(c, n))
            out.append(e, n);
        else
            out += c;
    }
    out += '"';
}

std::string quoted(std::string_view text)
{
    std::string out;
    out.reserve(quoted_size(text));
    append_quoted(out, text);
    return out;
}

std::size_t quoted_size(std::string_view text)
{
    std::size_t n = 2;
    for (char c : text) {
        std::size_t e;
        n += escape_of(c, e) ? e : 1;
    }
    return n;
}

bool append_quoted_path(std::string& out, std::string_view path)
{
    if (path.find('"') != std::string_view::npos)
        return false;
    out += '"';
    out.append(path.data(), path.size());
    out += '"';
    return true;
}

} // namespace proto
