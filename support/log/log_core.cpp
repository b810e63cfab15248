// Settings, sinks and the published logger. The file, the console and the network forwarders
// are spdlog sinks under one synchronous logger; the line's start (time, level, thread,
// processor) is one pattern shared by all of them.
#include "support/log/log_core.h"

#include "support/log/log_control.h"
#include "support/log/log_net.h"
#include "support/log/vorn_log.h"

#include <spdlog/logger.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/rotating_file_sink.h>
#include <spdlog/sinks/stdout_color_sinks.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <mutex>
#include <vector>

#ifndef _WIN32
#include <sched.h>
#include <sys/prctl.h>
#endif

namespace vorn_log {
namespace {

const char *const level_names[] = {"debug", "info", "note", "warn", "error", "fatal"};

int clamp_level(int level) { return level < LOG_LEVEL_DEBUG ? LOG_LEVEL_DEBUG : level > LOG_LEVEL_FATAL ? LOG_LEVEL_FATAL : level; }

// Our six levels sit on spdlog's six from trace to critical, one to one; the names are ours.
spdlog::level::level_enum spd(int level) { return static_cast<spdlog::level::level_enum>(clamp_level(level)); }

void append(spdlog::memory_buf_t &dest, const char *text) { dest.append(text, text + std::strlen(text)); }

class level_flag final : public spdlog::custom_flag_formatter {
public:
    void format(const spdlog::details::log_msg &msg, const std::tm &, spdlog::memory_buf_t &dest) override
    {
        const char *name = level_names[clamp_level(int(msg.level))];
        append(dest, name);
        for (std::size_t n = std::strlen(name); n < 5; ++n)
            dest.push_back(' ');
    }
    std::unique_ptr<custom_flag_formatter> clone() const override { return std::make_unique<level_flag>(); }
};

// The writer's id and name: sinks format on the writing thread, so its name is at hand.
class thread_flag final : public spdlog::custom_flag_formatter {
public:
    void format(const spdlog::details::log_msg &msg, const std::tm &, spdlog::memory_buf_t &dest) override
    {
        append(dest, std::to_string(msg.thread_id).c_str());
#ifndef _WIN32
        char name[17] = {};
        if (::prctl(PR_GET_NAME, name, 0, 0, 0) == 0 && name[0]) {
            dest.push_back(' ');
            append(dest, name);
        }
#endif
    }
    std::unique_ptr<custom_flag_formatter> clone() const override { return std::make_unique<thread_flag>(); }
};

class cpu_flag final : public spdlog::custom_flag_formatter {
public:
    void format(const spdlog::details::log_msg &, const std::tm &, spdlog::memory_buf_t &dest) override
    {
#ifndef _WIN32
        append(dest, ("cpu" + std::to_string(::sched_getcpu())).c_str());
#else
        append(dest, "cpu?");
#endif
    }
    std::unique_ptr<custom_flag_formatter> clone() const override { return std::make_unique<cpu_flag>(); }
};

struct settings {
    std::string file;   // absolute
    std::size_t max_bytes = std::size_t(10) << 20;
    int count = 5;
    bool time = true;
    bool thread = true;
    bool cpu = false;
    bool flush = true;
};

struct published {
    std::shared_ptr<spdlog::logger> all;
    std::shared_ptr<spdlog::logger> local;
};

void on_sink_error(const std::string &what);
void notice_from_net(int level, const std::string &text) { core::write_local(level, text); }

struct state {
    std::mutex mu;   // settings and sinks
    settings set;
    std::shared_ptr<spdlog::sinks::sink> file;
    std::shared_ptr<spdlog::sinks::sink> console;
    std::shared_ptr<forward_sink> tcp;
    std::shared_ptr<forward_sink> udp;
    std::shared_ptr<const published> pub;   // read and replaced with the atomic functions

    std::atomic<bool> enabled{true};
    std::atomic<int> level{LOG_LEVEL_INFO};
    std::atomic<bool> hex{false};
    std::atomic<bool> endline{true};
    std::atomic<uint64_t> sink_errors{0};

    std::string pattern() const
    {
        std::string p;
        if (set.time)
            p += "%Y-%m-%d %H:%M:%S.%f ";
        p += "%^%*%$ ";
        if (set.thread || set.cpu) {
            p += '[';
            if (set.thread)
                p += "%&";
            if (set.thread && set.cpu)
                p += ' ';
            if (set.cpu)
                p += "%#";
            p += "] ";
        }
        return p + "%v";
    }

