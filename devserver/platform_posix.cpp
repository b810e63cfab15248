// POSIX implementation of the server's platform services.
#include "platform.h"

#include <arpa/inet.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <dirent.h>
#include <mutex>
#include <set>
#include <fcntl.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace devserver::platform {

namespace {
volatile std::sig_atomic_t stop_flag = 0;
void on_stop(int) { stop_flag = 1; }

// Atomic writes to one path take turns: their temp file is named after the process, and the
// file commands now write from several threads at once.
class path_turn {
public:
    explicit path_turn(const std::string& path) : path_(path)
    {
        std::unique_lock<std::mutex> lock(mutex());
        wake().wait(lock, [&] { return busy().count(path_) == 0; });
        busy().insert(path_);
    }
    ~path_turn()
    {
        {
            std::lock_guard<std::mutex> lock(mutex());
            busy().erase(path_);
        }
        wake().notify_all();
    }
    path_turn(const path_turn&) = delete;
    path_turn& operator=(const path_turn&) = delete;

private:
    static std::mutex& mutex() { static std::mutex m; return m; }
    static std::condition_variable& wake() { static std::condition_variable c; return c; }
    static std::set<std::string>& busy() { static std::set<std::string> s; return s; }
    std::string path_;
};
} // namespace

std::string listen_on(const std::string& addr, int& port, socket_t& out)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(std::uint16_t(port));
    if (inet_pton(AF_INET, addr.c_str(), &sa.sin_addr) != 1)
        return "not an IPv4 address: " + addr;
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return std::string("socket: ") + std::strerror(errno);
    const int one = 1;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(s, 64) != 0) {
        const std::string err = std::strerror(errno);
        ::close(s);
        return "cannot listen on " + addr + ":" + std::to_string(port) + ": " + err;
    }
    socklen_t len = sizeof sa;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
    port = ntohs(sa.sin_port);
    out = s;
    return {};
}

socket_t accept_one(socket_t listener, int timeout_ms, std::string& peer)
{
    pollfd p{int(listener), POLLIN, 0};
    if (::poll(&p, 1, timeout_ms) <= 0)
        return no_socket;
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    const int s = ::accept4(int(listener), reinterpret_cast<sockaddr*>(&sa), &len, SOCK_CLOEXEC);
    if (s < 0)
        return no_socket;
    const int one = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    char ip[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &sa.sin_addr, ip, sizeof ip);
    peer = std::string(ip) + ":" + std::to_string(ntohs(sa.sin_port));
    return s;
}

long recv_some(socket_t s, char* buf, std::size_t n)
{
    for (;;) {
        const ssize_t r = ::recv(int(s), buf, n, 0);
        if (r < 0 && errno == EINTR)
            continue;
        return long(r);
    }
}

bool send_all(socket_t s, const char* data, std::size_t n)
{
    while (n > 0) {
        const ssize_t r = ::send(int(s), data, n, MSG_NOSIGNAL);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        data += r;
        n -= std::size_t(r);
    }
    return true;
}

void close_socket(socket_t s)
{
    if (s != no_socket)
        ::close(int(s));
}

void shutdown_socket(socket_t s)
{
    if (s != no_socket)
        ::shutdown(int(s), SHUT_RDWR);
}

void install_stop_handlers()
{
    struct sigaction sa{};
    sa.sa_handler = on_stop;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    // Past a file size limit a write must fail with EFBIG, not end the process.
    std::signal(SIGXFSZ, SIG_IGN);
}

bool stop_requested() { return stop_flag != 0; }

bool write_file_atomic(const std::string& path, const std::string& data, std::string& err, bool flush)
{
    const path_turn turn(path);
    const std::string tmp = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        err = std::string("cannot write ") + path + ": " + std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            err = std::string("cannot write ") + path + ": " + std::strerror(errno);
            ::close(fd);
            ::unlink(tmp.c_str());
            return false;
        }
        done += std::size_t(w);
    }
    const bool synced = !flush || ::fsync(fd) == 0;
    ::close(fd);
    if (!synced || ::rename(tmp.c_str(), path.c_str()) != 0) {
        err = std::string("cannot write ") + path + ": " + std::strerror(errno);
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

bool read_file(const std::string& path, std::string& data, std::string& err)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        err = std::string("cannot read ") + path + ": " + std::strerror(errno);
        return false;
    }
    // Read into a buffer of the file's size; whatever follows (a growing file) is appended.
    struct stat st{};
    const std::size_t expect = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? std::size_t(st.st_size) : 0;
    data.assign(expect, '\0');
    std::size_t done = 0;
    char more[65536];
    for (;;) {
        char* to = done < expect ? &data[done] : more;
        const std::size_t room = done < expect ? expect - done : sizeof more;
        const ssize_t r = ::read(fd, to, room);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            data.resize(std::min(done, data.size()));
            if (r < 0)
                err = std::string("cannot read ") + path + ": " + std::strerror(errno);
            ::close(fd);
            return r == 0;
        }
        if (to == more)
            data.append(more, std::size_t(r));
        done += std::size_t(r);
    }
}

bool read_regular_file(const std::string& path, std::string& data, std::string& err)
{
    // Opened without blocking (a FIFO would wait for a writer here), then judged by its kind.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        err = std::string("cannot read ") + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat st{};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!regular) {
        err = "not a regular file: " + path;
        return false;
    }
    return read_file(path, data, err);
}

