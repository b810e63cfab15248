// Standard output redirected into an unlinked temporary file and read back.
#include "stdout_capture.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

stdout_capture::stdout_capture()
{
    std::fflush(stdout);
    char name[] = "/tmp/vorn_stdout_XXXXXX";
    file_ = ::mkstemp(name);
    ::unlink(name);
    saved_ = ::dup(1);
    ::dup2(file_, 1);
}

std::string stdout_capture::text()
{
    if (!done_) {
        std::fflush(stdout);
        ::dup2(saved_, 1);
        ::close(saved_);
        const off_t size = ::lseek(file_, 0, SEEK_END);
        text_.resize(static_cast<std::size_t>(size));
        if (::pread(file_, text_.data(), text_.size(), 0) < 0)
            text_.clear();
        ::close(file_);
        done_ = true;
    }
    return text_;
}

stdout_capture::~stdout_capture() { text(); }
