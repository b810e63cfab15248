// Request parsing and reply encoding of the cluster master; all integers little-endian.
#include "master_wire.h"

#include "wire.h"

namespace devmaster {

namespace {

template <typename T>
void put_le(std::string& out, T v)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(char((std::uint64_t(v) >> (8 * i)) & 0xFF));
}

template <typename T>
bool get_le(std::string_view in, std::size_t& pos, T& v)
{
    if (in.size() < pos || in.size() - pos < sizeof(T))
        return false;
    std::uint64_t r = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        r |= std::uint64_t(static_cast<unsigned char>(in[pos + i])) << (8 * i);
    v = T(r);
    pos += sizeof(T);
    return true;
}

bool get_text(std::string_view in, std::size_t& pos, std::string& s)
{
    std::uint32_t n = 0;
    if (!get_le(in, pos, n) || in.size() - pos < n)
        return false;
    s.assign(in.data() + pos, n);
    pos += n;
    return true;
}

void put_text(std::string& out, const std::string& s)
{
    put_le(out, std::uint32_t(s.size()));
    out += s;
}

} // namespace

void put_node(std::string& out, const node_record& n)
{
    put_text(out, n.name);
    put_text(out, n.ip);
    put_le(out, std::uint32_t(n.group));
    put_le(out, n.port);
    put_le(out, n.running);
    put_le(out, n.max_space);
    put_le(out, n.use_space);
}

bool get_node(std::string_view in, std::size_t& pos, node_record& n)
{
    std::uint32_t group = 0;
    if (!get_text(in, pos, n.name) || !get_text(in, pos, n.ip) || !get_le(in, pos, group) ||
        !get_le(in, pos, n.port) || !get_le(in, pos, n.running) || !get_le(in, pos, n.max_space) ||
        !get_le(in, pos, n.use_space))
        return false;
    n.group = std::int32_t(group);
    return true;
}

bool parse_request(std::string_view p, request& out, std::string& why)
{
    std::size_t pos = 0;
    std::uint16_t version = 0;
    std::uint8_t code = 0;
    if (!get_le(p, pos, version) || !get_le(p, pos, code)) {
        why = "short header";
        return false;
    }
    if (version != 1) {
        why = "header value " + std::to_string(version);
        return false;
    }
    std::uint8_t sub = 0;
    switch (code) {
    case std::uint8_t(op::shutdown):
        out.what = op::shutdown;
        break;
    case std::uint8_t(op::query):
        out.what = op::query;
        if (!get_le(p, pos, sub) || sub > 1 || !get_text(p, pos, out.name)) {
            why = "malformed query";
            return false;
        }
        out.all = sub == 0;
        break;
    case std::uint8_t(op::membership):
        out.what = op::membership;
        if (!get_le(p, pos, sub) || sub > 1 || !get_node(p, pos, out.node)) {
            why = "malformed membership";
            return false;
        }
        out.detach = sub == 1;
        break;
    default:
        why = "unknown operation " + std::to_string(code);
        return false;
    }
    if (pos != p.size()) {
        why = "trailing bytes";
        return false;
    }
    return true;
}

std::string reply_frame(bool ok, const std::string& body)
{
    char head[5];
    if (!devserver::reply_header(ok, ok ? body.size() : 0, head)) {
        // A body too large for one frame cannot be sent; the caller gets a plain failure.
        devserver::reply_header(false, 0, head);
        return std::string(head, sizeof head);
    }
    std::string out(head, sizeof head);
    if (ok)
        out += body;
    return out;
}

std::string names_body(const std::vector<std::string>& names)
{
    std::string out;
    put_le(out, std::uint64_t(names.size()));
    for (const auto& n : names)
        put_text(out, n);
    return out;
}

} // namespace devmaster
