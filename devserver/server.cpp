// Connection handling, login, the serialised command loop and the periodic database save.
#include "server.h"

#include "binfile.h"
#include "command_log.h"
#include "demo.h"
#include "platform.h"
#include "wire.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace devserver {

namespace {

using clock_type = std::chrono::steady_clock;

struct connection {
    platform::socket_t sock = platform::no_socket;
    std::string peer;
    std::thread worker;
    std::atomic<bool> finished{false};
};

class server {
public:
    explicit server(const options& opt) : opt_(opt) {}
    int run();

private:
    void serve(connection& c);
    void serve_frames(connection& c);
    bool send_reply(platform::socket_t s, const outcome& r);
    bool save_db(std::string& err);
    void reap(bool all);

    const options& opt_;
    server_state st_;
    std::mutex db_mutex_;
    command_log log_;
    std::list<std::unique_ptr<connection>> conns_;
};

bool server::send_reply(platform::socket_t s, const outcome& r)
{
    char head[5];
    if (!reply_header(r.ok, r.body.size(), head)) {
        static const std::string too_big = "reply too large; ask for fewer rows";
        reply_header(false, too_big.size(), head);
        return platform::send_all(s, head, 5) && platform::send_all(s, too_big.data(), too_big.size());
    }
    if (r.body.size() < 4096) {
        std::string msg(head, 5);
        msg += r.body;
        return platform::send_all(s, msg.data(), msg.size());
    }
    return platform::send_all(s, head, 5) && platform::send_all(s, r.body.data(), r.body.size());
}

void server::serve(connection& c)
{
    try {
        serve_frames(c);
    } catch (const std::exception& e) {
        log_.line(c.peer + " closed: " + e.what() + "\n");
    }
    log_.line(c.peer + " disconnected\n");
    platform::close_socket(c.sock);
    c.sock = platform::no_socket;
    c.finished = true;
}

void server::serve_frames(connection& c)
{
    frame_reader reader;
    std::string buf(256 * 1024, '\0');
    std::string payload;
    bool logged_in = false;
    for (;;) {
        frame_reader::state s;
        while ((s = reader.next(payload)) == frame_reader::state::frame) {
            if (!logged_in) {
                std::string user, password;
                const bool ok = parse_login(payload, user, password) && user == opt_.user && password == opt_.password;
                log_.add(c.peer, "login", ok ? "ok" : "refused", 0);
                send_reply(c.sock, outcome{ok, {}});
                if (!ok)
                    goto closed;
                logged_in = true;
                continue;
            }
            const auto start = clock_type::now();
            outcome r;
            {
                std::lock_guard<std::mutex> lock(db_mutex_);
                try {
                    r = execute(st_, payload);
                } catch (const std::exception& e) {
                    // Out of memory on a huge request or reply fails the command, not the server.
                    r = fail(std::string("command failed: ") + e.what());
                }
            }
            // The time of the command itself; the transfer depends on the client.
            const auto us = std::chrono::duration_cast<std::chrono::microseconds>(clock_type::now() - start).count();
            const bool sent = send_reply(c.sock, r);
            log_.add(c.peer, verb_of(payload), r.ok ? std::string("ok") : r.body, us);
            if (!sent)
                goto closed;
        }
        if (s == frame_reader::state::disconnect)
            break;
        if (s == frame_reader::state::too_large) {
            log_.add(c.peer, "frame", "too large, connection closed", 0);
            break;
        }
        const long n = platform::recv_some(c.sock, &buf[0], buf.size());
        if (n <= 0)
            break;
        reader.feed(buf.data(), std::size_t(n));
    }
closed:
    return;
}

bool server::save_db(std::string& err)
{
    std::string data;
    {
        std::lock_guard<std::mutex> lock(db_mutex_);
        if (!st_.changed)
            return true;
        data = encode_backup_file(st_.db);
        st_.changed = false;
    }
    if (platform::write_file_atomic(opt_.db_file, data, err))
        return true;
    std::lock_guard<std::mutex> lock(db_mutex_);
    st_.changed = true;   // try again at the next round
    return false;
}

void server::reap(bool all)
{
    for (auto it = conns_.begin(); it != conns_.end();) {
        connection& c = **it;
        if (all && !c.finished)
            platform::shutdown_socket(c.sock);
        if (all || c.finished) {
            c.worker.join();
            it = conns_.erase(it);
        } else {
            ++it;
        }
    }
}

int server::run()
{
    platform::install_stop_handlers();
    if (!platform::make_dirs(opt_.data_dir)) {
        std::fprintf(stderr, "cannot create the data folder %s\n", opt_.data_dir.c_str());
        return 1;
    }
    st_.data_dir = platform::canonical_dir(opt_.data_dir);
    if (!opt_.db_file.empty() && platform::file_exists(opt_.db_file)) {
        std::string data, err;
        if (!platform::read_file(opt_.db_file, data, err) || !(err = decode_backup_file(data, st_.db)).empty()) {
            // Starting empty would overwrite the file at the first save.
            std::fprintf(stderr, "cannot load %s: %s\n", opt_.db_file.c_str(), err.c_str());
            return 1;
        }
    }
    if (opt_.demo) {
        add_demo_tables(st_.db, time_point{std::int64_t(std::time(nullptr)) + days_from_civil(1970, 1, 1) * 86400, 0});
        st_.changed = true;
    }
    int port = opt_.port;
    platform::socket_t listener;
    const std::string err = platform::listen_on(opt_.bind, port, listener);
    if (!err.empty()) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return 1;
    }
    std::printf("listening on %s:%d\n", opt_.bind.c_str(), port);
    std::fflush(stdout);

    auto last_save = clock_type::now();
    while (!platform::stop_requested()) {
        std::string peer;
        const platform::socket_t s = platform::accept_one(listener, 200, peer);
        if (s != platform::no_socket) {
            auto c = std::make_unique<connection>();
            c->sock = s;
            c->peer = peer;
            connection* raw = c.get();
            conns_.push_back(std::move(c));
            raw->worker = std::thread([this, raw] { serve(*raw); });
        }
        reap(false);
        if (!opt_.db_file.empty() && clock_type::now() - last_save >= std::chrono::seconds(5)) {
            std::string save_err;
            if (!save_db(save_err))
                log_.line("save: " + save_err + "\n");
            last_save = clock_type::now();
        }
    }
    platform::close_socket(listener);
    reap(true);
    int code = 0;
    if (!opt_.db_file.empty()) {
        std::string save_err;
        if (!save_db(save_err)) {
            log_.line("save: " + save_err + "\n");
            code = 1;
        }
    }
    log_.line("stopped\n");
    return code;
}

} // namespace

int run_server(const options& opt)
{
    server s(opt);
    return s.run();
}

} // namespace devserver
