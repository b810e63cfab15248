// Result encoding: ncol, names, nrow, then (only with rows) the kind triples and the rows.
#include "result_writer.h"

namespace devserver {

result_writer::result_writer(std::string& out, const std::vector<std::string>& names,
                             const std::vector<kind>& kinds, std::uint64_t nrow)
    : out_(out)
{
    u64(names.size());
    for (const auto& n : names) {
        u64(n.size());
        out_ += n;
    }
    u64(nrow);
    if (nrow == 0)
        return;
    for (kind k : kinds) {
        const kind_info& ki = info(k);
        out_ += char(ki.size_code);
        out_ += char(ki.sign);
        out_ += char(ki.type_code);
    }
}

void result_writer::u64(std::uint64_t v)
{
    char b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    out_.append(b, 8);
}

void result_writer::str(const std::string& s)
{
    // Stored strings never exceed the 16-bit length of the wire.
    const std::size_t n = s.size() > 65535 ? 65535 : s.size();
    out_ += char(n & 0xFF);
    out_ += char(n >> 8);
    out_.append(s.data(), n);
}

void result_writer::datetime(time_point tp)
{
    char b[11];
    put_datetime(b, to_civil(tp));
    out_.append(b, 11);
}

} // namespace devserver
