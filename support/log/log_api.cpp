// The exported C functions: printf formatting, one record per line with control characters
// escaped, the calling thread's unfinished line when lines are not ended automatically, and the
// byte blocks of log_bytes.
#define VORN_LOG_BUILD
#include "support/log/vorn_log.h"

#include "support/log/log_core.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

using vorn_log::core::should_log;

const char hex_digits[] = "0123456789abcdef";

void append_escaped(std::string &out, const char *text, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != 0x7f) {
            out += char(c);
            continue;
        }
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\x";
            out += hex_digits[c >> 4];
            out += hex_digits[c & 0x0f];
        }
    }
}

// The calling thread's line that waits for its newline (automatic line ends off). Whatever is
// left when the thread ends is still written.
struct open_line {
    std::string text;
    int level = LOG_LEVEL_INFO;
    bool open = false;
    ~open_line()
    {
        if (open)
            vorn_log::core::write(level, text.data(), text.size());
    }
};
thread_local open_line pending;

void write_record(int level, const char *text, std::size_t size)
{
    if (vorn_log::core::auto_endline()) {
        while (size > 0 && (text[size - 1] == '\n' || text[size - 1] == '\r'))
            --size;
        if (!should_log(level))
            return;
        std::string line;
        line.reserve(size + 16);
        append_escaped(line, text, size);
        vorn_log::core::write(level, line.data(), line.size());
        return;
    }
    open_line &p = pending;
    std::size_t from = 0;
    while (from < size) {
        if (!p.open) {
            p.open = true;
            p.level = level;
            p.text.clear();
        }
        std::size_t end = from;
        while (end < size && text[end] != '\n')
            ++end;
        std::size_t piece = end - from;
        if (end < size && piece > 0 && text[end - 1] == '\r')
            --piece;
        append_escaped(p.text, text + from, piece);
        if (end == size)
            break;
        if (should_log(p.level))
            vorn_log::core::write(p.level, p.text.data(), p.text.size());
        p.open = false;
        from = end + 1;
    }
}

// Formats into `out`; false when the format itself is broken.
bool format_into(std::string &out, const char *format, va_list args)
{
    if (!format)
        return true;
    char small[512];
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    if (n < 0) {
        va_end(again);
        return false;
    }
    if (std::size_t(n) < sizeof small) {
        out.append(small, std::size_t(n));
    } else {
        const std::size_t head = out.size();
        out.resize(head + std::size_t(n) + 1);
        std::vsnprintf(&out[head], std::size_t(n) + 1, format, again);
        out.resize(head + std::size_t(n));
    }
    va_end(again);
    return true;
}

void log_v(int level, const char *format, va_list args)
{
    // With automatic line ends a filtered line costs no formatting; an open line may still
    // need this piece.
    if (vorn_log::core::auto_endline() && !should_log(level))
        return;
    std::string text;
    if (format_into(text, format, args))
        write_record(level, text.data(), text.size());
}

} // namespace

extern "C" {

void log_it(int level, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    log_v(level, format, args);
    va_end(args);
}

#define VORN_LOG_AT(name, level)                                                                  \
    void name(const char *format, ...)                                                            \
    {                                                                                             \
        va_list args;                                                                             \
        va_start(args, format);                                                                   \
        log_v(level, format, args);                                                               \
        va_end(args);                                                                             \
    }
VORN_LOG_AT(log_info, LOG_LEVEL_INFO)
VORN_LOG_AT(log_note, LOG_LEVEL_NOTE)
VORN_LOG_AT(log_warn, LOG_LEVEL_WARN)
VORN_LOG_AT(log_error, LOG_LEVEL_ERROR)
#undef VORN_LOG_AT

void log_fatal(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    log_v(LOG_LEVEL_FATAL, format, args);
    va_end(args);
    vorn_log::core::flush();
}

void log_bytes(int level, const void *data, size_t size, const char *format, ...)
{
    if (!should_log(level))
        return;
    std::string text;
    va_list args;
    va_start(args, format);
    const bool ok = format_into(text, format, args);
    va_end(args);
    if (!ok)
        return;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    const auto *bytes = static_cast<const unsigned char *>(data);
    const std::size_t shown = bytes ? (size < 256 ? size : 256) : 0;
    text += text.empty() ? "" : ": ";
    text += std::to_string(size) + (size == 1 ? " byte" : " bytes");
    if (shown > 0) {
        text += " \"";
        for (std::size_t i = 0; i < shown; ++i) {
            const unsigned char c = bytes[i];
            if (c >= 0x20 && c < 0x7f && c != '\\' && c != '"') {
                text += char(c);
            } else {
                text += "\\x";
                text += hex_digits[c >> 4];
                text += hex_digits[c & 0x0f];
            }
        }
        text += shown < size ? "\"..." : "\"";
        if (vorn_log::core::with_hex()) {
            text += " hex";
            for (std::size_t i = 0; i < shown; ++i) {
                text += ' ';
                text += hex_digits[bytes[i] >> 4];
                text += hex_digits[bytes[i] & 0x0f];
            }
            if (shown < size)
                text += " ...";
        }
    }
    // The block is already one line: no newline inside it can end the record early.
    std::string line;
    append_escaped(line, text.data(), text.size());
    vorn_log::core::write(level, line.data(), line.size());
}

void set_enable(bool on) { vorn_log::core::set_enable(on); }
void set_mini_level(int level) { vorn_log::core::set_mini_level(level); }
bool set_log2file(const char *path) { return vorn_log::core::set_file(path); }
void set_log2cmd(bool on) { vorn_log::core::set_console(on); }
bool set_log2tcp(const char *host, int port) { return vorn_log::core::set_tcp(host, port); }
bool set_log2udp(const char *host, int port) { return vorn_log::core::set_udp(host, port); }
void set_max(size_t bytes) { vorn_log::core::set_max(bytes); }
void set_count(int files) { vorn_log::core::set_count(files); }
void set_time(bool on) { vorn_log::core::set_time(on); }
void set_thread(bool on) { vorn_log::core::set_thread(on); }
void set_cpu(bool on) { vorn_log::core::set_cpu(on); }
void set_with_hex(bool on) { vorn_log::core::set_with_hex(on); }
void set_flush(bool on) { vorn_log::core::set_flush(on); }
void set_auto_endline(bool on) { vorn_log::core::set_auto_endline(on); }

} // extern "C"
