// The probe workers and the pipe that wakes the master's poll loop.
#include "prober.h"

#include <fcntl.h>
#include <unistd.h>

namespace devmaster {

namespace {
constexpr int probe_timeout_ms = 500;
} // namespace

prober::prober(probe_login login, std::size_t threads) : login_(std::move(login))
{
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        pipe_[0] = pipe_[1] = -1;
    for (std::size_t i = 0; i < threads; ++i)
        threads_.emplace_back([this] { run(); });
}

prober::~prober()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& t : threads_)
        t.join();
    for (int fd : pipe_)
        if (fd >= 0)
            ::close(fd);
}

void prober::request(const std::string& name, const std::string& ip, std::uint16_t port)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!busy_.insert(name).second)
            return;
        jobs_.push_back(job{name, ip, port});
    }
    wake_.notify_one();
}

std::vector<prober::result> prober::take()
{
    char drain[64];
    while (::read(pipe_[0], drain, sizeof drain) > 0) {
    }
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<result> out;
    out.swap(done_);
    return out;
}

void prober::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_)
            return;
        const job j = jobs_.front();
        jobs_.pop_front();
        lock.unlock();
        result r{j.name};
        r.running = node_reachable(j.ip, j.port, probe_timeout_ms);
        r.used = r.running ? node_used_space(j.ip, j.port, login_, probe_timeout_ms * 2) : 0;
        lock.lock();
        busy_.erase(j.name);
        done_.push_back(r);
        const char one = 1;
        if (::write(pipe_[1], &one, 1) < 0) {
            // The pipe is full: the loop has a wake-up waiting already.
        }
    }
}

} // namespace devmaster
