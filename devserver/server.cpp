// Connection handling, login, the serialised command loop, the journal's upkeep and the
// live demo readings.
#include "server.h"

#include "binfile.h"
#include "buffer_budget.h"
#include "command_log.h"
#include "demo.h"
#include "login_throttle.h"
#include "platform.h"
#include "temp_files.h"
#include "wire.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace devserver {

namespace {

using clock_type = std::chrono::steady_clock;

// Before login a peer may send this much.
constexpr std::size_t login_bytes = 64 * 1024;
// Peers of one address that may be connected without having logged in.
constexpr int pre_login_per_address = 8;

struct connection {
    platform::socket_t sock = platform::no_socket;
    std::string peer;
    std::thread worker;
    std::atomic<bool> finished{false};
    clock_type::time_point accepted;
    bool pre_login = true;   // counted among the peers not logged in yet
    bool evicted = false;    // shut down to make room; its thread is ending (accept thread only)
    buffer_budget::slot* slot = nullptr;
};

std::string address_of(const std::string& peer) { return peer.substr(0, peer.rfind(':')); }

time_point now_point()
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::system_clock::now().time_since_epoch()).count();
    return time_point{ns / 1000000000 + days_from_civil(1970, 1, 1) * 86400, std::uint32_t(ns % 1000000000)};
}

class server {
public:
    explicit server(const options& opt) : opt_(opt), budget_(opt.max_buffered) {}
    int run();

private:
    // A peer leaves the count of those not logged in (logged in or gone); once only.
    void leave_pre_login(connection& c);
    void leave_pre_login_locked(connection& c);
    void charge(connection& c, std::uint64_t bytes, bool pending);
    void add_demo_tables_once();
    void serve(connection& c);
    void serve_frames(connection& c);
    bool log_in(connection& c, std::string_view payload);
    outcome run_command(std::string_view payload);
    bool send_reply(platform::socket_t s, const outcome& r);
    void accept_one(platform::socket_t listener);
    void reap(bool all);
    std::string start_store();

    const options& opt_;
    server_state st_;
    std::mutex db_mutex_;
    command_log log_;
    login_throttle throttle_;
    std::unique_ptr<db_store> store_;
    std::list<std::unique_ptr<connection>> conns_;
    buffer_budget budget_;
    std::mutex pre_login_mutex_;
    std::map<std::string, int> pre_login_by_address_;
    std::size_t pre_login_total_ = 0;
};

void server::leave_pre_login(connection& c)
{
    std::lock_guard<std::mutex> lock(pre_login_mutex_);
    leave_pre_login_locked(c);
}

void server::leave_pre_login_locked(connection& c)
{
    if (!c.pre_login)
        return;
    c.pre_login = false;
    --pre_login_total_;
    const auto it = pre_login_by_address_.find(address_of(c.peer));
    if (it != pre_login_by_address_.end() && --it->second == 0)
        pre_login_by_address_.erase(it);
}

void server::charge(connection& c, std::uint64_t bytes, bool pending)
{
    for (const std::string& peer : budget_.charge(c.slot, bytes, pending))
        log_.line(peer + " closed: the connections hold more than --max-buffered (" + std::to_string(opt_.max_buffered) +
                  ") bytes; this one's partial frame or reply is the newest\n");
}

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
    leave_pre_login(c);
    budget_.leave(c.slot);
    platform::close_socket(c.sock);
    c.sock = platform::no_socket;
    c.finished = true;
}