    std::unique_ptr<spdlog::formatter> formatter() const
    {
        auto f = std::make_unique<spdlog::pattern_formatter>();
        f->add_flag<level_flag>('*');
        f->add_flag<thread_flag>('&');
        f->add_flag<cpu_flag>('#');
        f->set_pattern(pattern());
        return f;
    }

    std::shared_ptr<spdlog::logger> logger_of(const std::vector<spdlog::sink_ptr> &sinks) const
    {
        auto lg = std::make_shared<spdlog::logger>("vorn", sinks.begin(), sinks.end());
        lg->set_level(spdlog::level::trace);
        lg->flush_on(set.flush ? spdlog::level::trace : spdlog::level::err);
        lg->set_error_handler(on_sink_error);
        return lg;
    }

    // Under mu: a logger over the sinks as they are now, published for the writers.
    void rebuild()
    {
        std::vector<spdlog::sink_ptr> local;
        if (file)
            local.push_back(file);
        if (console)
            local.push_back(console);
        std::vector<spdlog::sink_ptr> all = local;
        if (tcp)
            all.push_back(tcp);
        if (udp)
            all.push_back(udp);
        auto p = std::make_shared<published>();
        p->all = logger_of(all);
        p->local = logger_of(local);
        if (!all.empty())
            p->all->set_formatter(formatter());
        std::atomic_store(&pub, std::shared_ptr<const published>(std::move(p)));
    }

    std::shared_ptr<spdlog::sinks::sink> file_sink(const std::string &path) const
    {
        // spdlog counts the files beside the current one; an unlimited size never rotates.
        const std::size_t max = set.max_bytes ? set.max_bytes : std::numeric_limits<std::size_t>::max();
        const std::size_t older = std::size_t(set.count > 200001 ? 200000 : set.count - 1);
        return std::make_shared<spdlog::sinks::rotating_file_sink_mt>(path, max, older);
    }

