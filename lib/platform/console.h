// Console output of print: UTF-8 bytes to the process's console (standard output off Windows).
#pragma once

#include <cstddef>

namespace vorn::console {
void write(const char *bytes, std::size_t len);
}
