/* Server-access library: login, command execution and typed result sets over the
 * server's TCP protocol. One connection per calling thread; a flat C interface. */
#ifndef VORN_TSDB_H
#define VORN_TSDB_H

#include <stddef.h>
#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#if defined(_WIN32)
#  if defined(VORN_TSDB_BUILDING)
#    define VORN_TSDB_API __declspec(dllexport)
#  else
#    define VORN_TSDB_API __declspec(dllimport)
#  endif
#else
#  define VORN_TSDB_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Opaque result of exec, owned by the caller until del_datas. */
typedef struct result_set result_set;
/* One typed value inside a result set; valid until del_datas of its result set. */
typedef struct cell cell;

/* Session (one per calling thread). */
VORN_TSDB_API bool connect_to_server(const char *ip, int port, const char *user, const char *passwd);
VORN_TSDB_API bool exit_to_server(void);

/* Command execution and result sets. del_datas ignores null and the rows exec_rows lends. */
VORN_TSDB_API result_set *exec(const char *cmd, int len);
VORN_TSDB_API void del_datas(result_set *rs);
VORN_TSDB_API uint64_t rows_of(const result_set *rs);
VORN_TSDB_API uint64_t cols_of(const result_set *rs);
VORN_TSDB_API uint64_t sid_of(const result_set *rs, uint64_t row);
VORN_TSDB_API const char *col_name(int *len, const result_set *rs, int col);
VORN_TSDB_API const cell *at(uint64_t row, uint64_t col, const result_set *rs);
VORN_TSDB_API int val_type(const cell *c);
VORN_TSDB_API int val_size(const cell *c);
VORN_TSDB_API int val_sign(const cell *c);

/* exec of a command text too large to hold at once: the text, len bytes in all (at most
 * 0xFFFFFFFE), is asked for piece by piece as it goes out. fill writes up to cap bytes of the
 * text's continuation into buf and returns how many (at least 1 while text remains; it is not
 * called once len bytes came). 0 means the caller gives up: the connection is closed and
 * exec_pieces returns null with last_error code 2 "cancelled" (more than cap closes it too, with
 * code 2 and a reason of its own). Otherwise as exec: the same frame on the wire, the same reply and failures. */
VORN_TSDB_API result_set *exec_pieces(uint64_t len, size_t (*fill)(void *ctx, char *buf, size_t cap), void *ctx);

/* exec whose reply rows are handed over as they arrive instead of being collected: take gets a
 * result set holding the reply's columns and the rows decoded since its last call (valid only
 * during the call; del_datas ignores it). It is called at least once for a reply that
 * succeeds, with no rows when the reply holds none, and never for a refused command. take
 * returns false to stop: the connection is closed and last_error says code 2 "cancelled". A null
 * take drops the rows. True when the whole reply arrived and succeeded; when false, last_error
 * says why, as for exec, and rows already taken may be only part of the reply. The caller's
 * memory stays at the receive buffer and one batch (about 1 MiB of cells and the strings of
 * about 1 MiB of reply) whatever the reply's size. */
VORN_TSDB_API bool exec_rows(const char *cmd, int len, bool (*take)(void *ctx, const result_set *rows), void *ctx);
/* fill and take run inside their command: exec, exec_pieces, exec_rows, connect_to_server and
 * exit_to_server called from them on the same thread fail (null / false, last_error code 2 for
 * the first four) and change nothing; cancel_exec works from any thread during both. */

/* Typed accessors. */
VORN_TSDB_API int8_t as_int8(const cell *c);
VORN_TSDB_API uint8_t as_uint8(const cell *c);
VORN_TSDB_API int16_t as_int16(const cell *c);
VORN_TSDB_API uint16_t as_uint16(const cell *c);
VORN_TSDB_API int32_t as_int32(const cell *c);
VORN_TSDB_API uint32_t as_uint32(const cell *c);
VORN_TSDB_API int64_t as_int64(const cell *c);
VORN_TSDB_API uint64_t as_uint64(const cell *c);
VORN_TSDB_API float as_float(const cell *c);
VORN_TSDB_API double as_double(const cell *c);
/* *str receives a malloc'ed copy (non-null, also for length 0) that the caller frees. */
VORN_TSDB_API void as_str(char **str, uint64_t *len, const cell *c);
VORN_TSDB_API void as_date(int *year, int *month, int *day, const cell *c);
VORN_TSDB_API void as_time(int *hour, int *minute, int *second, int *nanos, const cell *c);
VORN_TSDB_API void as_datetime(int *year, int *month, int *day, int *hour, int *minute, int *second,
                               int *nanos, const cell *c);
VORN_TSDB_API void print(const result_set *rs);

/* Ends the wait of another thread's connection, from any thread: the exec or
 * connect_to_server that thread is waiting in returns null / false with last_error code 2
 * and the reason "cancelled", and its connection is closed; when that thread is not waiting,
 * its connection is closed and its next exec fails the same way. thread: the system's
 * identifier of that thread (pthread_self() on POSIX systems, GetCurrentThreadId() on
 * Windows; Qt's QThread::currentThreadId() gives the same value). True when that thread had
 * a connection or a login in progress. */
VORN_TSDB_API bool cancel_exec(uint64_t thread);

/* Why the calling thread's last connect_to_server or exec failed: 0 it succeeded, 1 the server
 * answered with the failure status, 2 the connection failed (none made, refused, unreachable,
 * closed, a send or receive error). When text is not null it receives a NUL-terminated UTF-8
 * reason (never null; empty after a success), valid until the thread's next library call:
 * the server's failure message, or what failed on the network with the system's error text. */
VORN_TSDB_API int last_error(const char **text);

#ifdef __cplusplus
}
#endif

#endif
