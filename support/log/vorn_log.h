/* The program's diagnostic log, as a plain C interface: the client program exports these
   functions, so a library or plug-in loaded into it writes into the same log. */
#ifndef VORN_LOG_H
#define VORN_LOG_H

#include <stdbool.h>
#include <stddef.h>

#if defined(_WIN32)
#  if defined(VORN_LOG_BUILD)
#    define VORN_LOG_API __declspec(dllexport)
#  else
#    define VORN_LOG_API __declspec(dllimport)
#  endif
#else
#  define VORN_LOG_API __attribute__((visibility("default")))
#endif

#if defined(__GNUC__) || defined(__clang__)
#  define VORN_LOG_PRINTF(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#  define VORN_LOG_PRINTF(fmt, first)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Levels, least to most severe. A line is written when its level is at least the minimum
   level (set_mini_level). */
enum log_level {
    LOG_LEVEL_DEBUG = 0, /* what support asks for when info is not enough: command texts, sizes */
    LOG_LEVEL_INFO = 1,  /* what the program did: start-up, logins, file operations */
    LOG_LEVEL_NOTE = 2,  /* worth a look: a cancelled wait, a reconnect */
    LOG_LEVEL_WARN = 3,  /* something failed that the program recovers from */
    LOG_LEVEL_ERROR = 4, /* something failed that the user sees */
    LOG_LEVEL_FATAL = 5  /* the program cannot go on */
};

/* The file the program logs into, in its working folder, unless told otherwise. */
#define VORN_LOG_DEFAULT_FILE "vorn.log"

/* Writes one line at `level` (a log_level; values outside are clamped) from a printf format.
   A line starts with the local time to the microsecond, the level and the thread (see
   set_time, set_thread, set_cpu). Control characters inside the text are written as C escapes
   (\n, \t, \x1b), so every record is one line of the file. Any thread may call it; lines of
   different threads never mix. It never waits for the network. */
VORN_LOG_API void log_it(int level, const char *format, ...) VORN_LOG_PRINTF(2, 3);

/* log_it at one level each. */
VORN_LOG_API void log_info(const char *format, ...) VORN_LOG_PRINTF(1, 2);
VORN_LOG_API void log_note(const char *format, ...) VORN_LOG_PRINTF(1, 2);
VORN_LOG_API void log_warn(const char *format, ...) VORN_LOG_PRINTF(1, 2);
VORN_LOG_API void log_error(const char *format, ...) VORN_LOG_PRINTF(1, 2);
/* Also pushes the file to the disk at once. It does not end the program: the caller does. */
VORN_LOG_API void log_fatal(const char *format, ...) VORN_LOG_PRINTF(1, 2);

/* A line about a block of bytes (the binary argument): the formatted text, the block's size
   and its first 256 bytes as text (printable ASCII as it is, other bytes as \xNN); with
   set_with_hex(true) also the same bytes as hexadecimal pairs. */
VORN_LOG_API void log_bytes(int level, const void *data, size_t size, const char *format, ...)
    VORN_LOG_PRINTF(4, 5);

/* Switches all logging on or off; off writes nothing anywhere (the sinks stay open).
   Default: on. */
VORN_LOG_API void set_enable(bool on);

/* Lines below `level` are not written. Default: LOG_LEVEL_INFO. */
VORN_LOG_API void set_mini_level(int level);

/* Logs into the file at `path` (relative to the working folder at the time of the call),
   appending to what it holds; NULL or "" stops logging into a file. False when the file cannot
   be opened: the file used before stays. The program starts with VORN_LOG_DEFAULT_FILE. */
VORN_LOG_API bool set_log2file(const char *path);

/* Also writes every line to standard output. The program starts with it on only when standard
   output is a terminal. */
VORN_LOG_API void set_log2cmd(bool on);

/* Also sends every line to a TCP listener at host:port (IPv4 address or host name); a NULL or
   empty host stops it. The connection is made and kept on a thread of its own, again after a
   failure; while the peer is slow or gone, lines wait in a bounded queue and past it the oldest
   are dropped (counted, and said in the file when the peer is back). False for a port outside
   1 to 65535. Default: off. */
VORN_LOG_API bool set_log2tcp(const char *host, int port);

/* Also sends every line as one UDP datagram to host:port, from a thread of its own, with the
   same queue as the TCP sink; a datagram carries at most the first 8 KiB of a line. A NULL or
   empty host stops it. False for a port outside 1 to 65535. Default: off. */
VORN_LOG_API bool set_log2udp(const char *host, int port);

/* A file that reaches `bytes` is renamed to <name>.1<ext> (older ones move up: .2, .3, ...) and
   a new file begins; 0 never rotates. Default: 10 MiB. */
VORN_LOG_API void set_max(size_t bytes);

/* How many files a rotation keeps, the current one included (at least 1: rotating then just
   empties the file). Default: 5. */
VORN_LOG_API void set_count(int files);

/* What each line starts with: the local date and time to the microsecond (default on), the
   thread's id and name (default on), the processor it ran on (default off). The level is
   always written. */
VORN_LOG_API void set_time(bool on);
VORN_LOG_API void set_thread(bool on);
VORN_LOG_API void set_cpu(bool on);

/* log_bytes also shows the bytes as hexadecimal pairs. Default: off. */
VORN_LOG_API void set_with_hex(bool on);

/* Every line reaches the file at once (written through, not held in a buffer). Off keeps lines
   in a buffer until it fills, a line of level error or above, or the end of the program.
   Default: on. */
VORN_LOG_API void set_flush(bool on);

/* On, each call writes one line: a newline at the end of the text is not needed and not
   doubled. Off, a call's text is added to the calling thread's unfinished line and the line is
   written when the text brings its newline (a line then takes the level of its first piece).
   Default: on. */
VORN_LOG_API void set_auto_endline(bool on);

#ifdef __cplusplus
}
#endif

#endif /* VORN_LOG_H */
