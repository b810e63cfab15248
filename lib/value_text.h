// Text forms of cell values and their display width, as print aligns them.
#pragma once

#include <cstddef>
#include <string>

struct cell;

namespace vorn {
// Appends the cell's text form; a kind outside the fourteen gives an empty text.
void append_text(std::string &out, const cell *c);
// Terminal columns of UTF-8 text: printable ASCII 1, other single bytes 0, multi-byte 2;
// counting stops at the first malformed sequence.
std::size_t display_width(const char *s, std::size_t n);
}
