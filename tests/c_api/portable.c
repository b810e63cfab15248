/* POSIX and Windows sides of the check's helpers; see portable.h. */
#include "portable.h"

#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <winsock2.h>
#include <windows.h>
typedef SOCKET sock_t;
#define close_sock closesocket
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>
typedef int sock_t;
#define close_sock close
#endif

struct thread {
    thread_body body;
    void *arg;
#ifdef _WIN32
    HANDLE handle;
#else
    pthread_t handle;
#endif
};

#ifdef _WIN32
static DWORD WINAPI thread_main(LPVOID p)
{
    thread *t = (thread *)p;
    t->body(t->arg);
    return 0;
}
#else
static void *thread_main(void *p)
{
    thread *t = (thread *)p;
    t->body(t->arg);
    return NULL;
}
#endif

thread *thread_start(thread_body body, void *arg)
{
    thread *t = (thread *)calloc(1, sizeof *t);
    t->body = body;
    t->arg = arg;
#ifdef _WIN32
    t->handle = CreateThread(NULL, 0, thread_main, t, 0, NULL);
#else
    pthread_create(&t->handle, NULL, thread_main, t);
#endif
    return t;
}

void thread_join(thread *t)
{
#ifdef _WIN32
    WaitForSingleObject(t->handle, INFINITE);
    CloseHandle(t->handle);
#else
    pthread_join(t->handle, NULL);
#endif
    free(t);
}

uint64_t thread_self_id(void)
{
#ifdef _WIN32
    return GetCurrentThreadId();
#else
    return (uint64_t)pthread_self();
#endif
}

double now_ms(void)
{
#ifdef _WIN32
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return (double)c.QuadPart * 1000.0 / (double)f.QuadPart;
#else
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec * 1000.0 + (double)ts.tv_nsec / 1e6;
#endif
}

void sleep_ms(int ms)
{
#ifdef _WIN32
    Sleep((DWORD)ms);
#else
    struct timespec ts = { ms / 1000, (long)(ms % 1000) * 1000000L };
    nanosleep(&ts, NULL);
#endif
}

struct silent_peer {
    sock_t listener;
    int port;
    enum silent_after when;
    atomic_int heard;
    atomic_int closed;
    thread *runner;
};

/* Waits up to limit_ms for the socket to become readable. */
static int readable(sock_t s, int limit_ms)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    struct timeval tv = { limit_ms / 1000, (limit_ms % 1000) * 1000 };
    return select((int)s + 1, &set, NULL, NULL, &tv) > 0;
}

static int read_exact(sock_t s, unsigned char *buf, size_t n)
{
    size_t got = 0;
    while (got < n) {
        if (!readable(s, 10000))
            return 0;
        const int k = (int)recv(s, (char *)buf + got, (int)(n - got), 0);
        if (k <= 0)
            return 0;
        got += (size_t)k;
    }
    return 1;
}

static int read_frame(sock_t s)
{
    unsigned char head[4];
    if (!read_exact(s, head, 4))
        return 0;
    const size_t n = (size_t)head[0] | (size_t)head[1] << 8 | (size_t)head[2] << 16 | (size_t)head[3] << 24;
    unsigned char *body = (unsigned char *)malloc(n ? n : 1);
    const int ok = read_exact(s, body, n);
    free(body);
    return ok;
}

static void peer_main(void *arg)
{
    silent_peer *p = (silent_peer *)arg;
    if (!readable(p->listener, 10000))
        return;
    sock_t c = accept(p->listener, NULL, NULL);
    int ok = read_frame(c);
    if (ok && p->when != silent_after_login) {
        static const unsigned char accepted[5] = { 1, 0, 0, 0, 0 };
        send(c, (const char *)accepted, 5, 0);
        if (p->when == silent_after_command)
            ok = read_frame(c);
    }
    if (ok)
        atomic_store(&p->heard, 1);
    /* Silent from here on; the client's close ends the wait. */
    char b;
    for (int i = 0; i < 200 && ok; ++i) {
        if (readable(c, 100)) {
            if (recv(c, &b, 1, 0) <= 0) {
                atomic_store(&p->closed, 1);
                break;
            }
        }
    }
    close_sock(c);
}

silent_peer *silent_peer_start(enum silent_after when)
{
#ifdef _WIN32
    static int started;
    if (!started) {
        WSADATA d;
        WSAStartup(MAKEWORD(2, 2), &d);
        started = 1;
    }
#endif
    silent_peer *p = (silent_peer *)calloc(1, sizeof *p);
    p->when = when;
    p->listener = socket(AF_INET, SOCK_STREAM, 0);
    struct sockaddr_in a;
    memset(&a, 0, sizeof a);
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(p->listener, (struct sockaddr *)&a, sizeof a);
    listen(p->listener, 4);
#ifdef _WIN32
    int len = sizeof a;
#else
    socklen_t len = sizeof a;
#endif
    getsockname(p->listener, (struct sockaddr *)&a, &len);
    p->port = ntohs(a.sin_port);
    p->runner = thread_start(peer_main, p);
    return p;
}

int silent_peer_port(const silent_peer *p) { return p->port; }
int silent_peer_heard(silent_peer *p) { return atomic_load(&p->heard); }

int silent_peer_finish(silent_peer *p)
{
    thread_join(p->runner);
    close_sock(p->listener);
    const int closed = atomic_load(&p->closed);
    free(p);
    return closed;
}

char *catch_stdout(void (*fn)(void *arg), void *arg, size_t *len)
{
    size_t cap = 1 << 16, n = 0;
    char *out = (char *)malloc(cap + 1);
    fflush(stdout);
#ifdef _WIN32
    /* The library writes to the handle GetStdHandle gives, as a console program's output does. */
    HANDLE r, w;
    if (!CreatePipe(&r, &w, NULL, 1 << 20))
        return NULL;
    HANDLE saved = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, w);
    fn(arg);
    SetStdHandle(STD_OUTPUT_HANDLE, saved);
    CloseHandle(w);
    DWORD k;
    while (n < cap && ReadFile(r, out + n, (DWORD)(cap - n), &k, NULL) && k > 0)
        n += k;
    CloseHandle(r);
#else
    int fds[2];
    if (pipe(fds) != 0)
        return NULL;
    const int saved = dup(1);
    dup2(fds[1], 1);
    fn(arg);
    fflush(stdout);
    dup2(saved, 1);
    close(saved);
    close(fds[1]);
    ssize_t k;
    while (n < cap && (k = read(fds[0], out + n, cap - n)) > 0)
        n += (size_t)k;
    close(fds[0]);
#endif
    out[n] = '\0';
    if (len)
        *len = n;
    return out;
}
