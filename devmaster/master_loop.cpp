// The master's network loop: one thread polls the listener, the probe workers and every
// client. Sockets are non-blocking: a reply waits in its client's queue (dropped past a cap),
// a query that needs a node probed waits for the worker, and every other client goes on; when
// every place is taken, a client idle long enough makes room for a new one.
#include "master.h"

#include "platform.h"
#include "prober.h"
#include "wire.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/socket.h>

namespace devmaster {

namespace {

namespace pf = devserver::platform;
using clock_type = std::chrono::steady_clock;

// Requests are a few hundred bytes; a client announcing more is not a cluster manager.
constexpr std::uint32_t max_request = 1u << 20;
constexpr std::size_t max_clients = 64;
// Replies a client has not read yet; past this it is dropped (the largest reply, every name
// at its longest, is about a quarter of it).
constexpr std::size_t max_unsent = 4u << 20;

struct client {
    pf::socket_t sock = pf::no_socket;
    std::string peer;
    devserver::frame_reader reader{max_request};
    std::string out;
    std::size_t out_pos = 0;
    std::string waiting;        // a request that waits for a probe of its node
    std::string waiting_for;    // that node's name
    clock_type::time_point active = clock_type::now();
    bool closed = false;
};

class master_loop {
public:
    explicit master_loop(const options& opt) : opt_(opt), table_(opt.nodes, opt.login), probes_(opt.login) {}
    int run(pf::socket_t listener);

private:
    void drop(client& c, const char* why)
    {
        if (why)
            std::fprintf(stderr, "%s closed: %s\n", c.peer.c_str(), why);
        c.closed = true;
    }
    void answer_frames(client& c);
    void read_from(client& c);
    void write_to(client& c);
    void take_probes();
    void accept_from(pf::socket_t listener);
    void flush_before_exit();