bool server::log_in(connection& c, std::string_view payload)
{
    std::string user, password;
    const bool ok = parse_login(payload, user, password) && user == opt_.user && password == opt_.password;
    const std::string address = address_of(c.peer);
    if (ok) {
        throttle_.succeeded(address);
    } else {
        // The answer waits, longer with every failure from the same address.
        const auto until = clock_type::now() + throttle_.failed(address);
        while (clock_type::now() < until && !platform::stop_requested())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    log_.add(c.peer, "login", ok ? "ok" : "refused", 0);
    if (ok)
        leave_pre_login(c);   // before the answer: the peer may connect again at once
    send_reply(c.sock, outcome{ok, {}});
    return ok;
}

outcome server::run_command(std::string_view payload)
{
    if (is_remark(payload))
        return done();
    // Splitting a large command is the slow part: it happens before the lock is taken.
    std::vector<token> t;
    const std::string err = tokenize(payload, t);
    if (!err.empty())
        return fail(quote_start(err));
    return execute_locked(st_, db_mutex_, payload, t);
}

void server::serve_frames(connection& c)
{
    frame_reader reader(std::uint32_t(login_bytes - 4));
    char buf[64 * 1024];
    std::string_view payload;
    bool logged_in = false;
    std::size_t received = 0;
    // One deadline from accepting to login: bytes that trickle in do not extend it.
    const auto login_deadline = c.accepted + std::chrono::milliseconds(opt_.login_timeout_ms);
    for (;;) {
        frame_reader::state s;
        while ((s = reader.next(payload)) == frame_reader::state::frame) {
            if (!logged_in) {
                if (!log_in(c, payload))
                    return;
                logged_in = true;
                reader.set_limit(opt_.max_frame);
                continue;
            }
            charge(c, reader.held(), false);
            const auto start = clock_type::now();
            outcome r;
            try {
                r = run_command(payload);
            } catch (const std::exception& e) {
                // Out of memory on a huge request or reply fails the command, not the server.
                r = fail(std::string("command failed: ") + e.what());
            }
            if (!r.ok && r.body.size() > 200)
                r.body = quote_start(r.body);
            // The time of the command itself; the transfer depends on the client.
            const auto us = std::chrono::duration_cast<std::chrono::microseconds>(clock_type::now() - start).count();
            // A reply the peer does not read stays here: it counts until it is sent.
            charge(c, reader.held() + r.body.size(), true);
            const bool sent = send_reply(c.sock, r);
            log_.add(c.peer, verb_of(payload), r.ok ? std::string("ok") : r.body, us);
            if (!sent)
                return;
        }
        charge(c, reader.held(), reader.buffered() > 0);
        if (s == frame_reader::state::disconnect)
            return;
        if (s == frame_reader::state::too_large) {
            log_.add(c.peer, "frame", logged_in ? "too large, connection closed" : "login too large, connection closed", 0);
            return;
        }
        if (!logged_in) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(login_deadline - clock_type::now()).count();
            if (left <= 0 || !platform::wait_readable(c.sock, int(left))) {
                log_.add(c.peer, "login", "not done within --login-timeout (silent too long), connection closed", 0);
                return;
            }
        }
        if (logged_in) {
            // A large buffer is kept while commands follow each other (a client's import sends
            // many in a row); a connection idle for a second gives it back.
            if (reader.held() > (1u << 20) && reader.buffered() == 0 && !platform::wait_readable(c.sock, 1000)) {
                reader.release_if_idle();
                charge(c, reader.held(), false);
            }
            std::size_t room = 0;
            char* into = reader.receive_room(sizeof buf, room);
            const long n = platform::recv_some(c.sock, into, room);
            if (n <= 0)
                return;
            reader.received(std::size_t(n));
            continue;
        }
        const long n = platform::recv_some(c.sock, buf, std::min(sizeof buf, login_bytes - received));
        if (n <= 0)
            return;
        received += std::size_t(n);
        if (received >= login_bytes) {
            log_.add(c.peer, "login", "more than 64 KiB before login, connection closed", 0);
            return;
        }
        reader.feed(buf, std::size_t(n));
    }
}