std::string lock_file(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return "cannot open the lock file " + path + ": " + std::strerror(errno);
    struct flock want{};
    want.l_type = F_WRLCK;
    want.l_whence = SEEK_SET;
    if (::fcntl(fd, F_SETLK, &want) != 0) {
        const int e = errno;
        struct flock holder{};
        holder.l_type = F_WRLCK;
        holder.l_whence = SEEK_SET;
        std::string who;
        if (::fcntl(fd, F_GETLK, &holder) == 0 && holder.l_type != F_UNLCK)
            who = " by process " + std::to_string(long(holder.l_pid));
        ::close(fd);
        if (e == EACCES || e == EAGAIN)
            return "the database is in use: " + path + " is locked" + who;
        return "cannot lock " + path + ": " + std::strerror(e);
    }
    // For people: the lock itself is what counts, and it ends with the process.
    const std::string pid = std::to_string(long(::getpid())) + "\n";
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, pid.data(), pid.size(), 0) != ssize_t(pid.size())) {
        // A full disk does not stop the start: the lock is held all the same.
    }
    return {};   // fd stays open: closing it would drop the lock
}

std::size_t max_path_length() { return PATH_MAX; }

std::size_t max_name_length(const std::string& dir)
{
    const long n = ::pathconf(dir.c_str(), _PC_NAME_MAX);
    return n > 0 ? std::size_t(n) : 255;
}

bool remove_dir(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

bool file_exists(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0;
}

bool make_dirs(const std::string& path)
{
    std::string cur;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!cur.empty() && !file_exists(cur) && ::mkdir(cur.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
        if (i < path.size())
            cur += path[i];
    }
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string canonical_dir(const std::string& path)
{
    char* r = ::realpath(path.c_str(), nullptr);
    if (!r)
        return {};
    std::string s(r);
    std::free(r);
    return s;
}

bool open_file(const std::string& path, bool create, int& fd, std::string& err)
{
    fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
    if (fd >= 0)
        return true;
    err = "cannot open " + path + ": " + std::strerror(errno);
    return false;
}

bool write_at(int fd, std::uint64_t offset, const char* data, std::size_t n, std::string& err)
{
    while (n > 0) {
        const ssize_t w = ::pwrite(fd, data, n, off_t(offset));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            err = w < 0 ? std::strerror(errno) : "nothing written";
            return false;
        }
        data += w;
        n -= std::size_t(w);
        offset += std::uint64_t(w);
    }
    return true;
}

bool file_size(int fd, std::uint64_t& size)
{
    struct stat st{};
    if (::fstat(fd, &st) != 0)
        return false;
    size = std::uint64_t(st.st_size);
    return true;
}

bool sync_file(int fd) { return ::fdatasync(fd) == 0; }

bool allocate_file(int fd, std::uint64_t size, std::string& err)
{
    int r = ::posix_fallocate(fd, 0, off_t(size));
    if (r == EOPNOTSUPP || r == EINVAL)
        r = ::ftruncate(fd, off_t(size)) == 0 ? 0 : errno;
    if (r == 0)
        return true;
    err = std::strerror(r);
    return false;
}

char* map_file(int fd, std::uint64_t offset, std::size_t length, std::string& err)
{
    void* p = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, off_t(offset));
    if (p != MAP_FAILED)
        return static_cast<char*>(p);
    err = std::strerror(errno);
    return nullptr;
}

void unmap_file(char* at, std::size_t length)
{
    if (at)
        ::munmap(at, length);
}

std::size_t page_size() { return std::size_t(::sysconf(_SC_PAGESIZE)); }

int duplicate_file(int fd) { return ::fcntl(fd, F_DUPFD_CLOEXEC, 0); }

void close_file(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

bool rename_file(const std::string& from, const std::string& to, std::string& err)
{
    if (::rename(from.c_str(), to.c_str()) == 0)
        return true;
    err = "cannot rename " + from + " to " + to + ": " + std::strerror(errno);
    return false;
}

bool remove_file(const std::string& path) { return ::unlink(path.c_str()) == 0; }

void sync_parent_dir(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool list_dir(const std::string& path, std::vector<std::string>& names)
{
    names.clear();
    DIR* d = ::opendir(path.c_str());
    if (!d)
        return false;
    while (const dirent* e = ::readdir(d)) {
        const std::string n = e->d_name;
        if (n == "." || n == "..")
            continue;
        const int k = entry_kind(path + "/" + n);
        if (k == 1)
            names.push_back(n);
        else if (k == 2)
            names.push_back(n + "/");
    }
    ::closedir(d);
    return true;
}

bool process_alive(long pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH); }

long own_pid() { return long(::getpid()); }

int entry_kind(const std::string& path)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0)
        return 0;
    if (S_ISLNK(st.st_mode))
        return 3;
    if (S_ISREG(st.st_mode))
        return 1;
    return S_ISDIR(st.st_mode) ? 2 : 4;
}

bool make_dir(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST; }

bool wait_readable(socket_t s, int timeout_ms)
{
    pollfd p{int(s), POLLIN, 0};
    for (;;) {
        const int r = ::poll(&p, 1, timeout_ms);
        if (r < 0 && errno == EINTR)
            continue;
        return r > 0;
    }
}

void release_free_memory()
{
#ifdef __GLIBC__
    ::malloc_trim(0);
#endif
}

std::size_t resident_bytes()
{
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return 0;
    unsigned long size = 0, rss = 0;
    const int n = std::fscanf(f, "%lu %lu", &size, &rss);
    std::fclose(f);
    return n == 2 ? std::size_t(rss) * std::size_t(::sysconf(_SC_PAGESIZE)) : 0;
}

} // namespace devserver::platform
