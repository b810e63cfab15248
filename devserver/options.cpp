// Command-line options of the development server.
#include "server.h"

#include "platform.h"
#include "wire.h"

#include <cstdlib>

namespace devserver {

const char* usage_text()
{
    return "usage: vorn_tsdb_devserver [options]\n"
           "  --bind ADDR           IPv4 address to listen on (default 127.0.0.1)\n"
           "  --port N              TCP port (default 55555; 0 picks a free port)\n"
           "  --user U              user name clients log in with (default admin)\n"
           "  --password P          password (default admin)\n"
           "  --password-file FILE  read the password from the first line of FILE, so it does\n"
           "                        not show in the process list\n"
           "  --demo                start with demo tables; live_readings gains a row every second\n"
           "  --data DIR            root folder of every file a command names (default ./devserver-data)\n"
           "  --db FILE             keep the database in FILE (a backup file) and the journal\n"
           "                        FILE.journal: every change is journaled before it is answered\n"
           "  --fsync MODE          when the journal is flushed to disk: always (before every\n"
           "                        answer), second (default: once a second), never\n"
           "  --compact-mib N       journal size in MiB that starts a compaction (default 64)\n"
           "  --max-connections N   connections open at once (default 256); more are closed at once\n"
           "  --max-frame BYTES     largest command after login (default 268435456, 256 MiB)\n"
           "  --login-timeout S     seconds from connecting to logging in (default 10)\n"
           "  --max-buffered BYTES  bytes all connections together may hold in partial frames and\n"
           "                        replies (default 1073741824, 1 GiB); past it the connection\n"
           "                        with the newest partial frame is closed\n"
           "  --recover             start even when the journal is damaged inside: keep a copy of\n"
           "                        it beside it and replay every intact record\n"
           "  --help                show this text\n";
}

namespace {

bool read_count(const std::string& v, std::uint64_t lo, std::uint64_t hi, std::uint64_t& out)
{
    char* end = nullptr;
    if (v.empty() || v[0] == '-')
        return false;
    const unsigned long long n = std::strtoull(v.c_str(), &end, 10);
    if (*end != 0 || n < lo || n > hi)
        return false;
    out = n;
    return true;
}

} // namespace

std::string parse_options(int argc, char** argv, options& out)
{
    static const char* const valued[] = {"--bind", "--port", "--user", "--password", "--password-file", "--data",
                                         "--db", "--fsync", "--compact-mib", "--max-connections", "--max-frame",
                                         "--login-timeout", "--max-buffered"};
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h")
            return "help";
        if (a == "--demo") {
            out.demo = true;
            continue;
        }
        if (a == "--recover") {
            out.recover = true;
            continue;
        }
        bool known = false;
        for (const char* v : valued)
            known = known || a == v;
        if (!known)
            return "unknown option " + a;
        if (i + 1 >= argc)
            return a + " needs a value";
        const std::string v = argv[++i];
        std::uint64_t n = 0;
        if (a == "--bind") {
            out.bind = v;
        } else if (a == "--port") {
            if (!read_count(v, 0, 65535, n))
                return "invalid port " + v;
            out.port = int(n);
        } else if (a == "--user") {
            out.user = v;
        } else if (a == "--password") {
            out.password = v;
        } else if (a == "--password-file") {
            std::string text, err;
            if (!platform::read_file(v, text, err))
                return err;
            const std::size_t end = text.find_first_of("\r\n");
            out.password = text.substr(0, end);
        } else if (a == "--data") {
            out.data_dir = v;
        } else if (a == "--db") {
            out.db_file = v;
        } else if (a == "--fsync") {
            if (!fsync_mode_from_name(v, out.fsync))
                return "--fsync takes always, second or never";
        } else if (a == "--compact-mib") {
            if (!read_count(v, 1, 1u << 20, n))
                return "invalid --compact-mib " + v;
            out.compact_bytes = n << 20;
        } else if (a == "--max-connections") {
            if (!read_count(v, 1, 1000000, n))
                return "invalid --max-connections " + v;
            out.max_connections = std::size_t(n);
        } else if (a == "--login-timeout") {
            if (!read_count(v, 1, 3600, n))
                return "invalid --login-timeout " + v;
            out.login_timeout_ms = int(n) * 1000;
        } else if (a == "--max-buffered") {
            if (!read_count(v, 1u << 20, std::uint64_t(1) << 48, n))
                return "invalid --max-buffered " + v + " (at least 1048576)";
            out.max_buffered = n;
        } else {
            if (!read_count(v, 64, largest_frame, n))
                return "invalid --max-frame " + v + " (64 to " + std::to_string(largest_frame) + ")";
            out.max_frame = std::uint32_t(n);
        }
    }
    return {};
}

} // namespace devserver
