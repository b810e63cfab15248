// The login payload and reply headers; parsing is fed raw bytes from the network.
#include "support/proto/wire.h"

#include <cstring>

namespace proto {

void put_login(char* out, std::string_view user, std::string_view password)
{
    put_le32(out, std::uint32_t(user.size()));
    if (!user.empty())
        std::memcpy(out + length_bytes, user.data(), user.size());
    out += length_bytes + user.size();
    put_le32(out, std::uint32_t(password.size()));
    if (!password.empty())
        std::memcpy(out + length_bytes, password.data(), password.size());
}

bool parse_login(std::string_view p, std::string_view& user, std::string_view& password)
{
    if (p.size() < length_bytes)
        return false;
    const std::uint32_t u = get_le32(p.data());
    if (p.size() - length_bytes < u || p.size() - length_bytes - u < length_bytes)
        return false;
    const std::uint32_t w = get_le32(p.data() + length_bytes + u);
    if (p.size() - 2 * length_bytes - u != w)
        return false;
    user = p.substr(length_bytes, u);
    password = p.substr(2 * length_bytes + u, w);
    return true;
}

bool reply_header(bool ok, std::size_t body_size, char out[reply_header_bytes])
{
    if (body_size >= std::size_t(disconnect_length) - 1)
        return false;
    put_le32(out, std::uint32_t(body_size + 1));
    out[length_bytes] = char(ok ? status_ok : status_failed);
    return true;
}

} // namespace proto
