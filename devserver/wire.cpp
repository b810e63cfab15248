// Frame reader and login parsing; everything here is fed raw bytes from the network.
#include "wire.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace devserver {

frame_reader::~frame_reader() { std::free(buf_); }

frame_reader::frame_reader(frame_reader&& o) noexcept
    : buf_(o.buf_), size_(o.size_), cap_(o.cap_), pos_(o.pos_), want_(o.want_), limit_(o.limit_)
{
    o.buf_ = nullptr;
    o.size_ = o.cap_ = o.pos_ = o.want_ = 0;
}

frame_reader& frame_reader::operator=(frame_reader&& o) noexcept
{
    if (this != &o) {
        std::free(buf_);
        buf_ = o.buf_;
        size_ = o.size_;
        cap_ = o.cap_;
        pos_ = o.pos_;
        want_ = o.want_;
        limit_ = o.limit_;
        o.buf_ = nullptr;
        o.size_ = o.cap_ = o.pos_ = o.want_ = 0;
    }
    return *this;
}

void frame_reader::make_room(std::size_t n)
{
    if (pos_ > 0 && pos_ >= size_ / 2) {
        std::memmove(buf_, buf_ + pos_, size_ - pos_);
        size_ -= pos_;
        want_ = want_ > pos_ ? want_ - pos_ : 0;
        pos_ = 0;
    }
    // Grow with the bytes that arrived, not with what a frame announces: a peer that sends
    // half of a large frame costs half of it (and a quarter more at most), not the whole.
    const std::size_t need = size_ + n;
    if (need > cap_) {
        std::size_t cap = std::max({need, cap_ + cap_ / 4, std::size_t(64 * 1024)});
        if (want_ >= need && cap > want_)
            cap = want_;
        char* grown = static_cast<char*>(std::realloc(buf_, cap));
        if (!grown)
            throw std::bad_alloc();
        buf_ = grown;
        cap_ = cap;
    }
}

void frame_reader::feed(const char* data, std::size_t n)
{
    make_room(n);
    if (n > 0)
        std::memcpy(buf_ + size_, data, n);
    size_ += n;
}

char* frame_reader::receive_room(std::size_t least, std::size_t& n)
{
    make_room(least);
    n = cap_ - size_;
    if (want_ > size_ + least && n > want_ - size_)
        n = want_ - size_;
    else if (want_ <= size_ + least)
        n = least;   // past the frame: a few bytes of the next are fine, no more
    return buf_ + size_;
}

frame_reader::state frame_reader::next(std::string_view& payload)
{
    if (size_ - pos_ < 4)
        return state::need_more;
    const std::uint32_t len = proto::get_le32(buf_ + pos_);
    if (len == disconnect_length)
        return state::disconnect;
    if (len > limit_)
        return state::too_large;
    if (size_ - pos_ - 4 < len) {
        want_ = pos_ + 4 + std::size_t(len);
        return state::need_more;
    }
    want_ = 0;
    payload = std::string_view(buf_ + pos_ + 4, len);
    pos_ += 4 + std::size_t(len);
    if (pos_ == size_)
        size_ = pos_ = 0;   // the bytes stay where they are until the next feed
    return state::frame;
}

frame_reader::state frame_reader::next(std::string& payload)
{
    std::string_view view;
    const state s = next(view);
    if (s == state::frame)
        payload.assign(view.data(), view.size());
    return s;
}

void frame_reader::release_if_idle()
{
    if (size_ == pos_ && cap_ > (1u << 20)) {
        std::free(buf_);
        buf_ = nullptr;
        size_ = cap_ = pos_ = want_ = 0;
    }
}

bool parse_login(std::string_view p, std::string& user, std::string& password)
{
    std::string_view u, w;
    if (!proto::parse_login(p, u, w))
        return false;
    user.assign(u.data(), u.size());
    password.assign(w.data(), w.size());
    return true;
}

bool reply_header(bool ok, std::size_t body_size, char out[5]) { return proto::reply_header(ok, body_size, out); }

} // namespace devserver