    // Under mu: takes both network sinks out; the caller stops their forwarders.
    std::vector<std::shared_ptr<net_forwarder>> take_net()
    {
        std::vector<std::shared_ptr<net_forwarder>> out;
        for (auto *s : {&tcp, &udp}) {
            if (*s)
                out.push_back((*s)->forwarder());
            s->reset();
        }
        return out;
    }
};

state &the_state()
{
    // Never destroyed: threads still running at exit (a connection thread, a plug-in's) may
    // still write; the exit handler flushes and ends the network sinks instead.
    static state *s = [] {
        auto *p = new state;
        p->rebuild();
        std::atexit(shutdown);
        return p;
    }();
    return *s;
}

void on_sink_error(const std::string &what)
{
    // A full disk would otherwise repeat this for every line.
    if (the_state().sink_errors.fetch_add(1) == 0)
        std::fprintf(stderr, "vorn log: %s\n", what.c_str());
}

std::shared_ptr<const published> current() { return std::atomic_load(&the_state().pub); }

bool set_net(std::shared_ptr<forward_sink> state::*which, net_forwarder::kind k, const char *host, int port)
{
    if (host && *host && (port < 1 || port > 65535))
        return false;
    state &s = the_state();
    std::shared_ptr<forward_sink> old;
    {
        std::lock_guard<std::mutex> hold(s.mu);
        old = std::move(s.*which);
        if (host && *host)
            s.*which = std::make_shared<forward_sink>(std::make_shared<net_forwarder>(k, host, port, notice_from_net));
        s.rebuild();
    }
    // A thread that sends or connects is not waited for long: it ends by itself.
    if (old)
        old->forwarder()->stop(50);
    return true;
}

} // namespace

namespace core {

bool should_log(int level)
{
    const state &s = the_state();
    return s.enabled.load(std::memory_order_relaxed) && level >= s.level.load(std::memory_order_relaxed);
}
bool auto_endline() { return the_state().endline.load(std::memory_order_relaxed); }
bool with_hex() { return the_state().hex.load(std::memory_order_relaxed); }

void write(int level, const char *text, std::size_t size)
{
    const auto p = current();
    p->all->log(spd(level), spdlog::string_view_t(text, size));
}

void write_local(int level, const std::string &text)
{
    if (!should_log(level))
        return;
    const auto p = current();
    p->local->log(spd(level), spdlog::string_view_t(text.data(), text.size()));
}

void flush() { current()->all->flush(); }

void set_enable(bool on) { the_state().enabled = on; }
void set_mini_level(int level) { the_state().level = clamp_level(level); }
void set_with_hex(bool on) { the_state().hex = on; }
void set_auto_endline(bool on) { the_state().endline = on; }

bool set_file(const char *path)
{
    state &s = the_state();
    std::lock_guard<std::mutex> hold(s.mu);
    if (!path || !*path) {
        s.file.reset();
        s.set.file.clear();
        s.rebuild();
        return true;
    }
    std::error_code ec;
    const std::string full = std::filesystem::absolute(std::filesystem::path(path), ec).lexically_normal().string();
    if (ec)
        return false;
    if (s.file && full == s.set.file)
        return true;
    try {
        s.file = s.file_sink(full);
    } catch (const std::exception &) {
        return false;
    }
    s.set.file = full;
    s.rebuild();
    return true;
}

void set_console(bool on)
{
    state &s = the_state();
    std::lock_guard<std::mutex> hold(s.mu);
    if (on == bool(s.console))
        return;
    if (on)
        s.console = std::make_shared<spdlog::sinks::stdout_color_sink_mt>();
    else
        s.console.reset();
    s.rebuild();
}

bool set_tcp(const char *host, int port) { return set_net(&state::tcp, net_forwarder::kind::tcp, host, port); }
bool set_udp(const char *host, int port) { return set_net(&state::udp, net_forwarder::kind::udp, host, port); }

// A new size or count takes a new file sink on the same file; should it fail to open, the
// one in use stays.
static void renew_file(state &s)
{
    if (!s.file)
        return;
    try {
        s.file = s.file_sink(s.set.file);
    } catch (const std::exception &) {
        return;
    }
    s.rebuild();
}

void set_max(std::size_t bytes)
{
    state &s = the_state();
    std::lock_guard<std::mutex> hold(s.mu);
    s.set.max_bytes = bytes;
    renew_file(s);
}

void set_count(int files)
{
    state &s = the_state();
    std::lock_guard<std::mutex> hold(s.mu);
    s.set.count = files < 1 ? 1 : files;
    renew_file(s);
}

template <class F> static void change(F f)
{
    state &s = the_state();
    std::lock_guard<std::mutex> hold(s.mu);
    f(s.set);
    s.rebuild();
}

void set_time(bool on) { change([on](settings &x) { x.time = on; }); }
void set_thread(bool on) { change([on](settings &x) { x.thread = on; }); }
void set_cpu(bool on) { change([on](settings &x) { x.cpu = on; }); }
void set_flush(bool on) { change([on](settings &x) { x.flush = on; }); }

} // namespace core

std::string file_path()
{
    state &s = the_state();
    std::lock_guard<std::mutex> hold(s.mu);
    return s.file ? s.set.file : std::string();
}

bool enabled() { return the_state().enabled.load(); }
int mini_level() { return the_state().level.load(); }
bool would_log(int level) { return core::should_log(level); }

const char *level_name(int level) { return level_names[clamp_level(level)]; }

int level_of(const std::string &name)
{
    for (int i = LOG_LEVEL_DEBUG; i <= LOG_LEVEL_FATAL; ++i)
        if (name == level_names[i])
            return i;
    return -1;
}

static sink_counts counts_of(std::shared_ptr<forward_sink> state::*which)
{
    state &s = the_state();
    std::lock_guard<std::mutex> hold(s.mu);
    return s.*which ? (s.*which)->forwarder()->counts() : sink_counts{};
}

sink_counts tcp_counts() { return counts_of(&state::tcp); }
sink_counts udp_counts() { return counts_of(&state::udp); }

void restore_defaults()
{
    state &s = the_state();
    std::vector<std::shared_ptr<net_forwarder>> net;
    {
        std::lock_guard<std::mutex> hold(s.mu);
        net = s.take_net();
        s.file.reset();
        s.console.reset();
        s.set = settings{};
        s.enabled = true;
        s.level = LOG_LEVEL_INFO;
        s.hex = false;
        s.endline = true;
        s.rebuild();
    }
    for (auto &f : net)
        f->stop(50);
}

void shutdown()
{
    state &s = the_state();
    std::vector<std::shared_ptr<net_forwarder>> net;
    {
        std::lock_guard<std::mutex> hold(s.mu);
        net = s.take_net();
        s.rebuild();
    }
    for (auto &f : net)
        f->stop(1000);
    core::flush();
}

} // namespace vorn_log