void server::accept_one(platform::socket_t listener)
{
    std::string peer;
    const platform::socket_t s = platform::accept_one(listener, 200, peer);
    if (s == platform::no_socket)
        return;
    // Peers shut down to make room are leaving: their places are free already.
    const std::size_t open = std::size_t(
        std::count_if(conns_.begin(), conns_.end(), [](const std::unique_ptr<connection>& o) { return !o->evicted; }));
    if (open >= opt_.max_connections) {
        log_.line(peer + " refused: " + std::to_string(open) + " connections open (--max-connections)\n");
        platform::close_socket(s);
        return;
    }
    // Peers that have not logged in get a share of the places, and one address a few of
    // them. Past either, the oldest such peer makes room: a slow peer has been there long,
    // a real login is done in moments, so trickling peers never keep it out.
    const std::string address = address_of(peer);
    {
        std::lock_guard<std::mutex> lock(pre_login_mutex_);
        const std::size_t most = std::max<std::size_t>(1, (opt_.max_connections + 1) / 2);
        const auto it = pre_login_by_address_.find(address);
        const bool address_full = it != pre_login_by_address_.end() && it->second >= pre_login_per_address;
        if (address_full || pre_login_total_ >= most) {
            connection* oldest = nullptr;
            for (const auto& other : conns_)
                if (other->pre_login && (!address_full || address_of(other->peer) == address) &&
                    (!oldest || other->accepted < oldest->accepted))
                    oldest = other.get();
            const std::string why = address_full ? std::to_string(pre_login_per_address) + " connections of " + address +
                                                       " not logged in yet"
                                                 : std::to_string(most) +
                                                       " connections not logged in yet (half of --max-connections)";
            if (!oldest) {
                log_.line(peer + " refused: " + why + "\n");
                platform::close_socket(s);
                return;
            }
            // Its thread still owns the socket (it has not left the count): shut down, not closed.
            log_.line(oldest->peer + " closed to make room for " + peer + ": " + why + "\n");
            leave_pre_login_locked(*oldest);
            oldest->evicted = true;
            platform::shutdown_socket(oldest->sock);
        }
        ++pre_login_by_address_[address];
        ++pre_login_total_;
    }
    auto c = std::make_unique<connection>();
    c->sock = s;
    c->peer = peer;
    c->accepted = clock_type::now();
    c->slot = budget_.enter(peer, s);
    connection* raw = c.get();
    try {
        raw->worker = std::thread([this, raw] { serve(*raw); });
    } catch (const std::system_error& e) {
        // No thread for it (address space or thread limits): refuse this peer, serve the rest.
        log_.line(peer + " refused: cannot start a thread: " + e.what() + "\n");
        leave_pre_login(*raw);
        budget_.leave(raw->slot);
        platform::close_socket(s);
        return;
    }
    conns_.push_back(std::move(c));
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

std::string server::start_store()
{
    store_ = std::make_unique<db_store>(opt_.db_file, opt_.fsync);
    store_->set_compaction_threshold(opt_.compact_bytes);
    store_->set_recover(opt_.recover);
    std::string notes;
    const std::string err = store_->open(st_.db, notes);
    std::fputs(notes.c_str(), stderr);
    if (err.empty())
        st_.sink = store_.get();
    return err;
}

void server::add_demo_tables_once()
{
    database demo;
    add_demo_tables(demo, now_point());
    // A kept database had them once: what is saved there (pushed rows, a dropped table) is
    // the user's, never replaced by fresh copies.
    for (const auto& entry : demo)
        if (st_.db.count(entry.first)) {
            std::fputs("demo tables not added: the database has its own\n", stderr);
            return;
        }
    if (st_.sink) {
        const std::string err = record_change(st_, change::add_tables, encode_backup_file(demo));
        if (!err.empty())
            throw std::runtime_error(err);
    }
    for (auto& entry : demo)
        st_.db[entry.first] = std::move(entry.second);
}

int server::run()
{
    platform::install_stop_handlers();
    // Before anything is read or written: a second server on the same files would write a
    // snapshot and a journal under the running one.
    if (!opt_.db_file.empty()) {
        const std::string err = platform::lock_file(opt_.db_file + ".lock");
        if (!err.empty()) {
            std::fprintf(stderr, "%s; not started, no file was touched\n", err.c_str());
            return 1;
        }
    }
    // The port too: a start that cannot listen must not have written anything.
    int port = opt_.port;
    platform::socket_t listener;
    const std::string listen_err = platform::listen_on(opt_.bind, port, listener);
    if (!listen_err.empty()) {
        std::fprintf(stderr, "%s\n", listen_err.c_str());
        return 1;
    }
    if (!platform::make_dirs(opt_.data_dir)) {
        std::fprintf(stderr, "cannot create the data folder %s\n", opt_.data_dir.c_str());
        return 1;
    }
    st_.data_dir = platform::canonical_dir(opt_.data_dir);
    std::string notes;
    remove_stale_temp_files(st_.data_dir, "", 16, notes);
    std::fputs(notes.c_str(), stderr);
    if (!opt_.db_file.empty()) {
        const std::string err = start_store();
        if (!err.empty()) {
            std::fprintf(stderr, "%s\n", err.c_str());
            return 1;
        }
    }
    if (opt_.demo) {
        try {
            add_demo_tables_once();
        } catch (const std::runtime_error& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }
    std::printf("listening on %s:%d\n", opt_.bind.c_str(), port);
    std::fflush(stdout);

    auto last_reading = clock_type::now();
    while (!platform::stop_requested()) {
        accept_one(listener);
        reap(false);
        if (store_) {
            std::string notes;
            store_->tick(notes);
            if (!notes.empty())
                log_.line(notes);
        }
        if (opt_.demo && clock_type::now() - last_reading >= std::chrono::seconds(1)) {
            last_reading = clock_type::now();
            std::lock_guard<std::mutex> lock(db_mutex_);
            // Dropped or changed by a client: the demo stops feeding it.
            const auto it = st_.db.find(live_table);
            if (it != st_.db.end() && it->second->field_index("power_w") == 2) {
                const std::string cmd = live_reading_command(now_point());
                execute(st_, cmd);
            }
        }
    }
    platform::close_socket(listener);
    reap(true);
    int code = 0;
    if (store_) {
        const std::string save_err = store_->close(st_.db);
        if (!save_err.empty()) {
            log_.line("save: " + save_err + " (the journal keeps every change)\n");
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
