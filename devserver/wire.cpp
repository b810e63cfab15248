// Frame reader and login parsing; everything here is fed raw bytes from the network.
#include "wire.h"

#include <algorithm>

namespace devserver {

namespace {
std::uint32_t le32(const char* p)
{
    return std::uint32_t(static_cast<unsigned char>(p[0])) | std::uint32_t(static_cast<unsigned char>(p[1])) << 8 |
           std::uint32_t(static_cast<unsigned char>(p[2])) << 16 | std::uint32_t(static_cast<unsigned char>(p[3])) << 24;
}
} // namespace

void frame_reader::feed(const char* data, std::size_t n)
{
    if (pos_ > 0 && pos_ >= buf_.size() / 2) {
        buf_.erase(0, pos_);
        want_ = want_ > pos_ ? want_ - pos_ : 0;
        pos_ = 0;
    }
    // Grow with the bytes that arrived, not with what a frame announces: a peer that sends
    // half of a large frame costs half of it (and a quarter more at most), not the whole.
    const std::size_t need = buf_.size() + n;
    if (need > buf_.capacity()) {
        std::size_t cap = std::max({need, buf_.capacity() + buf_.capacity() / 4, std::size_t(64 * 1024)});
        if (want_ >= need && cap > want_)
            cap = want_;
        // Reserved from empty: growing a string in place may double it past what was asked.
        std::string grown;
        grown.reserve(cap);
        grown.append(buf_);
        buf_.swap(grown);
    }
    buf_.append(data, n);
}

frame_reader::state frame_reader::next(std::string& payload)
{
    if (buf_.size() - pos_ < 4)
        return state::need_more;
    const std::uint32_t len = le32(buf_.data() + pos_);
    if (len == disconnect_length)
        return state::disconnect;
    if (len > limit_)
        return state::too_large;
    if (buf_.size() - pos_ - 4 < len) {
        want_ = pos_ + 4 + std::size_t(len);
        return state::need_more;
    }
    want_ = 0;
    if (pos_ == 0 && buf_.size() == 4 + std::size_t(len)) {
        // The usual case of one frame per receive: hand the buffer over instead of copying.
        buf_.erase(0, 4);
        payload = std::move(buf_);
        buf_.clear();
        return state::frame;
    }
    payload.assign(buf_, pos_ + 4, len);
    pos_ += 4 + std::size_t(len);
    if (pos_ == buf_.size()) {
        buf_.clear();
        pos_ = 0;
    }
    return state::frame;
}

bool parse_login(std::string_view p, std::string& user, std::string& password)
{
    if (p.size() < 4)
        return false;
    const std::uint32_t u = le32(p.data());
    if (p.size() - 4 < u || p.size() - 4 - u < 4)
        return false;
    const std::uint32_t w = le32(p.data() + 4 + u);
    if (p.size() - 8 - u != w)
        return false;
    user.assign(p.data() + 4, u);
    password.assign(p.data() + 8 + u, w);
    return true;
}

bool reply_header(bool ok, std::size_t body_size, char out[5])
{
    if (body_size >= std::size_t(disconnect_length) - 1)
        return false;
    const std::uint32_t len = std::uint32_t(body_size + 1);
    for (int i = 0; i < 4; ++i)
        out[i] = char((len >> (8 * i)) & 0xFF);
    out[4] = ok ? 0 : 1;
    return true;
}

} // namespace devserver
