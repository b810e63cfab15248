/* The library's flat C interface from a plain C program, against the development server
 * (started with --demo): every exported function, a large reply (whole and row batch by row
 * batch), a command text in pieces, connections on two threads, print into a pipe, cancel_exec
 * on a silent peer and the server going away.
 * Usage: c_api_check PORT DATA_DIR. One line per check, then "N passed, M failed"; exit
 * status 1 when a check failed. The line "@@ stop the server" asks the caller to kill it. */
#include "portable.h"
#include "vorn_tsdb.h"

#include <inttypes.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#define EOL "\r\n" /* the C runtime's standard output is in text mode */
#else
#define EOL "\n"
#endif

static int passed, failed;
static int port;
static const char *data_dir;

static void check(int ok, const char *what, ...)
{
    va_list ap;
    va_start(ap, what);
    fputs(ok ? "ok   - " : "FAIL - ", stdout);
    vprintf(what, ap);
    fputs("\n", stdout);
    fflush(stdout);
    va_end(ap);
    if (ok)
        ++passed;
    else
        ++failed;
}

static result_set *run(const char *cmd) { return exec(cmd, (int)strlen(cmd)); }

static const char *reason(void)
{
    const char *t = NULL;
    last_error(&t);
    return t ? t : "<null>";
}

static int log_in(void) { return connect_to_server("127.0.0.1", port, "admin", "admin"); }

/* as_str's copy compared with s; the block is freed here. */
static int str_is(const cell *c, const char *s)
{
    char *p = NULL;
    uint64_t n = 99;
    as_str(&p, &n, c);
    const int same = p && n == strlen(s) && memcmp(p, s, (size_t)n) == 0;
    free(p);
    return same;
}

static void logins(void)
{
    check(!connect_to_server("127.0.0.1", port, "admin", "wrong"), "a wrong password is refused");
    const int code = last_error(NULL);
    check(code == 1 && *reason(), "refused with code 1 and the server's reason (%d: %s)", code, reason());
    exit_to_server();
    check(log_in(), "admin logs in");
    check(last_error(NULL) == 0 && !*reason(), "a success clears last_error");
}

static void show_tables(void)
{
    result_set *rs = run("show tables");
    check(rs && cols_of(rs) == 4 && rows_of(rs) >= 4, "show tables: four columns, the demo tables");
    int len = 0, found = 0;
    const char *name = col_name(&len, rs, 3);
    check(name && len == 4 && strcmp(name, "rows") == 0, "col_name gives the name and its length");
    for (uint64_t r = 0; r < rows_of(rs); ++r)
        if (str_is(at(r, 0, rs), "all_types"))
            found = as_uint64(at(r, 3, rs)) == 50;
    check(found, "all_types is listed with its 50 rows");
    del_datas(rs);
}

