// Command-line options of the development master.
#include "master.h"

#include <cerrno>
#include <cstdlib>

namespace devmaster {

namespace {
bool parse_number(const std::string& v, unsigned long long max, unsigned long long& out)
{
    if (v.empty() || v.find_first_not_of("0123456789") != std::string::npos || v.size() > 20)
        return false;
    errno = 0;
    out = std::strtoull(v.c_str(), nullptr, 10);
    return errno == 0 && out <= max;
}
} // namespace

const char* usage_text()
{
    return "usage: vorn_tsdb_devmaster [options]\n"
           "  --bind ADDR                     IPv4 address to listen on (default 127.0.0.1)\n"
           "  --port N                        TCP port (default 55556; 0 picks a free port)\n"
           "  --node NAME=IP:PORT:MAX_SPACE   a cluster node (repeatable); MAX_SPACE in bytes\n"
           "  --user U, --password P          login for nodes that are development servers\n"
           "                                  (default admin, admin)\n"
           "  --idle-timeout S                when all 64 places are taken, a client idle this many\n"
           "                                  seconds makes room for a new one (default 60)\n"
           "  --help                          show this text\n"
           "A node is running when it accepts TCP connections; a development server among them\n"
           "also reports the bytes its tables hold as its used space.\n";
}

bool parse_node(const std::string& text, node_record& out)
{
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0)
        return false;
    const std::string rest = text.substr(eq + 1);
    const auto c1 = rest.find(':');
    const auto c2 = c1 == std::string::npos ? c1 : rest.find(':', c1 + 1);
    if (c1 == std::string::npos || c2 == std::string::npos || c1 == 0)
        return false;
    unsigned long long port = 0, space = 0;
    if (!parse_number(rest.substr(c1 + 1, c2 - c1 - 1), 65535, port) || port == 0 ||
        !parse_number(rest.substr(c2 + 1), ~0ull, space))
        return false;
    out = node_record{};
    out.name = text.substr(0, eq);
    out.ip = rest.substr(0, c1);
    out.port = std::uint16_t(port);
    out.max_space = space;
    return true;
}

std::string parse_options(int argc, char** argv, options& out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h")
            return "help";
        if (a != "--bind" && a != "--port" && a != "--node" && a != "--user" && a != "--password" &&
            a != "--idle-timeout")
            return "unknown option " + a;
        if (i + 1 >= argc)
            return a + " needs a value";
        const std::string v = argv[++i];
        unsigned long long port = 0;
        node_record n;
        if (a == "--bind") {
            out.bind = v;
        } else if (a == "--port") {
            if (!parse_number(v, 65535, port))
                return "invalid port " + v;
            out.port = int(port);
        } else if (a == "--node") {
            if (!parse_node(v, n))
                return "invalid node " + v + " (expected NAME=IP:PORT:MAX_SPACE)";
            if (n.name.size() > max_name_bytes || n.ip.size() > max_ip_bytes || out.nodes.size() >= max_nodes)
                return "node " + v.substr(0, 64) + ": name, address or count past the bounds";
            for (const auto& known : out.nodes)
                if (known.name == n.name)
                    return "node " + n.name + " named twice";
            out.nodes.push_back(n);
        } else if (a == "--idle-timeout") {
            unsigned long long seconds = 0;
            if (!parse_number(v, 86400, seconds) || seconds == 0)
                return "invalid --idle-timeout " + v;
            out.idle_timeout_ms = int(seconds) * 1000;
        } else if (a == "--user") {
            out.login.user = v;
        } else {
            out.login.password = v;
        }
    }
    return {};
}

} // namespace devmaster
