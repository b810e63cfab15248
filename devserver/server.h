// The TCP server: accepts connections, logs clients in and runs their commands one at a time.
#pragma once

#include "commands.h"

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
};

// Parses the command line. Returns an empty string on success, "help" for --help, else the error.
std::string parse_options(int argc, char** argv, options& out);
const char* usage_text();

// Runs until SIGINT or SIGTERM; returns the process exit code.
int run_server(const options& opt);

} // namespace devserver
