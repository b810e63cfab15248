// The TCP server: accepts connections, logs clients in and runs their commands one at a time.
#pragma once

#include "commands.h"
#include "db_store.h"

#include <string>

namespace devserver {

struct options {
    std::string bind = "127.0.0.1";
    int port = 55555;
    std::string user = "admin";
    std::string password = "admin";
    bool demo = false;
    std::string data_dir = "./devserver-data";
    std::string db_file;   // empty: nothing is persisted
    fsync_mode fsync = fsync_mode::second;
    std::uint64_t compact_bytes = 64u << 20;   // journal size that starts a compaction
    std::size_t max_connections = 256;
    std::uint32_t max_frame = 256u << 20;
    int login_timeout_ms = 10000;   // a peer not logged in this long after it connected is closed
    std::uint64_t max_buffered = std::uint64_t(1) << 30;   // partial frames and replies of all peers
    bool recover = false;   // replay every intact journal record around damage, keeping a copy
};

// Parses the command line. Returns an empty string on success, "help" for --help, else the error.
std::string parse_options(int argc, char** argv, options& out);
const char* usage_text();

// Runs until SIGINT or SIGTERM; returns the process exit code.
int run_server(const options& opt);

} // namespace devserver
