// Tokenizer of the command language; quoted tokens keep unknown backslashes as they are.
#include "tokens.h"

#include "support/hex_digit.h"
#include "support/proto/commands.h"
#include "support/proto/quoting.h"
#include "support/proto/value_syntax.h"

#include <cstdint>
#include <cstring>

namespace devserver {

namespace {

bool hex_value(std::string_view s, std::size_t pos, std::size_t n, unsigned& v)
{
    return proto::read_fixed_digits(s, pos, n, 16, v);
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

// The first n tokens of out are the command's so far.
bool is_file_command(const std::vector<token>& out, std::size_t n)
{
    if (n == 0 || out[0].quoted)
        return false;
    return proto::names_a_file(out[0].text);
}

// The quoted token about to be read is the path of a file command.
bool path_follows(const std::vector<token>& out, std::size_t n, bool file_command)
{
    if (n < 2 || out[n - 1].quoted || !file_command)
        return false;
    return proto::is_path_word(out[n - 1].text);
}

// Values of hexadecimal digits, -1 for every other byte.
struct hex_table {
    signed char v[256];
    constexpr hex_table() : v()
    {
        for (int i = 0; i < 256; ++i)
            v[i] = char(ox::hex_value(char(i)));
    }
};
constexpr hex_table hex_values;
constexpr const signed char* hex_of = hex_values.v;

// Decodes a quoted text from s[i] (just after its opening quote) up to its closing quote, which
// `i` is left after. Counting first sizes the text exactly: a payload of megabytes is neither
// grown a byte at a time nor left with room it does not use. False when no quote closes it.
template <bool write>
bool unescape(std::string_view s, std::size_t& i, char* out, std::size_t& count)
{
    const char* p = s.data() + i;
    const char* const end = s.data() + s.size();
    std::size_t n = 0;
    while (p < end) {
        // Raw payloads are nearly all \xHH: two of them are taken at a time while they last.
        while (end - p >= 8) {
            std::uint64_t w;
            std::memcpy(&w, p, 8);
            if ((w & 0x0000ffff0000ffffull) != 0x0000785c0000785cull)
                break;
            const int h0 = hex_of[static_cast<unsigned char>(p[2])], l0 = hex_of[static_cast<unsigned char>(p[3])];
            const int h1 = hex_of[static_cast<unsigned char>(p[6])], l1 = hex_of[static_cast<unsigned char>(p[7])];
            if ((h0 | l0 | h1 | l1) < 0)
                break;
            if (write) {
                out[n] = char(h0 << 4 | l0);
                out[n + 1] = char(h1 << 4 | l1);
            }
            n += 2;
            p += 8;
        }
        if (p >= end)
            break;
        const char c = *p;
        if (c == '\\' && end - p >= 4 && p[1] == 'x') {
            const int hi = hex_of[static_cast<unsigned char>(p[2])], lo = hex_of[static_cast<unsigned char>(p[3])];
            if ((hi | lo) >= 0) {
                if (write)
                    out[n] = char(hi << 4 | lo);
                ++n;
                p += 4;
                continue;
            }
        }
        if (c == '"') {
            i = std::size_t(p + 1 - s.data());
            count = n;
            return true;
        }
        if (c != '\\' || p + 1 >= end) {
            if (write)
                out[n] = c;
            ++n;
            ++p;
            continue;
        }
        char v = c;
        std::size_t used = 1;
        unsigned code;
        switch (p[1]) {
        case '"': v = '"'; used = 2; break;
        case '\\': v = '\\'; used = 2; break;
        case 'n': v = '\n'; used = 2; break;
        case 'r': v = '\r'; used = 2; break;
        case 't': v = '\t'; used = 2; break;
        case 'u':
            if (hex_value(s, std::size_t(p - s.data()) + 2, 4, code)) {
                const std::size_t k = code < 0x80 ? 1 : code < 0x800 ? 2 : 3;
                if (write) {
                    std::string bytes;
                    put_utf8(bytes, code);
                    std::memcpy(out + n, bytes.data(), k);
                }
                n += k;
                p += 6;
                continue;
            }
            break;
        default:
            // Keeps Windows paths such as "d:\data\t.csv" intact.
            break;
        }
        if (write)
            out[n] = v;
        ++n;
        p += used;
    }
    return false;
}

} // namespace

std::string tokenize(std::string_view s, std::vector<token>& out)
{
    // The tokens of the last call are written over: a caller splitting line after line reuses
    // their room instead of allocating every word anew.
    std::size_t n = 0;
    const auto finish = [&](std::string why) {
        out.resize(n);
        return why;
    };
    while (!s.empty() && is_space(s.back()))
        s.remove_suffix(1);
    if (!s.empty() && s.back() == ';')
        s.remove_suffix(1);
    while (!s.empty() && is_space(s.front()))
        s.remove_prefix(1);
    std::size_t i = 0;
    bool file_command = false, first_read = false;   // known once the first word is read
    while (i < s.size()) {
        if (n == 1 && !first_read) {
            file_command = is_file_command(out, 1);
            first_read = true;
        }
        if (s[i] == ' ' || (i == 0 && is_space(s[i]))) {
            ++i;
            continue;
        }
        if (n == max_tokens)
            return finish("too many words in one command (at most " + std::to_string(max_tokens) + ")");
        if (n == out.size())
            out.emplace_back();
        token& t = out[n];
        if (s[i] != '"') {
            const std::size_t end = s.find(' ', i);
            const std::size_t stop = end == std::string_view::npos ? s.size() : end;
            t.text.assign(s.data() + i, stop - i);
            t.quoted = false;
            i = stop;
            ++n;
            continue;
        }
        t.quoted = true;
        ++i;
        bool closed = false;
        if (path_follows(out, n, file_command)) {
            const std::size_t end = s.find('"', i);
            if (end != std::string_view::npos) {
                t.text.assign(s.data() + i, end - i);
                i = end + 1;
                closed = true;
            }
        }
        if (!closed && s.size() - i <= 1024) {
            // A short rest (a value of a push line) is decoded at once, without counting first.
            char room[1024];
            std::size_t count = 0;
            if (unescape<true>(s, i, room, count)) {
                t.text.assign(room, count);
                closed = true;
            }
        } else if (!closed) {
            std::size_t from = i, count = 0;
            if (unescape<false>(s, from, nullptr, count)) {
                if (count > (1u << 20))
                    std::string().swap(t.text);   // sized exactly: no copy of the old text
                t.text.resize(count);
                unescape<true>(s, i, &t.text[0], count);
                closed = true;
            }
        }
        if (!closed)
            return finish("unterminated quoted text");
        if (i < s.size() && s[i] != ' ')
            return finish("blank expected after a closing quote");
        ++n;
    }
    return finish({});
}

std::string quote(std::string_view text) { return proto::quoted(text); }

} // namespace devserver
