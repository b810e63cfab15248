// Framing of the wire protocol: incremental frame reading, the login request, reply headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace devserver {

constexpr std::uint32_t disconnect_length = 0xFFFFFFFFu;
constexpr std::uint32_t largest_frame = 0xFFFFFFFEu;

class frame_reader {
public:
    enum class state { need_more, frame, disconnect, too_large };
    // Frames longer than limit are too_large: they close the connection.
    explicit frame_reader(std::uint32_t limit = 256u << 20) : limit_(limit) {}
    void set_limit(std::uint32_t limit) { limit_ = limit; }
    void feed(const char* data, std::size_t n);
    // On state::frame the payload is moved into `payload`.
    state next(std::string& payload);
    // How many more bytes would complete the frame being read (a hint for the receive size).
    std::size_t buffered() const { return buf_.size() - pos_; }
    // Bytes of memory the reader holds.
    std::size_t held() const { return buf_.capacity(); }

private:
    std::string buf_;
    std::size_t pos_ = 0;
    std::size_t want_ = 0;   // bytes the frame being read needs in the buffer
    std::uint32_t limit_;
};

// Login payload: U(4) user, P(4) password; false when the lengths do not fit the payload.
bool parse_login(std::string_view payload, std::string& user, std::string& password);

// The five bytes in front of a reply body; false when the body is too large for a frame.
bool reply_header(bool ok, std::size_t body_size, char out[5]);

} // namespace devserver
