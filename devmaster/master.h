// The development cluster master: keeps a node list and answers the cluster manager's requests.
#pragma once

#include "master_wire.h"
#include "node_probe.h"

#include <chrono>
#include <string>
#include <vector>

namespace devmaster {

struct options {
    std::string bind = "127.0.0.1";
    int port = 55556;
    std::vector<node_record> nodes;
    probe_login login;
};

// Parses the command line. Empty on success, "help" for --help, else the error.
std::string parse_options(int argc, char** argv, options& out);
const char* usage_text();
// NAME=IP:PORT:MAX_SPACE; false when the text does not have that form.
bool parse_node(const std::string& text, node_record& out);

// The node list with its membership; states are refreshed from the nodes themselves.
class node_table {
public:
    explicit node_table(std::vector<node_record> nodes, probe_login login = {});

    std::vector<std::string> names() const;
    // The node with its state at most a second old; false when there is no such node.
    bool lookup(const std::string& name, node_record& out);
    // Join gives a node without a group group 1 (and adds a node the master did not know);
    // detach sets group 0. False when detaching an unknown node.
    bool join(const node_record& n);
    bool detach(const std::string& name);

    // Replaced in tests so the table can be checked without real nodes.
    bool (*reachable)(const std::string&, std::uint16_t, int) = node_reachable;
    std::uint64_t (*used_space)(const std::string&, std::uint16_t, const probe_login&, int) = node_used_space;

private:
    struct entry {
        node_record node;
        std::chrono::steady_clock::time_point checked{};
        bool ever_checked = false;
    };
    entry* find(const std::string& name);
    void refresh(entry& e);

    std::vector<entry> nodes_;
    probe_login login_;
};

// Answers one request payload; sets stop when the master was asked to shut down.
std::string answer(node_table& table, const std::string& payload, bool& stop);

// Runs until shutdown, SIGINT or SIGTERM; returns the exit code.
int run_master(const options& opt);

} // namespace devmaster
