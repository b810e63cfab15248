// The few operating-system services the server needs: TCP sockets, stop signals, atomic files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace devserver::platform {

using socket_t = long long;
constexpr socket_t no_socket = -1;

// Listens on addr:port (port 0 picks one); the real port is stored in port. Empty on success.
std::string listen_on(const std::string& addr, int& port, socket_t& out);
// Waits up to timeout_ms for a connection; no_socket when none came or on error.
socket_t accept_one(socket_t listener, int timeout_ms, std::string& peer);
// Reads up to n bytes; 0 on orderly close, negative on error.
long recv_some(socket_t s, char* buf, std::size_t n);
// Sends everything; false when the peer is gone.
bool send_all(socket_t s, const char* data, std::size_t n);
void close_socket(socket_t s);
// Wakes a thread blocked in recv on s (used at shutdown).
void shutdown_socket(socket_t s);

// SIGINT and SIGTERM set a flag instead of killing the process; SIGPIPE and SIGXFSZ are ignored.
void install_stop_handlers();
bool stop_requested();

// Writes data to path through a temporary file and a rename, so a killed process leaves the
// old file. With `flush` the data reaches the disk before the rename, so a crash of the whole
// machine does too.
bool write_file_atomic(const std::string& path, const std::string& data, std::string& err, bool flush = true);
bool read_file(const std::string& path, std::string& data, std::string& err);
// As read_file, for regular files only: a FIFO, device or folder is refused without waiting.
bool read_regular_file(const std::string& path, std::string& data, std::string& err);
// Takes an exclusive lock on the file at path (made when missing), held until the process
// ends, and writes the process id into it. Empty on success; else why, naming the process
// that holds the lock when it can be found.
std::string lock_file(const std::string& path);
// Longest path, and longest name in a folder, that the system takes.
std::size_t max_path_length();
std::size_t max_name_length(const std::string& dir);
bool remove_dir(const std::string& path);
bool file_exists(const std::string& path);
bool make_dirs(const std::string& path);
// Resolves symbolic links and "..": the canonical absolute form of an existing folder.
std::string canonical_dir(const std::string& path);

// Files written at explicit offsets (the journal). Each returns false and sets err on failure.
bool open_file(const std::string& path, bool create, int& fd, std::string& err);
bool write_at(int fd, std::uint64_t offset, const char* data, std::size_t n, std::string& err);
bool file_size(int fd, std::uint64_t& size);
bool sync_file(int fd);
// Gives the file at least `size` bytes of disk space (a full disk fails here, not later).
bool allocate_file(int fd, std::uint64_t size, std::string& err);
// Maps bytes of the file for writing; they reach the file (its page cache) as they are copied,
// so a killed process loses none of them. Null on failure.
char* map_file(int fd, std::uint64_t offset, std::size_t length, std::string& err);
void unmap_file(char* at, std::size_t length);
std::size_t page_size();
int duplicate_file(int fd);
void close_file(int fd);
bool rename_file(const std::string& from, const std::string& to, std::string& err);
bool remove_file(const std::string& path);
// Makes a rename inside the folder of path survive a crash of the machine.
void sync_parent_dir(const std::string& path);
// Names in a folder (without "." and ".."); folders are marked with a trailing '/', links skipped.
bool list_dir(const std::string& path, std::vector<std::string>& names);
// True while a process with this id runs (or may run: no rights to ask).
bool process_alive(long pid);
long own_pid();
// Kind of the entry at path without following a final link: 0 none, 1 file, 2 folder, 3 link, 4 other.
int entry_kind(const std::string& path);
bool make_dir(const std::string& path);

// Waits up to timeout_ms for bytes to read on s; false on timeout.
bool wait_readable(socket_t s, int timeout_ms);

// Hands memory freed by the process back to the system (after a compaction's copy is gone).
void release_free_memory();

// Resident memory of the process in bytes, 0 when unknown.
std::size_t resident_bytes();

} // namespace devserver::platform
