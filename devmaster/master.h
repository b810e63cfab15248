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
    int idle_timeout_ms = 60000;   // idle this long, a client makes room for a new one when all places are taken
};

// Bounds on what joins may add: the list and every reply built from it stay small.
constexpr std::size_t max_nodes = 1024;
constexpr std::size_t max_name_bytes = 255;
constexpr std::size_t max_ip_bytes = 64;

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
    // detach sets group 0. False when detaching an unknown node, and when a join would add a
    // node past max_nodes or with a name or address longer than the bounds.
    bool join(const node_record& n);
    bool detach(const std::string& name);

    // For a loop that must not wait on nodes: true when the node's state is older than a
    // second (lookup would probe it), with its address; set_state stores a probe's result.
    bool stale(const std::string& name, std::string& ip, std::uint16_t& port);
    void set_state(const std::string& name, bool running, std::uint64_t used);

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
// The node a request asks for when answering it would have to probe that node first (a
// query of one node whose state is stale); empty otherwise.
std::string node_to_probe(node_table& table, const std::string& payload, std::string& ip, std::uint16_t& port);

// Runs until shutdown, SIGINT or SIGTERM; returns the exit code.
int run_master(const options& opt);

} // namespace devmaster
