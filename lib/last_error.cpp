// Thread-local record of the last failure, read through last_error().
#include "last_error.h"

#include "platform/net.h"
#include "vorn_tsdb.h"

namespace vorn::error_state {
namespace {

struct record {
    int code = none;
    std::string text;
};

record &mine()
{
    static thread_local record r;
    return r;
}

// A failure body counts as text when it is valid UTF-8 without control bytes other than
// tab and line breaks; anything else is summarised instead of shown as garbage.
bool is_text(const unsigned char *p, std::size_t n)
{
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
                return false;
            ++i;
            continue;
        }
        std::size_t more;
        if (c >= 0xC2 && c <= 0xDF)
            more = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            more = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            more = 3;
        else
            return false;
        if (more >= n - i)
            return false;
        for (std::size_t k = 1; k <= more; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        i += more + 1;
    }
    return true;
}

} // namespace

void succeeded()
{
    record &r = mine();
    r.code = none;
    r.text.clear();
}

void server_refused(const char *body, std::size_t len)
{
    record &r = mine();
    r.code = server_failed;
    const auto *p = reinterpret_cast<const unsigned char *>(body);
    // Trailing line breaks and NULs some servers add are not part of the message.
    while (len && (p[len - 1] == '\n' || p[len - 1] == '\r' || p[len - 1] == '\0'))
        --len;
    if (len && is_text(p, len))
        r.text.assign(body, len);
    else
        r.text = "the server answered with the failure status";
}

void connection_lost(const char *what, bool with_system_text)
{
    record &r = mine();
    r.code = connection_failed;
    r.text = what;
    if (with_system_text) {
        r.text += ": ";
        r.text += net::error_text();
    }
}

int code_of(const char **text)
{
    const record &r = mine();
    if (text)
        *text = r.text.c_str();
    return r.code;
}

} // namespace vorn::error_state

extern "C" int last_error(const char **text)
{
    return vorn::error_state::code_of(text);
}
