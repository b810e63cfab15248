// Accounting of buffered bytes across connections, and the choice of whom to close past the cap.
#include "buffer_budget.h"

namespace devserver {

buffer_budget::slot* buffer_budget::enter(const std::string& peer, platform::socket_t sock)
{
    std::lock_guard<std::mutex> lock(mutex_);
    slots_.push_back(slot{peer, sock});
    return &slots_.back();
}

void buffer_budget::leave(slot* s)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!s->closed)
        total_ -= s->bytes;
    for (auto it = slots_.begin(); it != slots_.end(); ++it)
        if (&*it == s) {
            slots_.erase(it);
            break;
        }
}

std::vector<std::string> buffer_budget::charge(slot* s, std::uint64_t bytes, bool pending)
{
    std::vector<std::string> closed;
    std::lock_guard<std::mutex> lock(mutex_);
    if (s->closed)
        return closed;
    total_ = total_ - s->bytes + bytes;
    s->bytes = bytes;
    if (!pending)
        s->since = 0;
    else if (s->since == 0)
        s->since = ++clock_;
    while (total_ > cap_) {
        // The newest partial frame goes first: the older ones are nearer their end.
        slot* newest = nullptr;
        for (auto& o : slots_)
            if (!o.closed && o.since != 0 && o.bytes > 0 && (!newest || o.since > newest->since))
                newest = &o;
        if (!newest)
            break;
        newest->closed = true;
        total_ -= newest->bytes;
        // Wakes its thread out of recv or send; the socket is closed by that thread, after leave().
        platform::shutdown_socket(newest->sock);
        closed.push_back(newest->peer);
    }
    return closed;
}

std::uint64_t buffer_budget::total() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return total_;
}

} // namespace devserver
