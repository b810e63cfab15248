// Feeds arbitrary bytes to the master as a client would send them, in uneven pieces: every whole
// frame is answered by a node table whose nodes are never contacted. The tail of the input is
// also read as a node's reply to the used-space command.
#include "master.h"
#include "wire.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
bool never_reachable(const std::string&, std::uint16_t, int) { return false; }
std::uint64_t no_space(const std::string&, std::uint16_t, const devmaster::probe_login&, int) { return 0; }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace devmaster;
    node_record a;
    a.name = "a";
    a.ip = "127.0.0.1";
    a.port = 1;
    node_table table({a});
    table.reachable = never_reachable;
    table.used_space = no_space;

    devserver::frame_reader reader;
    std::string payload;
    std::size_t pos = 0;
    std::size_t step = size ? data[0] % 9 + 1 : 1;
    bool stop = false;
    while (pos < size && !stop) {
        const std::size_t n = size - pos < step ? size - pos : step;
        reader.feed(reinterpret_cast<const char*>(data) + pos, n);
        pos += n;
        step = step * 5 % 13 + 1;
        for (;;) {
            const auto s = reader.next(payload);
            if (s != devserver::frame_reader::state::frame)
                break;
            const std::string reply = answer(table, payload, stop);
            if (reply.size() < 5 || reply.size() - 4 != std::size_t(std::uint8_t(reply[0])) +
                                                           (std::size_t(std::uint8_t(reply[1])) << 8) +
                                                           (std::size_t(std::uint8_t(reply[2])) << 16) +
                                                           (std::size_t(std::uint8_t(reply[3])) << 24))
                __builtin_trap();   // every answer is one whole frame
            if (stop)
                break;
        }
    }
    std::uint64_t used = 0;
    first_integer_cell(std::string(reinterpret_cast<const char*>(data), size), used);
    return 0;
}
