// The master's network loop: one thread polls the listener and every client; each complete
// frame is answered before the next one is read.
#include "master.h"

#include "platform.h"
#include "wire.h"

#include <cstdio>
#include <memory>
#include <poll.h>

namespace devmaster {

namespace {

namespace pf = devserver::platform;

// Requests are a few hundred bytes; a client announcing more is not a cluster manager.
constexpr std::size_t max_buffered = 1u << 20;
constexpr std::size_t max_clients = 64;

struct client {
    pf::socket_t sock = pf::no_socket;
    std::string peer;
    devserver::frame_reader reader;
};

// Reads what arrived and answers every whole frame; false when the client is to be closed.
bool serve(client& c, node_table& table, bool& stop)
{
    char buf[4096];
    const long n = pf::recv_some(c.sock, buf, sizeof buf);
    if (n <= 0)
        return false;
    c.reader.feed(buf, std::size_t(n));
    std::string payload;
    for (;;) {
        const auto st = c.reader.next(payload);
        if (st == devserver::frame_reader::state::need_more)
            return c.reader.buffered() <= max_buffered;
        if (st != devserver::frame_reader::state::frame)
            return false;
        const std::string reply = answer(table, payload, stop);
        if (!pf::send_all(c.sock, reply.data(), reply.size()) || stop)
            return false;
    }
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

    node_table table(opt.nodes, opt.login);
    std::vector<std::unique_ptr<client>> clients;
    bool stop = false;
    while (!stop && !pf::stop_requested()) {
        std::vector<pollfd> fds;
        fds.push_back(pollfd{int(listener), POLLIN, 0});
        for (const auto& c : clients)
            fds.push_back(pollfd{int(c->sock), POLLIN, 0});
        if (::poll(fds.data(), fds.size(), 200) <= 0)
            continue;
        for (std::size_t i = clients.size(); i-- > 0;) {
            if (!fds[i + 1].revents)
                continue;
            if (!serve(*clients[i], table, stop)) {
                pf::close_socket(clients[i]->sock);
                clients.erase(clients.begin() + long(i));
            }
            if (stop)
                break;
        }
        if (!stop && fds[0].revents) {
            auto c = std::make_unique<client>();
            c->sock = pf::accept_one(listener, 0, c->peer);
            if (c->sock != pf::no_socket && clients.size() >= max_clients)
                pf::close_socket(c->sock);
            else if (c->sock != pf::no_socket)
                clients.push_back(std::move(c));
        }
    }
    for (const auto& c : clients)
        pf::close_socket(c->sock);
    pf::close_socket(listener);
    std::fprintf(stderr, stop ? "shut down by request\n" : "stopped\n");
    return 0;
}

} // namespace devmaster
