// print's output on Windows: WriteConsoleA in UTF-8 on a console. Standard output that is a file
// or a pipe gets the same bytes through WriteFile (WriteConsoleA writes nothing there), with
// line ends as the C runtime writes the diagnostics beside them.
#include "platform/console.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

namespace vorn::console {
namespace {
bool write_all(HANDLE h, const char *p, std::size_t n)
{
    while (n) {
        const DWORD chunk = n > (1u << 20) ? (1u << 20) : static_cast<DWORD>(n);
        DWORD done = 0;
        if (!WriteFile(h, p, chunk, &done, nullptr) || done == 0)
            return false;
        p += done;
        n -= done;
    }
    return true;
}

// Text mode (the default) turns a line feed into CR LF when the C runtime writes standard output.
bool runtime_writes_text()
{
    const int fd = _fileno(stdout);
    if (fd < 0)
        return false;
    const int was = _setmode(fd, _O_BINARY);
    if (was == -1)
        return false;
    _setmode(fd, was);
    return (was & _O_BINARY) == 0;
}
} // namespace

void write(const char *bytes, std::size_t len)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!len || out == nullptr || out == INVALID_HANDLE_VALUE)
        return;
    DWORD mode;
    if (GetConsoleMode(out, &mode)) {
        SetConsoleOutputCP(65001);
        while (len) {
            const DWORD chunk = len > 8192 ? 8192 : static_cast<DWORD>(len);
            DWORD done = 0;
            if (!WriteConsoleA(out, bytes, chunk, &done, nullptr) || done == 0)
                return;
            bytes += done;
            len -= done;
        }
        return;
    }
    if (!runtime_writes_text()) {
        write_all(out, bytes, len);
        return;
    }
    std::string text;
    text.reserve(len + len / 16);
    for (std::size_t i = 0; i < len; ++i) {
        if (bytes[i] == '\n')
            text += '\r';
        text += bytes[i];
    }
    write_all(out, text.data(), text.size());
}
} // namespace vorn::console
