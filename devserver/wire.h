// Framing of the wire protocol: incremental frame reading, the login request, reply headers.
#pragma once

#include "support/proto/wire.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace devserver {

using proto::disconnect_length;
using proto::largest_frame;

class frame_reader {
public:
    enum class state { need_more, frame, disconnect, too_large };
    // Frames longer than limit are too_large: they close the connection.
    explicit frame_reader(std::uint32_t limit = proto::default_request_limit) : limit_(limit) {}
    ~frame_reader();
    frame_reader(frame_reader&& other) noexcept;
    frame_reader& operator=(frame_reader&& other) noexcept;
    frame_reader(const frame_reader&) = delete;
    frame_reader& operator=(const frame_reader&) = delete;
    void set_limit(std::uint32_t limit) { limit_ = limit; }
    // Throws std::bad_alloc when the buffer cannot grow.
    void feed(const char* data, std::size_t n);
    // Room for receiving straight into the buffer: at least `least` bytes, more when the
    // buffer has them free (up to what the frame being read still lacks); `n` tells how many.
    // received() then counts what arrived. Invalidates payload views as feed() does.
    char* receive_room(std::size_t least, std::size_t& n);
    void received(std::size_t n) { size_ += n; }
    // On state::frame `payload` views the frame inside the reader's buffer: valid until the
    // next feed() or release_if_idle(). A large command is thus never copied on its way in.
    state next(std::string_view& payload);
    // The same, with the payload copied out.
    state next(std::string& payload);
    // How many more bytes would complete the frame being read (a hint for the receive size).
    std::size_t buffered() const { return size_ - pos_; }
    // Bytes of memory the reader holds.
    std::size_t held() const { return cap_; }
    // Gives a large buffer back when no byte waits in it: an idle connection keeps none.
    void release_if_idle();

private:
    // Makes room for n more bytes after the data.
    void make_room(std::size_t n);
    // The buffer grows in place where the allocator can (a large one is remapped, not copied).
    char* buf_ = nullptr;
    std::size_t size_ = 0, cap_ = 0;
    std::size_t pos_ = 0;
    std::size_t want_ = 0;   // bytes the frame being read needs in the buffer
    std::uint32_t limit_;
};

// Login payload: U(4) user, P(4) password; false when the lengths do not fit the payload.
bool parse_login(std::string_view payload, std::string& user, std::string& password);

// The five bytes in front of a reply body; false when the body is too large for a frame.
bool reply_header(bool ok, std::size_t body_size, char out[5]);

} // namespace devserver
