// The master's node list and the replies built from it.
#include "master.h"

namespace devmaster {

namespace {
constexpr int probe_timeout_ms = 500;
constexpr auto state_max_age = std::chrono::seconds(1);
} // namespace

node_table::node_table(std::vector<node_record> nodes, probe_login login) : login_(std::move(login))
{
    for (auto& n : nodes)
        nodes_.push_back(entry{std::move(n)});
}

std::vector<std::string> node_table::names() const
{
    std::vector<std::string> out;
    for (const auto& e : nodes_)
        out.push_back(e.node.name);
    return out;
}

node_table::entry* node_table::find(const std::string& name)
{
    for (auto& e : nodes_)
        if (e.node.name == name)
            return &e;
    return nullptr;
}

void node_table::refresh(entry& e)
{
    const auto now = std::chrono::steady_clock::now();
    if (e.ever_checked && now - e.checked < state_max_age)
        return;
    e.node.running = reachable(e.node.ip, e.node.port, probe_timeout_ms) ? 1 : 0;
    e.node.use_space = e.node.running ? used_space(e.node.ip, e.node.port, login_, probe_timeout_ms * 2) : 0;
    e.checked = std::chrono::steady_clock::now();
    e.ever_checked = true;
}

bool node_table::lookup(const std::string& name, node_record& out)
{
    entry* e = find(name);
    if (!e)
        return false;
    refresh(*e);
    out = e->node;
    return true;
}

bool node_table::join(const node_record& n)
{
    entry* e = find(n.name);
    if (!e) {
        if (nodes_.size() >= max_nodes || n.name.size() > max_name_bytes || n.ip.size() > max_ip_bytes)
            return false;
        nodes_.push_back(entry{n});
        e = &nodes_.back();
        e->node.running = 0;
        e->node.use_space = 0;
        e->node.group = 0;
    }
    if (e->node.group == 0)
        e->node.group = 1;
    return true;
}

bool node_table::detach(const std::string& name)
{
    entry* e = find(name);
    if (!e)
        return false;
    e->node.group = 0;
    return true;
}

bool node_table::stale(const std::string& name, std::string& ip, std::uint16_t& port)
{
    entry* e = find(name);
    if (!e || (e->ever_checked && std::chrono::steady_clock::now() - e->checked < state_max_age))
        return false;
    ip = e->node.ip;
    port = e->node.port;
    return true;
}

void node_table::set_state(const std::string& name, bool running, std::uint64_t used)
{
    entry* e = find(name);
    if (!e)
        return;
    e->node.running = running ? 1 : 0;
    e->node.use_space = running ? used : 0;
    e->checked = std::chrono::steady_clock::now();
    e->ever_checked = true;
}

std::string node_to_probe(node_table& table, const std::string& payload, std::string& ip, std::uint16_t& port)
{
    request r;
    std::string why;
    if (!parse_request(payload, r, why) || r.what != op::query || r.all || !table.stale(r.name, ip, port))
        return {};
    return r.name;
}

std::string answer(node_table& table, const std::string& payload, bool& stop)
{
    request r;
    std::string why;
    if (!parse_request(payload, r, why))
        return reply_frame(false);
    switch (r.what) {
    case op::shutdown:
        stop = true;
        return reply_frame(true);
    case op::query:
        if (r.all)
            return reply_frame(true, names_body(table.names()));
        {
            node_record n;
            if (!table.lookup(r.name, n))
                return reply_frame(false);
            std::string body;
            put_node(body, n);
            return reply_frame(true, body);
        }
    case op::membership:
        return reply_frame(r.detach ? table.detach(r.node.name) : table.join(r.node));
    }
    return reply_frame(false);
}

} // namespace devmaster
