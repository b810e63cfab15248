// print: a result set as an aligned text table on the console.
#include "platform/console.h"
#include "result_set.h"
#include "value_text.h"
#include "vorn_tsdb.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace vorn;

namespace {
constexpr std::size_t chunk = 4096;

void flush_text(std::string &out)
{
    console::write(out.data(), out.size());
    out.clear();
}
} // namespace

extern "C" void print(const result_set *rs)
{
    if (!rs || rs->ncol == 0)
        return;
    std::fflush(stdout);
    char *buffer = static_cast<char *>(std::calloc(chunk, 1));
    if (buffer)
        std::setvbuf(stdout, buffer, _IOFBF, chunk);

    const std::size_t ncol = static_cast<std::size_t>(rs->ncol);
    std::vector<std::size_t> width(ncol), name_width(ncol);
    std::string text;
    for (std::size_t c = 0; c < ncol; ++c) {
        name_width[c] = display_width(rs->cols[c].bytes, static_cast<std::size_t>(rs->cols[c].len));
        width[c] = name_width[c];
    }
    for (std::uint64_t r = 0; r < rs->nrow; ++r)
        for (std::size_t c = 0; c < ncol; ++c) {
            text.clear();
            append_text(text, rs->cells + r * ncol + c);
            const std::size_t w = display_width(text.data(), text.size());
            if (w > width[c])
                width[c] = w;
        }

    std::string out = "\n|-";
    for (std::size_t c = 0; c < ncol; ++c) {
        const std::size_t pad = width[c] - name_width[c];
        out.append(pad / 2, '-');
        out.append(rs->cols[c].bytes, static_cast<std::size_t>(rs->cols[c].len));
        out.append(pad - pad / 2, '-');
        out += c + 1 < ncol ? "-|-" : "-| ";
    }
    out += '\n';
    for (std::uint64_t r = 0; r < rs->nrow; ++r) {
        if (out.size() > chunk)
            flush_text(out);
        out += "| ";
        for (std::size_t c = 0; c < ncol; ++c) {
            text.clear();
            append_text(text, rs->cells + r * ncol + c);
            out += text;
            out.append(width[c] - display_width(text.data(), text.size()), ' ');
            out += c + 1 < ncol ? " | " : " |";
        }
        out += '\n';
    }
    flush_text(out);

    std::fflush(stdout);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::free(buffer);
}
