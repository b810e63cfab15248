// The system's identifier of the calling thread, as cancel_exec takes it: pthread_self() on
// POSIX systems, GetCurrentThreadId() on Windows (what QThread::currentThreadId() gives too).
#pragma once

#include <cstdint>

namespace vorn::thread_id {
std::uint64_t current();
}
