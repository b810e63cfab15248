// The calling thread's identifier on Windows.
#include "platform/thread_id.h"

#include <windows.h>

namespace vorn::thread_id {
std::uint64_t current() { return GetCurrentThreadId(); }
}
