// Why the calling thread's last connect_to_server or exec failed: a code and a reason text,
// kept per thread like the connection itself.
#pragma once

#include <cstddef>
#include <string>

namespace vorn::error_state {

enum code { none = 0, server_failed = 1, connection_failed = 2 };

void succeeded();
// The server answered with the failure status; body is its failure payload (may be binary).
void server_refused(const char *body, std::size_t len);
// The connection failed; what names the step, the system's error text is added after it.
void connection_lost(const char *what, bool with_system_text = true);
// The code and, when text is not null, the reason (never null) of the thread's last failure.
int code_of(const char **text);

} // namespace vorn::error_state
