// Growing delays of failed logins, forgotten after a quiet quarter of an hour.
#include "login_throttle.h"

namespace devserver {

namespace {
constexpr auto forget_after = std::chrono::minutes(15);
constexpr std::size_t sweep_from = 4096;
} // namespace

std::chrono::milliseconds login_throttle::failed(const std::string& address)
{
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> lock(mutex_);
    if (by_address_.size() >= sweep_from) {
        for (auto it = by_address_.begin(); it != by_address_.end();)
            it = now - it->second.last > forget_after ? by_address_.erase(it) : std::next(it);
    }
    failures& f = by_address_[address];
    if (f.count > 0 && now - f.last > forget_after)
        f.count = 0;
    f.last = now;
    if (f.count < 16)
        ++f.count;
    const long long ms = 100LL << (f.count - 1);
    return std::chrono::milliseconds(ms < 5000 ? ms : 5000);
}

void login_throttle::succeeded(const std::string& address)
{
    std::lock_guard<std::mutex> lock(mutex_);
    by_address_.erase(address);
}

} // namespace devserver
