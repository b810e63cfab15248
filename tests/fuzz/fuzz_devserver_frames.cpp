// Feeds arbitrary bytes to the server's frame reader in uneven pieces and parses each frame as a login.
#include "wire.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace devserver;
    frame_reader reader;
    std::string payload, user, password;
    std::size_t pos = 0;
    std::size_t step = size ? data[0] % 7 + 1 : 1;
    while (pos < size) {
        const std::size_t n = size - pos < step ? size - pos : step;
        reader.feed(reinterpret_cast<const char*>(data) + pos, n);
        pos += n;
        step = step * 3 % 11 + 1;
        for (;;) {
            const auto s = reader.next(payload);
            if (s != frame_reader::state::frame) {
                if (s != frame_reader::state::need_more)
                    return 0;   // the connection would be closed here
                break;
            }
            parse_login(payload, user, password);
            char head[5];
            reply_header(true, payload.size(), head);
        }
    }
    return 0;
}
