/* The few system calls the C interface check needs beyond the library, for POSIX systems and
 * for Windows: threads, a clock, a silent stand-in server on a loopback socket, and standard
 * output caught in a pipe. */
#ifndef C_API_PORTABLE_H
#define C_API_PORTABLE_H

#include <stddef.h>
#include <stdint.h>

typedef struct thread thread;
typedef void (*thread_body)(void *arg);
thread *thread_start(thread_body body, void *arg);
void thread_join(thread *t);
/* The calling thread's identifier as cancel_exec takes it. */
uint64_t thread_self_id(void);

double now_ms(void);
void sleep_ms(int ms);

/* A server on 127.0.0.1 that takes one connection and reads the login; then it says nothing
 * more until the client closes, after taking the login and reading one command. */
enum silent_after { silent_after_login, silent_after_command, silent_after_accepting };
typedef struct silent_peer silent_peer;
silent_peer *silent_peer_start(enum silent_after when);
int silent_peer_port(const silent_peer *p);
/* True once the peer has gone silent. */
int silent_peer_heard(silent_peer *p);
/* Waits for the peer to end; true when the client closed the connection. */
int silent_peer_finish(silent_peer *p);

/* Runs fn(arg) with the process's standard output going into a pipe and returns what was
 * written (NUL-terminated, to free()), or null. */
char *catch_stdout(void (*fn)(void *arg), void *arg, size_t *len);

#endif
