// Reply accumulation; see reply_reader.h.
#include "reply_reader.h"

#include "platform/memory.h"

#include <cstdlib>
#include <cstring>

namespace vorn {

namespace {
constexpr std::size_t max_recv = 524288;
// The frame block grows with the bytes that really arrive, so a bogus length field cannot
// make us allocate gigabytes up front.
constexpr std::size_t first_block = 64u << 20;
} // namespace

reply_reader::reply_reader(std::uint8_t *staging, std::size_t staging_len, mode m)
    : staging_(staging), staging_len_(staging_len < max_recv ? staging_len : max_recv),
      keep_body_(m == mode::command), any_status_(m == mode::login)
{
}

reply_reader::~reply_reader() { mem::big_free(frame_, cap_); }

bool reply_reader::grow_to(std::size_t want)
{
    if (want <= cap_)
        return true;
    std::size_t cap = cap_ ? cap_ : first_block;
    while (cap < want)
        cap *= 2;
    if (cap > need_)
        cap = need_;
    auto *p = static_cast<std::uint8_t *>(mem::big_realloc(frame_, cap_, cap));
    if (!p)
        return false;
    frame_ = p;
    cap_ = cap;
    return true;
}

reply_reader::outcome reply_reader::read(net::socket_t s)
{
    // Header phase: receive into the staging buffer until the 4-byte length (and the status) is in.
    std::size_t staged = 0;
    while (staged < 5) {
        const long n = net::recv_some(s, staging_ + staged, staging_len_ - staged);
        if (n == 0)
            return outcome::closed;
        if (n < 0)
            return outcome::recv_error;
        staged += static_cast<std::size_t>(n);
        received_ = staged;
        if (staged >= 4) {
            std::uint32_t len = 0;
            std::memcpy(&len, staging_, 4);  // little-endian hosts only, as the wire format
            if (len == 0xFFFFFFFFu || len == 0)
                return outcome::malformed;
            need_ = static_cast<std::size_t>(len) + 4;
        }
    }
    status_ = staging_[4];
    if (status_ != 0 && status_ != 1 && !any_status_)
        return outcome::malformed;

    const std::size_t have = staged < need_ ? staged : need_;
    if (keep_body_) {
        if (!grow_to(need_ < first_block ? need_ : have))
            return outcome::malformed;
        std::memcpy(frame_, staging_, have);
    }
    received_ = have;
    while (received_ < need_) {
        std::size_t want = need_ - received_;
        if (want > max_recv)
            want = max_recv;
        std::uint8_t *dst = staging_;
        if (keep_body_) {
            if (!grow_to(received_ + want))
                return outcome::malformed;
            dst = frame_ + received_;
        }
        const long n = net::recv_some(s, dst, want);
        if (n == 0)
            return outcome::closed;
        if (n < 0)
            return outcome::recv_error;
        received_ += static_cast<std::size_t>(n);
    }
    if (status_ == 1)
        return outcome::failed_status;
    if (keep_body_) {
        body_ = frame_ + 5;
        body_len_ = need_ - 5;
    }
    return outcome::ok;
}

} // namespace vorn
