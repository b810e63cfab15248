// Feeds arbitrary bytes to the configuration reader: it must never crash, read out of bounds,
// allocate without bound or leave a text field unterminated.
#include "config/sys_config.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    sys_config_record r;
    r.load_bytes(reinterpret_cast<const char *>(data), size);
    if (std::memchr(r.user, 0, sizeof r.user) == nullptr || std::memchr(r.ip, 0, sizeof r.ip) == nullptr)
        std::abort();
    std::size_t listed = 0;
    for (const std::string &s : r.open_files)
        listed += s.size() + 4;
    for (const std::string &s : r.recent_files)
        listed += s.size() + 4;
    // Everything kept came from the input.
    if (size > sys_config_fixed_size && listed > size - sys_config_fixed_size)
        std::abort();
    // What was read writes back to an image that reads the same again.
    const std::string image = r.to_bytes();
    sys_config_record again;
    again.load_bytes(image.data(), image.size());
    if (again.to_bytes() != image)
        std::abort();
    return 0;
}
