// Background writer of the command log; drops lines rather than block when far behind.
#include "command_log.h"

#include <chrono>
#include <cstdio>

namespace devserver {

namespace {
constexpr std::size_t max_pending = 100000;
}

command_log::command_log() : writer_([this] { run(); }) {}

command_log::~command_log()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    writer_.join();
}

void command_log::add(const std::string& peer, const std::string& verb, const std::string& result, long long micros)
{
    std::string s;
    s.reserve(peer.size() + verb.size() + result.size() + 32);
    s += peer;
    s += ' ';
    s += verb;
    s += ' ';
    // Error texts may quote user input: keep the log one line per command.
    for (char c : result)
        s += (c == '\n' || c == '\r') ? ' ' : c;
    s += ' ';
    s += std::to_string(micros);
    s += "us\n";
    line(std::move(s));
}

void command_log::line(std::string text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (pending_.size() >= max_pending) {
        ++dropped_;
        return;
    }
    pending_.push_back(std::move(text));
    // The writer looks by itself every few milliseconds; waking it per line would cost a
    // thread switch per command.
    if (pending_.size() == 1024)
        wake_.notify_one();
}

void command_log::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait_for(lock, std::chrono::milliseconds(20),
                       [this] { return stopping_ || pending_.size() >= 1024 || dropped_ > 0; });
        std::string batch;
        while (!pending_.empty() && batch.size() < 65536) {
            batch += pending_.front();
            pending_.pop_front();
        }
        if (dropped_ > 0) {
            batch += "log: " + std::to_string(dropped_) + " lines dropped\n";
            dropped_ = 0;
        }
        if (batch.empty() && stopping_)
            return;
        if (batch.empty())
            continue;
        lock.unlock();
        std::fwrite(batch.data(), 1, batch.size(), stderr);
        std::fflush(stderr);
        lock.lock();
    }
}

} // namespace devserver
