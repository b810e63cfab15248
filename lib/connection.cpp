// Thread-local connections and the registry that lets another thread end a connection's wait.
//
// cancel_exec never closes another thread's socket: a closed handle number may already belong
// to a new socket of that thread. It sets the connection's flag and shuts the socket down under
// the registry's lock; the owner changes its socket only under the same lock, so the handle
// is still its socket then. The owner's waits wake at once on the shutdown where the system
// does that (Linux) and otherwise at their next slice (at most net::wait_slice_ms), see the
// flag and close the socket themselves.
#include "connection.h"

#include "platform/thread_id.h"
#include "vorn_tsdb.h"

#include <cstdlib>
#include <mutex>
#include <unordered_map>

namespace vorn {

namespace {
struct registry_state {
    std::mutex lock;
    std::unordered_map<std::uint64_t, connection *> by_thread;
};

// Never destroyed: threads may end (and unlist themselves) while the process exits.
registry_state &state()
{
    static registry_state *s = new registry_state;
    return *s;
}

void unlist(registry_state &r, connection &c)
{
    if (!c.listed)
        return;
    const auto it = r.by_thread.find(thread_id::current());
    if (it != r.by_thread.end() && it->second == &c)
        r.by_thread.erase(it);
    c.listed = false;
}
} // namespace

connection &this_thread_connection()
{
    static thread_local connection conn;
    return conn;
}

connection::~connection()
{
    registry::release(*this);
}

namespace registry {

void begin_login(connection &c)
{
    registry_state &r = state();
    std::lock_guard<std::mutex> hold(r.lock);
    r.by_thread[thread_id::current()] = &c;
    c.listed = true;
    c.cancelled.store(false, std::memory_order_release);
}

void attach(connection &c, net::socket_t s)
{
    registry_state &r = state();
    std::lock_guard<std::mutex> hold(r.lock);
    c.socket = s;
}

void release(connection &c)
{
    net::socket_t s;
    {
        registry_state &r = state();
        std::lock_guard<std::mutex> hold(r.lock);
        unlist(r, c);
        c.cancelled.store(false, std::memory_order_release);
        s = c.socket;
        c.socket = net::invalid_socket;
    }
    // Unlisted first: no cancelling thread can reach the handle once it is closed.
    if (s != net::invalid_socket)
        net::close(s);
    std::free(c.recv_buf);
    c.recv_buf = nullptr;
}

} // namespace registry
} // namespace vorn

extern "C" bool cancel_exec(uint64_t thread)
{
    using namespace vorn;
    registry_state &r = state();
    std::lock_guard<std::mutex> hold(r.lock);
    const auto it = r.by_thread.find(thread);
    if (it == r.by_thread.end())
        return false;
    connection &c = *it->second;
    c.cancelled.store(true, std::memory_order_release);
    if (c.socket != net::invalid_socket)
        net::shutdown(c.socket);
    return true;
}
