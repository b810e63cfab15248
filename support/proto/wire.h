// Frames and the login: a 4-byte little-endian length before every payload, a status byte
// before every reply body, and the login payload's layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace proto {

constexpr std::size_t length_bytes = 4;
// The length that tells the peer the connection ends; every other length is a frame's.
constexpr std::uint32_t disconnect_length = 0xFFFFFFFFu;
constexpr std::uint32_t largest_frame = 0xFFFFFFFEu;
// A reply body follows one status byte: 0 for success, 1 for a refusal (its body the reason).
constexpr std::size_t reply_header_bytes = length_bytes + 1;
constexpr std::uint8_t status_ok = 0, status_failed = 1;
// How much of a reply a client receives at a time.
constexpr std::size_t receive_size = 0x80000;
// The largest request frame the server takes unless told otherwise.
constexpr std::uint32_t default_request_limit = 256u << 20;

inline void put_le32(unsigned char* out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>(v >> (8 * i));
}
inline std::uint32_t get_le32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
inline void put_le32(char* out, std::uint32_t v) { put_le32(reinterpret_cast<unsigned char*>(out), v); }
inline std::uint32_t get_le32(const char* p) { return get_le32(reinterpret_cast<const unsigned char*>(p)); }

// The login payload: the user's length and bytes, then the password's.
constexpr std::size_t login_payload_size(std::size_t user_len, std::size_t password_len)
{
    return 2 * length_bytes + user_len + password_len;
}
// Writes the payload (login_payload_size bytes) at out.
void put_login(char* out, std::string_view user, std::string_view password);
// Splits a login payload; false when the lengths do not fit it exactly.
bool parse_login(std::string_view payload, std::string_view& user, std::string_view& password);

// The bytes in front of a reply body; false when the body is too large for a frame.
bool reply_header(bool ok, std::size_t body_size, char out[reply_header_bytes]);

} // namespace proto
