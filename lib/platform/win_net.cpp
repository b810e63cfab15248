// Winsock 2 behind the library's socket layer. Sockets are non-blocking; every wait is a select
// of at most one slice, so a wait looks at its stop flag in time whether or not a shutdown
// from another thread wakes it. Winsock starts once per process.
#include "platform/net.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <string>

namespace vorn::net {

namespace {
thread_local int saved_error = 0;
std::atomic<bool> winsock_started { false };

bool fail(int err)
{
    saved_error = err;
    return false;
}

bool stopped(const std::atomic<bool> *stop)
{
    if (stop && stop->load(std::memory_order_acquire)) {
        saved_error = WSAECANCELLED;
        return true;
    }
    return false;
}

SOCKET handle(socket_t s) { return static_cast<SOCKET>(s); }

// Waits up to ms for the socket to become readable (or writable); >0 ready, 0 not yet, <0 error.
int wait_for(SOCKET s, bool write, int ms)
{
    fd_set ready, failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    timeval tv { ms / 1000, (ms % 1000) * 1000 };
    const int rc = select(0, write ? nullptr : &ready, write ? &ready : nullptr, &failed, &tv);
    if (rc == SOCKET_ERROR)
        saved_error = WSAGetLastError();
    return rc;
}
} // namespace

bool startup()
{
    static const int result = [] {
        WSADATA data;
        const int r = WSAStartup(MAKEWORD(2, 2), &data);
        winsock_started = r == 0;
        return r;
    }();
    if (result != 0)
        saved_error = result;
    return result == 0;
}

socket_t open_tcp()
{
    DWORD flags = WSA_FLAG_OVERLAPPED;
#ifdef WSA_FLAG_NO_HANDLE_INHERIT
    flags |= WSA_FLAG_NO_HANDLE_INHERIT;  // like SOCK_CLOEXEC: child processes do not keep it
#endif
    const SOCKET s = WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, flags);
    if (s == INVALID_SOCKET) {
        saved_error = WSAGetLastError();
        return invalid_socket;
    }
    u_long nonblocking = 1;
    if (ioctlsocket(s, FIONBIO, &nonblocking) != 0) {
        saved_error = WSAGetLastError();
        closesocket(s);
        return invalid_socket;
    }
    return static_cast<socket_t>(s);
}

void close(socket_t s)
{
    if (s != invalid_socket)
        closesocket(handle(s));
}

void shutdown(socket_t s)
{
    if (s != invalid_socket)
        ::shutdown(handle(s), SD_BOTH);
}

bool set_option(socket_t s, option which, int value)
{
    int name = SO_REUSEADDR;
    switch (which) {
    case option::reuseaddr: name = SO_REUSEADDR; break;
    case option::rcvbuf: name = SO_RCVBUF; break;
    case option::sndbuf: name = SO_SNDBUF; break;
    case option::keepalive: name = SO_KEEPALIVE; break;
    }
    if (setsockopt(handle(s), SOL_SOCKET, name, reinterpret_cast<const char *>(&value), sizeof value) == 0)
        return true;
    return fail(WSAGetLastError());
}

bool connect_ipv4(socket_t s, const char *ip, std::uint16_t port, int timeout_ms, const std::atomic<bool> *stop)
{
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (!ip || inet_pton(AF_INET, ip, &addr.sin_addr) != 1)
        return fail(WSAEINVAL);
    if (s == invalid_socket)
        return fail(WSAENOTSOCK);
    const SOCKET h = handle(s);
    if (connect(h, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) == 0)
        return true;
    int err = WSAGetLastError();
    if (err != WSAEWOULDBLOCK)
        return fail(err);
    for (int waited = 0; waited < timeout_ms; waited += wait_slice_ms) {
        if (stopped(stop))
            return false;
        const int rc = wait_for(h, true, wait_slice_ms);
        if (rc < 0)
            return false;
        if (rc > 0) {
            int len = sizeof err;
            if (getsockopt(h, SOL_SOCKET, SO_ERROR, reinterpret_cast<char *>(&err), &len) != 0)
                err = WSAGetLastError();
            if (err != 0 && stopped(stop))
                return false;  // the shutdown that woke the wait is not the reason
            return err == 0 || fail(err);
        }
    }
    return fail(WSAETIMEDOUT);
}

bool send_all(socket_t s, const void *a, std::size_t alen, const void *b, std::size_t blen,
              const std::atomic<bool> *stop)
{
    if (s == invalid_socket)
        return fail(WSAENOTSOCK);
    const SOCKET h = handle(s);
    // One call for both pieces: two sends would wait for the server's delayed ACK (Nagle).
    WSABUF bufs[2] = { { static_cast<ULONG>(alen), static_cast<CHAR *>(const_cast<void *>(a)) },
                       { static_cast<ULONG>(blen), static_cast<CHAR *>(const_cast<void *>(b)) } };
    int first = 0;
    const int count = blen ? 2 : 1;
    while (first < count) {
        DWORD sent = 0;
        if (WSASend(h, bufs + first, static_cast<DWORD>(count - first), &sent, 0, nullptr, nullptr) != 0) {
            const int err = WSAGetLastError();
            if (err != WSAEWOULDBLOCK && err != WSAEINTR)
                return fail(err);
            if (stopped(stop))
                return false;
            if (wait_for(h, true, wait_slice_ms) < 0)
                return false;
            continue;
        }
        std::size_t done = sent;
        while (first < count && done >= bufs[first].len) {
            done -= bufs[first].len;
            ++first;
        }
        if (first < count) {
            bufs[first].buf += done;
            bufs[first].len -= static_cast<ULONG>(done);
        }
    }
    return true;
}

long recv_some(socket_t s, void *buf, std::size_t len, const std::atomic<bool> *stop)
{
    if (s == invalid_socket) {
        saved_error = WSAENOTSOCK;
        return -1;
    }
    const SOCKET h = handle(s);
    const int want = len > 0x40000000u ? 0x40000000 : static_cast<int>(len);
    for (;;) {
        const int n = recv(h, static_cast<char *>(buf), want, 0);
        if (n > 0)
            return n;
        if (n == 0) {
            saved_error = 0;  // an orderly close is no error: no older one may show for it
            return 0;
        }
        const int err = WSAGetLastError();
        if (err != WSAEWOULDBLOCK && err != WSAEINTR) {
            saved_error = err;
            return -1;
        }
        if (stopped(stop))
            return -1;
        if (wait_for(h, false, wait_slice_ms) < 0)
            return -1;
    }
}

int last_error() { return saved_error; }

const char *error_text()
{
    thread_local std::string text;
    wchar_t *wide = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(saved_error), 0, reinterpret_cast<wchar_t *>(&wide),
                                   0, nullptr);
    text.clear();
    if (n && wide) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        text.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
        if (bytes > 0)
            WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(n), &text[0], bytes, nullptr, nullptr);
    }
    if (wide)
        LocalFree(wide);
    // Without the line end and the full stop, as the C runtime's texts read.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty())
        text = "error " + std::to_string(saved_error);
    return text.c_str();
}

void set_not_connected() { saved_error = WSAENOTCONN; }

} // namespace vorn::net

// Winsock's one start is matched when the library is unloaded while the process goes on. At the
// process's end it is left to the system: the other threads are gone by then, perhaps holding
// Winsock's own locks.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH && !reserved && vorn::net::winsock_started)
        WSACleanup();
    return TRUE;
}
