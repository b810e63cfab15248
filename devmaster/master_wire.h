// The cluster master's messages: the node record's wire form, request parsing and reply bodies.
// Everything here works on bytes only, so the frame parser can be fed anything.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace devmaster {

struct node_record {
    std::string name;
    std::string ip;
    std::int32_t group = 0;
    std::uint16_t port = 0;
    std::uint8_t running = 0;
    std::uint64_t max_space = 0;
    std::uint64_t use_space = 0;
};

enum class op : std::uint8_t { shutdown = 4, query = 5, membership = 255 };

struct request {
    op what = op::query;
    bool all = false;       // query: every name rather than one node
    bool detach = false;    // membership: 1 detaches, 0 joins
    std::string name;       // query of one node
    node_record node;       // membership
};

// Appends the record's wire form to out.
void put_node(std::string& out, const node_record& n);
// Reads a record at pos and advances pos; false when the bytes do not hold a whole record.
bool get_node(std::string_view in, std::size_t& pos, node_record& n);

// Parses one request payload; false (with a reason) when it is malformed or unknown.
bool parse_request(std::string_view payload, request& out, std::string& why);

// Whole reply frames: the length, the status byte, then the body.
std::string reply_frame(bool ok, const std::string& body = {});
std::string names_body(const std::vector<std::string>& names);

} // namespace devmaster
