// Journal encoding: "VORNJNL" magic, version, base; records of length, CRC-32, type, payload.
#include "journal.h"

#include "binfile.h"

#include <cstring>

namespace devserver {

namespace {

const char journal_magic[8] = {'V', 'O', 'R', 'N', 'J', 'N', 'L', '\0'};
constexpr std::uint32_t journal_version = 1;

void put32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

std::uint32_t get32(const char* p)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(static_cast<unsigned char>(p[i])) << (8 * i);
    return v;
}

} // namespace

std::string journal_base_bytes(const journal_head& h)
{
    std::string out(1, char(h.base));
    put32(out, h.snapshot_crc);
    return out;
}

std::string journal_header(const journal_head& h)
{
    std::string out(journal_magic, 8);
    put32(out, journal_version);
    out += journal_base_bytes(h);
    return out;
}

void append_journal_record(std::string& out, char type, std::string_view payload)
{
    const std::size_t at = out.size();
    put32(out, std::uint32_t(payload.size() + 1));
    put32(out, 0);
    out += type;
    out.append(payload.data(), payload.size());
    const std::uint32_t crc = crc32(out.data() + at + 8, payload.size() + 1);
    for (int i = 0; i < 4; ++i)
        out[at + 4 + std::size_t(i)] = char((crc >> (8 * i)) & 0xFF);
}

std::string scan_journal(std::string_view data, journal_scan& out,
                         const std::function<std::string(char, std::string_view)>& each)
{
    out = journal_scan{};
    if (data.size() < journal_header_size || std::memcmp(data.data(), journal_magic, 8) != 0)
        return "not a journal";
    if (get32(data.data() + 8) != journal_version)
        return "unsupported journal version";
    const auto base = static_cast<unsigned char>(data[journal_base_offset]);
    if (base != std::uint8_t(journal_base::snapshot) && base != std::uint8_t(journal_base::after_old))
        return "not a journal";
    out.head.base = journal_base(base);
    out.head.snapshot_crc = get32(data.data() + journal_base_offset + 1);
    std::size_t pos = journal_header_size;
    out.intact_size = pos;
    while (data.size() - pos >= 9) {
        const std::uint32_t len = get32(data.data() + pos);
        if (len == 0 || len > max_journal_record || data.size() - pos - 8 < len)
            break;
        const char* body = data.data() + pos + 8;
        if (crc32(body, len) != get32(data.data() + pos + 4))
            break;
        const std::string err = each(body[0], std::string_view(body + 1, len - 1));
        if (!err.empty())
            return err;
        pos += 8 + std::size_t(len);
        out.intact_size = pos;
        ++out.records;
    }
    return {};
}

std::uint32_t snapshot_crc(std::string_view snapshot)
{
    return snapshot.size() < 4 ? 0 : get32(snapshot.data() + snapshot.size() - 4);
}

} // namespace devserver
