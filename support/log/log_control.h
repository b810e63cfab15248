// What the program (not its plug-ins) asks of the log beyond the exported functions: where the
// file is, how the network sinks fare, the level names, and a way back to the defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorn_log {

// The absolute path of the file being written, empty when no file is set.
std::string file_path();
bool enabled();
int mini_level();
// A line of this level would be written: callers check it before building a costly text.
bool would_log(int level);

// "debug", "info", "note", "warn", "error", "fatal"; the level of such a name, -1 for others.
const char *level_name(int level);
int level_of(const std::string &name);

// How a network sink has fared since it was set.
struct sink_counts {
    bool present = false;
    uint64_t sent = 0;      // whole lines handed to the system
    uint64_t dropped = 0;   // lines given up: queue full, peer gone, or the sink stopped
    std::size_t queued = 0; // lines waiting
};
sink_counts tcp_counts();
sink_counts udp_counts();

// Lines the network sinks keep waiting at most (oldest dropped first), and their bytes.
constexpr std::size_t net_queue_lines = 1024;
constexpr std::size_t net_queue_bytes = std::size_t(4) << 20;

// Back to the component's state at start: on, level info, no file, no console, no network
// sinks, 10 MiB per file, 5 files, time and thread on, processor and hex off, flush and
// automatic line ends on.
void restore_defaults();

// Writes out what is buffered and ends the network sinks (waiting a moment for a send under
// way); lines after it still reach the file and the console. Runs by itself when the program
// exits.
void shutdown();

} // namespace vorn_log