/* Every kind of the demo table all_types, read through every accessor. */
static void all_kinds(void)
{
    static const char *names[15] = { "time point", "v_i08", "v_u08", "v_i16", "v_u16", "v_i32", "v_u32", "v_i64",
                                     "v_u64", "v_float", "v_double", "v_string", "v_date", "v_time", "v_datetime" };
    static const int types[15] = { 5, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 3, 4, 5 };
    static const int sizes[15] = { 8, 1, 1, 2, 2, 4, 4, 8, 8, 4, 8, 8, 8, 8, 8 };
    static const int signs[15] = { 1, 0, 1, 0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 1, 1 };
    static const char *words[5] = { "alpha", "beta, with comma", "quote \"q\"", "\xe6\xb8\xa9\xe5\xba\xa6", "" };
    result_set *rs = run("view all_types");
    check(rs && rows_of(rs) == 50 && cols_of(rs) == 15, "view all_types: 50 rows of 15 columns");
    if (!rs || rows_of(rs) != 50 || cols_of(rs) != 15)
        return;
    int kinds_ok = 1;
    for (int c = 0; c < 15; ++c) {
        int len = -1;
        const char *n = col_name(&len, rs, c);
        const cell *x = at(0, (uint64_t)c, rs);
        kinds_ok &= n && strcmp(n, names[c]) == 0 && len == (int)strlen(names[c]) && val_type(x) == types[c] &&
                    val_size(x) == sizes[c] && val_sign(x) == signs[c];
    }
    check(kinds_ok, "names, val_type, val_size and val_sign of all fourteen kinds");

    int ints = 1, floats = 1, strs = 1, temporal = 1, sids = 1;
    for (int i = 0; i < 50; ++i) {
        const uint64_t r = (uint64_t)i;
        const int s = i % 2 ? -1 : 1;
        ints &= as_int8(at(r, 1, rs)) == (int8_t)(s * (i * 5 % 128)) && as_uint8(at(r, 2, rs)) == (uint8_t)(i * 5) &&
                as_int16(at(r, 3, rs)) == (int16_t)(s * i * 600) && as_uint16(at(r, 4, rs)) == (uint16_t)(i * 1300) &&
                as_int32(at(r, 5, rs)) == (int32_t)(s * i * 40000000) &&
                as_uint32(at(r, 6, rs)) == (uint32_t)i * 80000000u &&
                as_int64(at(r, 7, rs)) == (int64_t)s * (int64_t)i * 180000000000000000LL &&
                as_uint64(at(r, 8, rs)) == (uint64_t)i * 360000000000000000ULL;
        floats &= as_float(at(r, 9, rs)) == (float)i * 1.25f * (float)s &&
                  as_double(at(r, 10, rs)) == (double)i * 3.0001 * s;
        strs &= str_is(at(r, 11, rs), words[i % 5]) && str_is(at(r, 1, rs), "");
        /* The date and time fields hold the row's time point plus i milliseconds. */
        int y, mo, d, h, mi, se, ns, y2, mo2, d2, h2, mi2, se2, ns2;
        as_datetime(&y, &mo, &d, &h, &mi, &se, &ns, at(r, 0, rs));
        as_datetime(&y2, &mo2, &d2, &h2, &mi2, &se2, &ns2, at(r, 14, rs));
        temporal &= ns == 0 && y > 2000 && y == y2 && mo == mo2 && d == d2 && h == h2 && mi == mi2 && se == se2 &&
                    ns2 == i * 1000000;
        as_date(&y2, &mo2, &d2, at(r, 12, rs));
        as_time(&h2, &mi2, &se2, &ns2, at(r, 13, rs));
        temporal &= y == y2 && mo == mo2 && d == d2 && h == h2 && mi == mi2 && se == se2 && ns2 == i * 1000000;
        sids &= sid_of(rs, r) != 0 && (i == 0 || sid_of(rs, r) != sid_of(rs, r - 1));
    }
    check(ints, "as_int8 to as_uint64 read the eight integer kinds");
    check(floats, "as_float and as_double read the two floating kinds");
    check(strs, "as_str copies strings (UTF-8 and empty ones too) and gives other kinds as empty");
    check(temporal, "as_date, as_time and as_datetime read the temporal kinds");
    check(sids, "sid_of gives each row its identifier");
    int len = 7;
    check(!at(50, 0, rs) && !at(0, 15, rs) && !col_name(&len, rs, -1) && len == 7 && sid_of(rs, 50) == 0 &&
              rows_of(NULL) == 0 && cols_of(NULL) == 0 && !at(0, 0, NULL),
          "indexes outside the result give null or 0");
    del_datas(rs);
    del_datas(NULL);
}

static void failed_command(void)
{
    check(!run("view no_such_table"), "a command the server refuses gives null");
    check(last_error(NULL) == 1 && strstr(reason(), "no_such_table"), "with code 1 and the server's reason (%s)",
          reason());
    result_set *rs = run("show tables");
    check(rs != NULL, "the connection goes on after a refusal");
    del_datas(rs);
}

/* 300,000 rows: imported from a file in the server's data folder, then viewed whole. */
static void large_reply(void)
{
    enum { rows = 300000 };
    char path[1024];
    snprintf(path, sizeof path, "%s/big.csv", data_dir);
    FILE *f = fopen(path, "wb");
    check(f != NULL, "writes %s", path);
    if (!f)
        return;
    fputs("time point:datetime,v:i64,s:string\n", f);
    for (int r = 0; r < rows; ++r)
        fprintf(f, "2024-01-%02d %02d:%02d:%02d,%d,r%d\n", 1 + r / 86400, r / 3600 % 24, r / 60 % 60, r % 60,
                r * 3 - 7, r);
    fclose(f);
    result_set *rs = run("import big from csvs \"big.csv\" split by \",\"");
    check(rs != NULL, "the server imports it (%s)", rs ? "ok" : reason());
    del_datas(rs);
    const double t0 = now_ms();
    rs = run("view big");
    const double took = now_ms() - t0;
    check(rs && rows_of(rs) == rows && cols_of(rs) == 3, "view big: %d rows in one reply (%.0f ms)", rows, took);
    if (!rs || rows_of(rs) != rows)
        return;
    int same = 1;
    char want[32];
    for (int r = 0; r < rows && same; ++r) {
        snprintf(want, sizeof want, "r%d", r);
        int y, mo, d, h, mi, se, ns;
        as_datetime(&y, &mo, &d, &h, &mi, &se, &ns, at((uint64_t)r, 0, rs));
        same = as_int64(at((uint64_t)r, 1, rs)) == r * 3 - 7 && str_is(at((uint64_t)r, 2, rs), want) && y == 2024 &&
               d == 1 + r / 86400 && h == r / 3600 % 24 && se == r % 60;
    }
    check(same, "every row reads back as written");
    del_datas(rs);
}

