// The log's state behind the exported functions: the settings, the sinks built from them and
// the logger that the writing threads use. Settings change under a lock and publish a new
// logger; writers only take the published one, so a change never stops a writer for long.
#pragma once

#include <cstddef>
#include <string>

namespace vorn_log {
namespace core {

// The fast checks of a writer.
bool should_log(int level);
bool auto_endline();
bool with_hex();

// Writes one record (its text already one line, without the line end) to every sink.
void write(int level, const char *text, std::size_t size);
// The same to the file and the console only (the network sinks' own troubles).
void write_local(int level, const std::string &text);
// Pushes what the file holds in its buffer to the disk.
void flush();

void set_enable(bool on);
void set_mini_level(int level);
bool set_file(const char *path);
void set_console(bool on);
bool set_tcp(const char *host, int port);
bool set_udp(const char *host, int port);
void set_max(std::size_t bytes);
void set_count(int files);
void set_time(bool on);
void set_thread(bool on);
void set_cpu(bool on);
void set_with_hex(bool on);
void set_flush(bool on);
void set_auto_endline(bool on);

} // namespace core
} // namespace vorn_log
