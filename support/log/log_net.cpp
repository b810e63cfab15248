// The forwarders' queue and thread, and the connection rules around spdlog's sockets: a send
// that stalls gives up after a second (spdlog's own socket would wait for ever), and a peer that
// failed is tried again only after a pause.
#include "support/log/log_net.h"

#include "support/log/vorn_log.h"

// udp_sink.h of this spdlog uses these without including them.
#include <spdlog/details/synchronous_factory.h>
#include <spdlog/logger.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/tcp_sink.h>
#include <spdlog/sinks/udp_sink.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>

#ifndef _WIN32
#include <netdb.h>
#include <pthread.h>
#include <sys/socket.h>
#include <sys/time.h>
#endif

namespace vorn_log {

using clock_type = std::chrono::steady_clock;

struct net_forwarder::shared {
    kind what = kind::tcp;
    std::string host;
    int port = 0;
    std::string target;
    notice_fn notice = nullptr;

    mutable std::mutex mu;
    std::condition_variable wake;
    std::condition_variable ended;
    std::deque<std::string> queue;
    std::size_t queued_bytes = 0;
    bool stopping = false;
    bool finished = false;
    std::atomic<uint64_t> sent{0};
    std::atomic<uint64_t> dropped{0};
};

namespace {

// spdlog's TCP sink with a bounded send: after connecting, a stalled send fails after
// send_timeout_ms, and the kernel keeps a modest buffer for a log stream.
class tcp_out final : public spdlog::sinks::tcp_sink<spdlog::details::null_mutex> {
public:
    explicit tcp_out(const spdlog::sinks::tcp_sink_config &c) : tcp_sink(c) {}

protected:
    void sink_it_(const spdlog::details::log_msg &msg) override
    {
        if (!client_.is_connected()) {
            client_.connect(config_.server_host, config_.server_port);
#ifndef _WIN32
            timeval tv{};
            tv.tv_sec = net_forwarder::send_timeout_ms / 1000;
            tv.tv_usec = (net_forwarder::send_timeout_ms % 1000) * 1000;
            ::setsockopt(client_.fd(), SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
            const int buffer = 64 * 1024;
            ::setsockopt(client_.fd(), SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
#else
            const DWORD ms = net_forwarder::send_timeout_ms;
            ::setsockopt(client_.fd(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char *>(&ms), sizeof ms);
#endif
        }
        tcp_sink::sink_it_(msg);
    }
};

// spdlog's UDP sink takes a dotted address only; names are resolved here, on the sink's thread.
std::string numeric_ipv4(const std::string &host)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    const int rc = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (rc != 0 || !found)
        throw spdlog::spdlog_ex(std::string("cannot resolve ") + host + ": " + gai_strerror(rc));
    char text[64] = {};
    ::getnameinfo(found->ai_addr, found->ai_addrlen, text, sizeof text, nullptr, 0, NI_NUMERICHOST);
    ::freeaddrinfo(found);
    return text;
}

std::unique_ptr<spdlog::sinks::sink> make_sink(net_forwarder::kind k, const std::string &host, int port)
{
    std::unique_ptr<spdlog::sinks::sink> s;
    if (k == net_forwarder::kind::tcp) {
        spdlog::sinks::tcp_sink_config c(host, port);
        c.lazy_connect = true;   // connecting is the first send's business, on this thread
        s = std::make_unique<tcp_out>(c);
    } else {
        s = std::make_unique<spdlog::sinks::udp_sink<spdlog::details::null_mutex>>(
            spdlog::sinks::udp_sink_config(numeric_ipv4(host), uint16_t(port)));
    }
    // The line arrives formatted and ended.
    s->set_formatter(std::make_unique<spdlog::pattern_formatter>("%v", spdlog::pattern_time_type::local, ""));
    return s;
}

} // namespace

net_forwarder::net_forwarder(kind k, std::string host, int port, notice_fn notice) : s_(std::make_shared<shared>())
{
    s_->what = k;
    s_->host = std::move(host);
    s_->port = port;
    s_->target = std::string(k == kind::tcp ? "tcp " : "udp ") + s_->host + ":" + std::to_string(port);
    s_->notice = notice;
    target_ = s_->target;
    worker_ = std::thread(run, s_);
}

net_forwarder::~net_forwarder() { stop(1500); }

void net_forwarder::push(const char *data, std::size_t size)
{
    std::size_t over = 0;
    {
        std::lock_guard<std::mutex> hold(s_->mu);
        if (s_->stopping) {
            over = 1;
        } else {
            s_->queue.emplace_back(data, size);
            s_->queued_bytes += size;
            while (s_->queue.size() > net_queue_lines || s_->queued_bytes > net_queue_bytes) {
                s_->queued_bytes -= s_->queue.front().size();
                s_->queue.pop_front();
                ++over;
            }
        }
    }
    if (over)
        s_->dropped += over;
    s_->wake.notify_one();
}

sink_counts net_forwarder::counts() const
{
    sink_counts c;
    c.present = true;
    std::lock_guard<std::mutex> hold(s_->mu);
    c.sent = s_->sent.load();
    c.dropped = s_->dropped.load();
    c.queued = s_->queue.size();
    return c;
}

void net_forwarder::stop(int wait_ms)
{
    if (!worker_.joinable())
        return;
    std::unique_lock<std::mutex> hold(s_->mu);
    s_->stopping = true;
    s_->dropped += s_->queue.size();
    s_->queue.clear();
    s_->queued_bytes = 0;
    s_->wake.notify_all();
    const bool done = s_->ended.wait_for(hold, std::chrono::milliseconds(wait_ms), [this] { return s_->finished; });
    hold.unlock();
    if (done)
        worker_.join();
    else
        worker_.detach();   // a connect that waits for the network's time-out; run() owns s_
}

void net_forwarder::run(std::shared_ptr<shared> s)
{
#if !defined(_WIN32)
    pthread_setname_np(pthread_self(), s->what == kind::tcp ? "vorn log tcp" : "vorn log udp");
#endif
    std::unique_ptr<spdlog::sinks::sink> sink;
    bool failing = false;
    uint64_t dropped_before = 0;
    clock_type::time_point retry_at{};
    std::string line;
    for (;;) {
        {
            std::unique_lock<std::mutex> hold(s->mu);
            s->wake.wait(hold, [&] { return s->stopping || !s->queue.empty(); });
            if (s->stopping)
                break;
            line.swap(s->queue.front());
            s->queued_bytes -= line.size();
            s->queue.pop_front();
        }
        if (failing && clock_type::now() < retry_at) {
            ++s->dropped;
            continue;
        }
        if (s->what == kind::udp && line.size() > datagram_limit) {
            line.resize(datagram_limit - 1);
            line += '\n';
        }
        try {
            if (!sink)
                sink = make_sink(s->what, s->host, s->port);
            const spdlog::details::log_msg msg(spdlog::string_view_t(), spdlog::level::info,
                                               spdlog::string_view_t(line.data(), line.size()));
            sink->log(msg);
            ++s->sent;
            if (failing) {
                failing = false;
                if (s->notice)
                    s->notice(LOG_LEVEL_NOTE, "log sink " + s->target + " takes lines again; " +
                                                  std::to_string(s->dropped.load() - dropped_before) +
                                                  " lines were dropped meanwhile");
            }
        } catch (const std::exception &e) {
            ++s->dropped;
            retry_at = clock_type::now() + std::chrono::milliseconds(retry_after_ms);
            if (!failing) {
                failing = true;
                dropped_before = s->dropped.load() - 1;
                if (s->notice)
                    s->notice(LOG_LEVEL_WARN, "log sink " + s->target + ": " + e.what() +
                                                  "; lines are dropped until it takes them again");
            }
        }
    }
    sink.reset();
    std::lock_guard<std::mutex> hold(s->mu);
    s->finished = true;
    s->ended.notify_all();
}

void forward_sink::sink_it_(const spdlog::details::log_msg &msg)
{
    spdlog::memory_buf_t text;
    formatter_->format(msg, text);
    to_->push(text.data(), text.size());
}

} // namespace vorn_log