/* A command text handed out a few bytes at a time; gives up at give_up_at. */
struct pieces {
    const char *text;
    size_t pos, len, give_up_at;
    int calls;
};

static size_t fill_pieces(void *ctx, char *buf, size_t cap)
{
    struct pieces *p = (struct pieces *)ctx;
    ++p->calls;
    if (p->pos >= p->give_up_at)
        return 0;
    size_t n = p->len - p->pos;
    if (n > cap)
        n = cap;
    if (n > 3)
        n = 3;
    memcpy(buf, p->text + p->pos, n);
    p->pos += n;
    return n;
}

/* Rows of "view big" checked as they come; stops at stop_at batches (0: never). */
struct taken {
    uint64_t rows;
    int batches, stop_at, same;
};

static bool take_big(void *ctx, const result_set *rs)
{
    struct taken *t = (struct taken *)ctx;
    char want[32];
    ++t->batches;
    t->same &= cols_of(rs) == 3;
    for (uint64_t r = 0; r < rows_of(rs) && t->same; ++r, ++t->rows) {
        snprintf(want, sizeof want, "r%d", (int)t->rows);
        t->same = as_int64(at(r, 1, rs)) == (int64_t)t->rows * 3 - 7 && str_is(at(r, 2, rs), want);
    }
    del_datas((result_set *)rs); /* lent: del_datas leaves it alone */
    return t->batches != t->stop_at;
}

/* exec_pieces and exec_rows on the table large_reply made. */
static void streamed(void)
{
    const char *cmd = "view all_types v_i32 v_string";
    struct pieces p = { cmd, 0, strlen(cmd), (size_t)-1, 0 };
    result_set *rs = exec_pieces(p.len, fill_pieces, &p);
    check(rs && rows_of(rs) == 50 && cols_of(rs) == 3 && as_int32(at(49, 1, rs)) == -49 * 40000000 &&
              str_is(at(3, 2, rs), "\xe6\xb8\xa9\xe5\xba\xa6") && p.calls >= 10,
          "exec_pieces sends a text given in %d pieces (%s)", p.calls, rs ? "ok" : reason());
    del_datas(rs);

    struct taken t = { 0, 0, 0, 1 };
    const double t0 = now_ms();
    const bool whole = exec_rows("view big", 8, take_big, &t);
    check(whole && t.same && t.rows == 300000 && t.batches > 1,
          "exec_rows hands over %" PRIu64 " rows in %d batches (%.0f ms, %s)", t.rows, t.batches, now_ms() - t0,
          whole ? "ok" : reason());

    struct taken stop = { 0, 0, 2, 1 };
    check(!exec_rows("view big", 8, take_big, &stop) && stop.batches == 2 && last_error(NULL) == 2 &&
              strcmp(reason(), "cancelled") == 0,
          "a take that returns false stops exec_rows with code 2, \"cancelled\" (%s)", reason());
    check(log_in() && (rs = run("show tables")) != NULL, "a new login works after the stop");
    del_datas(rs);

    struct pieces gives_up = { cmd, 0, strlen(cmd), 6, 0 };
    check(!exec_pieces(gives_up.len, fill_pieces, &gives_up) && last_error(NULL) == 2 &&
              strcmp(reason(), "cancelled") == 0,
          "a fill that gives up ends exec_pieces with code 2, \"cancelled\" (%s)", reason());
    check(log_in() && (rs = run("show tables")) != NULL, "a new login works after giving up");
    del_datas(rs);
}

static void print_rows(void *rs) { print((const result_set *)rs); }

