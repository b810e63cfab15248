// Journal encoding: "VORNJNL" magic, version, base, header check; records of length, body CRC,
// head check (version 2), type, payload. Reading resynchronises after damage.
#include "journal.h"

#include "binfile.h"

#include <cstring>

namespace devserver {

namespace {

const char journal_magic[8] = {'V', 'O', 'R', 'N', 'J', 'N', 'L', '\0'};
constexpr std::uint32_t journal_version = 2;
constexpr std::size_t v1_header_size = 17;

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

bool known_type(char c) { return c == 'C' || c == 'M' || c == 'R' || c == 'A'; }

// The record starting at pos when it is intact; its whole size in `size`.
bool record_at(std::string_view d, std::size_t pos, int version, std::size_t& size)
{
    const std::size_t head = version == 1 ? 8 : 12;
    if (d.size() - pos < head + 1)
        return false;
    const std::uint32_t len = get32(d.data() + pos);
    if (len == 0 || len > max_journal_record || d.size() - pos - head < len)
        return false;
    if (version != 1 && crc32(d.data() + pos, 8) != get32(d.data() + pos + 8))
        return false;
    const char* body = d.data() + pos + head;
    if (!known_type(body[0]) || crc32(body, len) != get32(d.data() + pos + 4))
        return false;
    size = head + len;
    return true;
}

} // namespace

std::string journal_base_bytes(const journal_head& h)
{
    std::string head(journal_magic, 8);
    put32(head, journal_version);
    head += char(h.base);
    put32(head, h.snapshot_crc);
    put32(head, crc32(head.data(), head.size()));
    return head.substr(journal_base_offset);
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
    put32(out, 0);
    out += type;
    out.append(payload.data(), payload.size());
    const std::uint32_t crc = crc32(out.data() + at + 12, payload.size() + 1);
    for (int i = 0; i < 4; ++i)
        out[at + 4 + std::size_t(i)] = char((crc >> (8 * i)) & 0xFF);
    const std::uint32_t check = crc32(out.data() + at, 8);
    for (int i = 0; i < 4; ++i)
        out[at + 8 + std::size_t(i)] = char((check >> (8 * i)) & 0xFF);
}

journal_layout read_journal(std::string_view d)
{
    journal_layout out;
    out.empty = d.find_first_not_of('\0') == std::string_view::npos;
    if (out.empty)
        return out;
    // A damaged header still tells the version when that field survived; else the records
    // are read as this version writes them.
    std::uint32_t version = d.size() >= 12 ? get32(d.data() + 8) : 0;
    if (version != 1 && version != 2)
        version = journal_version;
    out.version = int(version);
    const std::size_t header = version == 1 ? v1_header_size : journal_header_size;
    if (d.size() >= header && std::memcmp(d.data(), journal_magic, 8) == 0) {
        const auto base = static_cast<unsigned char>(d[journal_base_offset]);
        const bool base_ok = base == std::uint8_t(journal_base::snapshot) || base == std::uint8_t(journal_base::after_old);
        const bool check_ok = version == 1 || crc32(d.data(), 17) == get32(d.data() + 17);
        out.header_ok = base_ok && check_ok && get32(d.data() + 8) == version;
        out.head.base = journal_base(base);
        out.head.snapshot_crc = get32(d.data() + journal_base_offset + 1);
    }
    std::size_t pos = std::min(header, d.size());
    out.intact_end = pos;
    while (pos < d.size()) {
        std::size_t size = 0;
        if (record_at(d, pos, int(version), size)) {
            const std::size_t head = version == 1 ? 8 : 12;
            const char* body = d.data() + pos + head;
            out.records.push_back({pos, pos + size, body[0], std::string_view(body + 1, size - head - 1)});
            pos += size;
            if (out.damage.empty())
                out.intact_end = pos;
            else
                ++out.damage.back().records_after;
            continue;
        }
        const std::size_t last = d.find_last_not_of('\0');
        if (last == std::string_view::npos || last < pos)
            break;   // the zeros allocated ahead: the end
        // Damage: the next intact record (if any) is where reading goes on.
        std::size_t next = pos + 1;
        while (next <= last && !record_at(d, next, int(version), size))
            ++next;
        out.damage.push_back({pos, (next <= last ? next : last + 1) - pos, 0});
        pos = next <= last ? next : d.size();
    }
    // Records after a stretch count for every stretch before it too.
    for (std::size_t i = out.damage.size(); i-- > 1;)
        out.damage[i - 1].records_after += out.damage[i].records_after;
    return out;
}

std::uint32_t snapshot_crc(std::string_view snapshot)
{
    return snapshot.size() < 4 ? 0 : get32(snapshot.data() + snapshot.size() - 4);
}

} // namespace devserver
