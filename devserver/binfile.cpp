// Binary table and backup files. Every number is little-endian; the CRC-32 covers all bytes
// before it, so a damaged or cut file is refused before anything is built from it.
#include "binfile.h"

#include <cstring>

namespace devserver {

namespace {

const char table_magic[8] = {'V', 'O', 'R', 'N', 'T', 'A', 'B', '\0'};
const char backup_magic[8] = {'V', 'O', 'R', 'N', 'D', 'B', 'K', '\0'};
constexpr std::uint32_t format_version = 1;

void put(std::string& out, std::uint64_t v, int n)
{
    for (int i = 0; i < n; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

class reader {
public:
    explicit reader(std::string_view d) : d_(d) {}
    bool get(std::uint64_t& v, int n)
    {
        if (d_.size() - pos_ < std::size_t(n))
            return false;
        v = 0;
        for (int i = 0; i < n; ++i)
            v |= std::uint64_t(static_cast<unsigned char>(d_[pos_ + std::size_t(i)])) << (8 * i);
        pos_ += std::size_t(n);
        return true;
    }
    bool bytes(std::size_t n, std::string& out)
    {
        if (d_.size() - pos_ < n)
            return false;
        out.assign(d_.data() + pos_, n);
        pos_ += n;
        return true;
    }
    bool at_end() const { return pos_ == d_.size(); }

private:
    std::string_view d_;
    std::size_t pos_ = 0;
};

void encode_table(std::string& out, const table& tab)
{
    put(out, tab.fields().size(), 4);
    for (const auto& f : tab.fields()) {
        put(out, f.name.size(), 2);
        out += f.name;
        put(out, std::uint64_t(f.type), 1);
    }
    put(out, tab.next_id(), 8);
    put(out, tab.rows(), 8);
    for (std::size_t r = 0; r < tab.rows(); ++r) {
        const time_point tp = tab.time_at(r);
        put(out, std::uint64_t(tp.sec), 8);
        put(out, tp.ns, 4);
        put(out, tab.id_at(r), 8);
        for (std::size_t f = 0; f < tab.fields().size(); ++f) {
            const column& c = tab.col(f);
            if (c.width()) {
                out.append(c.fixed_at(r), c.width());
            } else {
                put(out, c.string_at(r).size(), 2);
                out += c.string_at(r);
            }
        }
    }
}

bool decode_table(reader& in, std::shared_ptr<table>& out)
{
    std::uint64_t nf, v;
    if (!in.get(nf, 4) || nf > max_fields)
        return false;
    std::vector<field> fields;
    for (std::uint64_t i = 0; i < nf; ++i) {
        field f;
        if (!in.get(v, 2) || !in.bytes(std::size_t(v), f.name) || !valid_name(f.name) || !in.get(v, 1) || v >= std::uint64_t(proto::kind_count))
            return false;
        f.type = static_cast<kind>(v);
        for (const auto& g : fields)
            if (g.name == f.name)
                return false;
        fields.push_back(f);
    }
    auto tab = std::make_shared<table>(fields);
    std::uint64_t next_id, nrows;
    if (!in.get(next_id, 8) || !in.get(nrows, 8))
        return false;
    const time_point lo = min_time_point(), hi = max_time_point();
    std::vector<std::string> values(fields.size());
    for (std::uint64_t r = 0; r < nrows; ++r) {
        std::uint64_t sec, ns, id;
        if (!in.get(sec, 8) || !in.get(ns, 4) || !in.get(id, 8) || ns > 999999999)
            return false;
        const time_point tp{std::int64_t(sec), std::uint32_t(ns)};
        if (tp < lo || hi < tp)
            return false;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const std::size_t w = info(fields[f].type).width;
            if (w) {
                if (!in.bytes(w, values[f]))
                    return false;
            } else if (!in.get(v, 2) || !in.bytes(std::size_t(v), values[f])) {
                return false;
            }
        }
        tab->push_with_id(tp, id, values);
    }
    if (next_id > tab->next_id())
        tab->set_next_id(next_id);
    out = std::move(tab);
    return true;
}

void seal(std::string& out)
{
    put(out, crc32(out.data(), out.size()), 4);
}

// Checks magic, version and CRC; yields the reader over the content.
std::string open_file(std::string_view data, const char magic[8], std::string_view& content)
{
    if (data.size() < 16 || std::memcmp(data.data(), magic, 8) != 0)
        return "not a file of this kind";
    reader tail(data.substr(data.size() - 4));
    std::uint64_t crc, version;
    tail.get(crc, 4);
    if (crc32(data.data(), data.size() - 4) != crc)
        return "file damaged (checksum mismatch)";
    reader head(data.substr(8, 4));
    head.get(version, 4);
    if (version != format_version)
        return "unsupported file version " + std::to_string(version);
    content = data.substr(12, data.size() - 16);
    return {};
}

} // namespace

std::uint32_t crc32(const char* data, std::size_t n)
{
    // Eight table lookups per eight bytes: every journal record and file is checked with it.
    static std::uint32_t table[8][256];
    static const bool ready = [] {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[0][i] = c;
        }
        for (std::uint32_t i = 0; i < 256; ++i)
            for (int t = 1; t < 8; ++t)
                table[t][i] = (table[t - 1][i] >> 8) ^ table[0][table[t - 1][i] & 0xFF];
        return true;
    }();
    (void)ready;
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    std::uint32_t c = 0xFFFFFFFFu;
    for (; n >= 8; n -= 8, p += 8) {
        const std::uint32_t lo = c ^ (std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                                      std::uint32_t(p[3]) << 24);
        c = table[7][lo & 0xFF] ^ table[6][(lo >> 8) & 0xFF] ^ table[5][(lo >> 16) & 0xFF] ^ table[4][lo >> 24] ^
            table[3][p[4]] ^ table[2][p[5]] ^ table[1][p[6]] ^ table[0][p[7]];
    }
    for (; n > 0; --n, ++p)
        c = table[0][(c ^ *p) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::string encode_table_file(const table& tab)
{
    std::string out(table_magic, 8);
    put(out, format_version, 4);
    encode_table(out, tab);
    seal(out);
    return out;
}

std::string decode_table_file(std::string_view data, std::shared_ptr<table>& out)
{
    std::string_view content;
    std::string err = open_file(data, table_magic, content);
    if (!err.empty())
        return err;
    reader in(content);
    std::shared_ptr<table> tab;
    if (!decode_table(in, tab) || !in.at_end())
        return "file damaged (bad contents)";
    out = std::move(tab);
    return {};
}

std::string encode_backup_file(const database& db)
{
    std::string out(backup_magic, 8);
    put(out, format_version, 4);
    put(out, db.size(), 4);
    for (const auto& [name, tab] : db) {
        put(out, name.size(), 2);
        out += name;
        encode_table(out, *tab);
    }
    seal(out);
    return out;
}

std::string decode_backup_file(std::string_view data, database& out)
{
    std::string_view content;
    std::string err = open_file(data, backup_magic, content);
    if (!err.empty())
        return err;
    reader in(content);
    std::uint64_t n, len;
    if (!in.get(n, 4))
        return "file damaged (bad contents)";
    database db;
    for (std::uint64_t i = 0; i < n; ++i) {
        std::string name;
        std::shared_ptr<table> tab;
        if (!in.get(len, 2) || !in.bytes(std::size_t(len), name) || !valid_name(name) || db.count(name) ||
            !decode_table(in, tab))
            return "file damaged (bad contents)";
        db[name] = std::move(tab);
    }
    if (!in.at_end())
        return "file damaged (bad contents)";
    out = std::move(db);
    return {};
}

} // namespace devserver
