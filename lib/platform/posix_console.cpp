// Without a Windows console the bytes go to standard output as they are (UTF-8).
#include "platform/console.h"

#include <cstdio>

namespace vorn::console {
void write(const char *bytes, std::size_t len)
{
    if (len)
        std::fwrite(bytes, 1, len, stdout);
}
}
