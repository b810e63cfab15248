// The calling thread's identifier on POSIX systems.
#include "platform/thread_id.h"

#include <pthread.h>

namespace vorn::thread_id {
std::uint64_t current()
{
    // pthread_t is an integer on Linux and a pointer on some other systems.
    return (std::uint64_t)(pthread_self());
}
} // namespace vorn::thread_id
