// Command-line options of the development server.
#include "server.h"

#include <cstdlib>

namespace devserver {

const char* usage_text()
{
    return "usage: vorn_tsdb_devserver [options]\n"
           "  --bind ADDR        IPv4 address to listen on (default 127.0.0.1)\n"
           "  --port N           TCP port (default 55555; 0 picks a free port)\n"
           "  --user U           user name clients log in with (default admin)\n"
           "  --password P       password (default admin)\n"
           "  --demo             start with demo tables\n"
           "  --data DIR         root folder of every file a command names (default ./devserver-data)\n"
           "  --db FILE          keep the database in FILE: loaded at start, written every 5 s\n"
           "                     while changed and on shutdown\n"
           "  --help             show this text\n";
}

std::string parse_options(int argc, char** argv, options& out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h")
            return "help";
        if (a == "--demo") {
            out.demo = true;
            continue;
        }
        if (a != "--bind" && a != "--port" && a != "--user" && a != "--password" && a != "--data" && a != "--db")
            return "unknown option " + a;
        if (i + 1 >= argc)
            return a + " needs a value";
        const std::string v = argv[++i];
        if (a == "--bind") {
            out.bind = v;
        } else if (a == "--port") {
            char* end = nullptr;
            const long p = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end != 0 || p < 0 || p > 65535)
                return "invalid port " + v;
            out.port = int(p);
        } else if (a == "--user") {
            out.user = v;
        } else if (a == "--password") {
            out.password = v;
        } else if (a == "--data") {
            out.data_dir = v;
        } else {
            out.db_file = v;
        }
    }
    return {};
}

} // namespace devserver
