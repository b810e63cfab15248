// Client side of the end-to-end tests: runs commands through the library and reads cells.
#pragma once

#include "vorn_tsdb.h"

#include <QString>
#include <memory>
#include <string>

struct rs_deleter {
    void operator()(result_set* rs) const { del_datas(rs); }
};
using rs_ptr = std::unique_ptr<result_set, rs_deleter>;

// Runs one command on this thread's connection; null when the server answered status 1.
rs_ptr run(const std::string& cmd);
// True when the command succeeded.
bool ok(const std::string& cmd);

std::string col(const result_set* rs, int c);
std::string str_at(const result_set* rs, std::uint64_t r, std::uint64_t c);
// Text of any cell in the forms the server itself writes (datetime "YYYY-MM-DD HH:MM:SS[.f]").
std::string text_at(const result_set* rs, std::uint64_t r, std::uint64_t c);
// Kind of a cell as "type_code/sign/size" for shape checks.
std::string kind_at(const result_set* rs, std::uint64_t r, std::uint64_t c);

// Raw TCP to the server for protocol tests: returns the socket or -1.
int raw_connect(int port);
bool raw_send(int fd, const std::string& bytes);
// Reads one reply frame (bounded wait); status -1 when the connection closed or timed out.
int raw_reply(int fd, std::string* body = nullptr, int timeout_ms = 5000);
std::string login_frame(const std::string& user, const std::string& password);
std::string command_frame(const std::string& cmd);
void raw_close(int fd);
// A raw connection logged in as admin/admin, or -1.
int raw_logged_in(int port);