    const options& opt_;
    node_table table_;
    prober probes_;
    std::vector<std::unique_ptr<client>> clients_;
    bool stop_ = false;
};

void master_loop::answer_frames(client& c)
{
    std::string payload;
    while (!c.closed && c.waiting_for.empty() && !stop_) {
        const auto st = c.reader.next(payload);
        if (st == devserver::frame_reader::state::need_more) {
            if (c.reader.buffered() > max_request)
                drop(c, nullptr);
            return;
        }
        if (st != devserver::frame_reader::state::frame) {
            drop(c, nullptr);   // the disconnect notice, or a frame no request needs
            return;
        }
        c.active = clock_type::now();
        std::string ip;
        std::uint16_t port = 0;
        const std::string node = node_to_probe(table_, payload, ip, port);
        if (!node.empty()) {
            c.waiting = std::move(payload);
            c.waiting_for = node;
            probes_.request(node, ip, port);
            return;
        }
        c.out += answer(table_, payload, stop_);
        if (c.out.size() - c.out_pos > max_unsent)
            drop(c, "replies not read (more than 4 MiB waiting)");
    }
}

void master_loop::read_from(client& c)
{
    char buf[16384];
    const long n = pf::recv_some(c.sock, buf, sizeof buf);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) {
        drop(c, nullptr);
        return;
    }
    if (n > 0) {
        c.reader.feed(buf, std::size_t(n));
        answer_frames(c);
    }
}

void master_loop::write_to(client& c)
{
    while (c.out_pos < c.out.size()) {
        const ssize_t n = ::send(int(c.sock), c.out.data() + c.out_pos, c.out.size() - c.out_pos, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n <= 0) {
            drop(c, nullptr);
            return;
        }
        c.out_pos += std::size_t(n);
        c.active = clock_type::now();
    }
    if (c.out_pos == c.out.size()) {
        c.out.clear();
        c.out_pos = 0;
    } else if (c.out_pos > (64u << 10)) {
        c.out.erase(0, c.out_pos);
        c.out_pos = 0;
    }
}

void master_loop::take_probes()
{
    for (const prober::result& r : probes_.take()) {
        table_.set_state(r.name, r.running, r.used);
        for (auto& c : clients_) {
            if (c->closed || c->waiting_for != r.name)
                continue;
            c->waiting_for.clear();
            c->out += answer(table_, c->waiting, stop_);
            c->waiting.clear();
            answer_frames(*c);   // requests that came in behind it
        }
    }
}

void master_loop::accept_from(pf::socket_t listener)
{
    auto c = std::make_unique<client>();
    c->sock = pf::accept_one(listener, 0, c->peer);
    if (c->sock == pf::no_socket)
        return;
    if (clients_.size() >= max_clients) {
        // Full: the client idle longest makes room, when it has been idle long enough. Idle
        // clients stay otherwise: the cluster manager keeps its link between refreshes.
        const auto now = clock_type::now();
        client* idlest = nullptr;
        for (auto& o : clients_)
            if (o->waiting_for.empty() && now - o->active >= std::chrono::milliseconds(opt_.idle_timeout_ms) &&
                (!idlest || o->active < idlest->active))
                idlest = o.get();
        if (!idlest) {
            std::fprintf(stderr, "%s refused: %zu clients connected\n", c->peer.c_str(), clients_.size());
            pf::close_socket(c->sock);
            return;
        }
        std::fprintf(stderr, "%s closed to make room for %s: idle (--idle-timeout)\n", idlest->peer.c_str(),
                     c->peer.c_str());
        for (std::size_t i = 0; i < clients_.size(); ++i)
            if (clients_[i].get() == idlest) {
                pf::close_socket(idlest->sock);
                clients_.erase(clients_.begin() + long(i));
                break;
            }
    }
    ::fcntl(int(c->sock), F_SETFL, ::fcntl(int(c->sock), F_GETFL) | O_NONBLOCK);
    clients_.push_back(std::move(c));
}

void master_loop::flush_before_exit()
{
    // The shutdown request is answered before the program ends; a client that does not read
    // gets a moment, not more.
    const auto until = clock_type::now() + std::chrono::seconds(1);
    for (auto& c : clients_) {
        while (!c->closed && !c->out.empty() && clock_type::now() < until) {
            write_to(*c);
            pollfd p{int(c->sock), POLLOUT, 0};
            if (!c->out.empty())
                ::poll(&p, 1, 50);
        }
    }
}

int master_loop::run(pf::socket_t listener)
{
    while (!stop_ && !pf::stop_requested()) {
        std::vector<pollfd> fds;
        fds.push_back(pollfd{int(listener), POLLIN, 0});
        fds.push_back(pollfd{probes_.wake_fd(), POLLIN, 0});
        for (const auto& c : clients_)
            fds.push_back(pollfd{int(c->sock), short(POLLIN | (c->out.empty() ? 0 : POLLOUT)), 0});
        if (::poll(fds.data(), fds.size(), 200) < 0 && errno != EINTR)
            break;
        const std::size_t known = clients_.size();
        if (fds[1].revents)
            take_probes();
        for (std::size_t i = 0; i < known && !stop_; ++i) {
            client& c = *clients_[i];
            const short ev = fds[i + 2].revents;
            if (!c.closed && (ev & POLLOUT))
                write_to(c);
            if (!c.closed && (ev & (POLLIN | POLLHUP | POLLERR)))
                read_from(c);
            if (!c.closed && !c.out.empty())
                write_to(c);
        }
        if (stop_)
            break;
        for (std::size_t i = clients_.size(); i-- > 0;)
            if (clients_[i]->closed) {
                pf::close_socket(clients_[i]->sock);
                clients_.erase(clients_.begin() + long(i));
            }
        if (fds[0].revents)
            accept_from(listener);
    }
    flush_before_exit();
    for (const auto& c : clients_)
        pf::close_socket(c->sock);
    std::fprintf(stderr, stop_ ? "shut down by request\n" : "stopped\n");
    return 0;
}

} // namespace

int run_master(const options& opt)
{
    pf::install_stop_handlers();
    int port = opt.port;
    pf::socket_t listener = pf::no_socket;
    const std::string err = pf::listen_on(opt.bind, port, listener);
    if (!err.empty()) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return 1;
    }
    std::printf("listening on %s:%d\n", opt.bind.c_str(), port);
    std::fflush(stdout);
    const int code = master_loop(opt).run(listener);
    pf::close_socket(listener);
    return code;
}

} // namespace devmaster