/* print with standard output in a pipe: the same table a console would show. */
static void print_to_pipe(void)
{
    result_set *rs = run("view all_types v_i08 v_string max 3");
    check(rs && rows_of(rs) == 3 && cols_of(rs) == 3, "a small table to print");
    if (!rs || rows_of(rs) != 3 || cols_of(rs) != 3)
        return;
    /* Expected text: columns as wide as their widest text, names centred in the header. */
    char texts[4][3][64];
    size_t width[3] = { 0, 0, 0 };
    for (int c = 0; c < 3; ++c) {
        int len = 0;
        snprintf(texts[0][c], sizeof texts[0][c], "%s", col_name(&len, rs, c));
    }
    for (int r = 0; r < 3; ++r) {
        int y, mo, d, h, mi, se, ns;
        as_datetime(&y, &mo, &d, &h, &mi, &se, &ns, at((uint64_t)r, 0, rs));
        snprintf(texts[r + 1][0], 64, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, se);
        snprintf(texts[r + 1][1], 64, "%d", as_int8(at((uint64_t)r, 1, rs)));
        char *s = NULL;
        uint64_t n = 0;
        as_str(&s, &n, at((uint64_t)r, 2, rs));
        snprintf(texts[r + 1][2], 64, "%.*s", (int)n, s);
        free(s);
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            if (strlen(texts[r][c]) > width[c])
                width[c] = strlen(texts[r][c]);
    char want[1024];
    size_t n = (size_t)snprintf(want, sizeof want, EOL "|-");
    for (int c = 0; c < 3; ++c) {
        const size_t pad = width[c] - strlen(texts[0][c]);
        n += (size_t)snprintf(want + n, sizeof want - n, "%.*s%s%.*s%s", (int)(pad / 2), "----------------",
                              texts[0][c], (int)(pad - pad / 2), "----------------", c < 2 ? "-|-" : "-| " EOL);
    }
    for (int r = 1; r < 4; ++r) {
        n += (size_t)snprintf(want + n, sizeof want - n, "| ");
        for (int c = 0; c < 3; ++c)
            n += (size_t)snprintf(want + n, sizeof want - n, "%-*s%s", (int)width[c], texts[r][c],
                                  c < 2 ? " | " : " |" EOL);
    }
    size_t got_len = 0;
    char *got = catch_stdout(print_rows, rs, &got_len);
    check(got && got_len == n && memcmp(got, want, n) == 0, "print writes the table into a pipe");
    if (got && (got_len != n || memcmp(got, want, n) != 0))
        printf("wanted:\n%s\ngot (%u bytes):\n%s\n", want, (unsigned)got_len, got);
    free(got);
    del_datas(rs);
}

/* Two threads, a connection each: results and last_error stay apart. */
struct worker_state {
    int logged_in, all_ok, refused_code, last_code;
};

static void worker(void *arg)
{
    struct worker_state *w = (struct worker_state *)arg;
    w->logged_in = log_in();
    w->all_ok = 1;
    for (int i = 0; i < 50; ++i) {
        result_set *rs = run("view all_types v_i32 max 7");
        w->all_ok &= rs && rows_of(rs) == 7 && as_int32(at(6, 1, rs)) == 6 * 40000000;
        del_datas(rs);
    }
    w->last_code = last_error(NULL);
    exit_to_server();
}

static void refusing_worker(void *arg)
{
    worker(arg);
    struct worker_state *w = (struct worker_state *)arg;
    log_in();
    run("view nothing_here");
    w->refused_code = last_error(NULL);
    exit_to_server();
}

static void two_threads(void)
{
    struct worker_state a = { 0 }, b = { 0 };
    thread *ta = thread_start(worker, &a), *tb = thread_start(refusing_worker, &b);
    thread_join(ta);
    thread_join(tb);
    check(a.logged_in && b.logged_in && a.all_ok && b.all_ok,
          "two threads run 50 commands each on their own connection");
    check(a.last_code == 0 && b.refused_code == 1, "each thread keeps its own last_error");
}

static void connect_and_exit(void)
{
    int ok = 1;
    for (int i = 0; i < 100 && ok; ++i) {
        ok = log_in();
        result_set *rs = run("show tables");
        ok = ok && rs;
        del_datas(rs);
        ok = ok && exit_to_server();
    }
    check(ok, "100 times connect_to_server, a command, exit_to_server");
    check(!run("show tables") && last_error(NULL) == 2 && strcmp(reason(), "not connected to a server") == 0,
          "after exit_to_server exec says it is not connected");
}

/* cancel_exec on a thread waiting for a silent server (in exec, or for the login reply). */
struct cancel_state {
    silent_peer *peer;
    int in_login;
    _Atomic uint64_t id;
    int returned_ok, code, again;
    char why[128];
    double returned_at;
};

static void waiting_worker(void *arg)
{
    struct cancel_state *s = (struct cancel_state *)arg;
    s->id = thread_self_id();
    if (s->in_login) {
        s->returned_ok = connect_to_server("127.0.0.1", silent_peer_port(s->peer), "u", "p");
    } else if (connect_to_server("127.0.0.1", silent_peer_port(s->peer), "u", "p")) {
        result_set *rs = run("show tables");
        s->returned_ok = rs != NULL;
        del_datas(rs);
    }
    s->returned_at = now_ms();
    s->code = last_error(NULL);
    snprintf(s->why, sizeof s->why, "%s", reason());
    /* A fresh login on this thread is not touched by the old request. */
    result_set *rs = NULL;
    s->again = log_in() && (rs = run("show tables")) != NULL;
    del_datas(rs);
    exit_to_server();
}

static void cancel_waits(void)
{
    for (int in_login = 0; in_login < 2; ++in_login) {
        const char *where = in_login ? "waiting for the login reply" : "waiting in exec";
        struct cancel_state s;
        memset(&s, 0, sizeof s);
        s.in_login = in_login;
        s.peer = silent_peer_start(in_login ? silent_after_login : silent_after_command);
        thread *t = thread_start(waiting_worker, &s);
        for (int i = 0; i < 10000 && !silent_peer_heard(s.peer); ++i)
            sleep_ms(1);
        const double asked = now_ms();
        const int had = cancel_exec(s.id);
        thread_join(t);
        const int closed = silent_peer_finish(s.peer);
        check(had, "cancel_exec finds a thread %s", where);
        check(!s.returned_ok && s.code == 2 && strcmp(s.why, "cancelled") == 0,
              "its call returns with code 2, \"cancelled\" (%d, %s), %.1f ms after cancel_exec", s.code, s.why,
              s.returned_at - asked);
        check(closed, "its connection is closed");
        check(s.again, "the thread logs in and runs a command again");
    }
    check(!cancel_exec(thread_self_id()), "cancel_exec of a thread without a connection is false");
}

static void log_in_and_end(void *arg)
{
    struct cancel_state *s = (struct cancel_state *)arg;
    s->id = thread_self_id();
    s->returned_ok = connect_to_server("127.0.0.1", silent_peer_port(s->peer), "u", "p");
}

/* A thread that ends without exit_to_server closes its connection and leaves the registry. */
static void thread_end(void)
{
    struct cancel_state s;
    memset(&s, 0, sizeof s);
    s.peer = silent_peer_start(silent_after_accepting);
    thread_join(thread_start(log_in_and_end, &s));
    const int closed = silent_peer_finish(s.peer);
    check(s.returned_ok && closed && !cancel_exec(s.id),
          "a thread that ends without exit_to_server closes its connection and is not found any more");
}

/* Killed server: exec fails with code 2, then says it is not connected; a new login fails. */
static void server_goes_away(void)
{
    check(log_in(), "logs in before the server goes");
    puts("@@ stop the server");
    fflush(stdout);
    result_set *rs = NULL;
    int tries = 0;
    for (; tries < 1000; ++tries) {
        rs = run("show tables");
        if (!rs)
            break;
        del_datas(rs);
        sleep_ms(10);
    }
    check(!rs && last_error(NULL) == 2, "exec fails with code 2 when the server is gone (%s)", reason());
    check(!run("show tables") && strcmp(reason(), "not connected to a server") == 0,
          "the next exec says it is not connected");
    /* Until the killed process has closed its listener, a connection can still be taken and
     * then closed during login; every try must fail with code 2, the last one refused by the
     * system itself. */
    int refused = 1;
    const char *system_text = NULL;
    for (tries = 0; tries < 1000 && refused && !system_text; ++tries) {
        refused = !log_in() && last_error(NULL) == 2;
        system_text = strstr(reason(), ": ");
        if (refused && !system_text)
            sleep_ms(10);
    }
    check(refused && system_text && strlen(system_text) > 2,
          "a new login fails with the system's reason (%s)", reason());
    check(exit_to_server(), "exit_to_server without a connection returns true");
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: c_api_check PORT DATA_DIR\n");
        return 2;
    }
    port = atoi(argv[1]);
    data_dir = argv[2];
    logins();
    show_tables();
    all_kinds();
    failed_command();
    large_reply();
    streamed();
    print_to_pipe();
    exit_to_server();
    two_threads();
    connect_and_exit();
    cancel_waits();
    thread_end();
    server_goes_away();
    printf("%d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
