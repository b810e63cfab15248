// Bytes as the server writes them, for the tests' stand-in servers: little-endian integers,
// frames (4-byte length, then the payload), replies (status byte, then the body) and the
// result-set bodies of successful replies. Works on std::vector<uint8_t> and on QByteArray.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using bytes = std::vector<std::uint8_t>;

namespace wire {
inline void append(bytes &out, const char *p, std::size_t n) { out.insert(out.end(), p, p + n); }
inline void append(QByteArray &out, const char *p, std::size_t n) { out.append(p, int(n)); }
template <class B> const char *data_of(const B &b) { return reinterpret_cast<const char *>(b.data()); }
} // namespace wire

template <class B> void put_le(B &out, std::uint64_t v, int width)
{
    for (int i = 0; i < width; ++i) {
        const char c = static_cast<char>((v >> (8 * i)) & 0xff);
        wire::append(out, &c, 1);
    }
}

template <class B = bytes> B le(std::uint64_t v, int width)
{
    B out;
    put_le(out, v, width);
    return out;
}

template <class B> B frame(const B &payload)
{
    B out = le<B>(payload.size(), 4);
    wire::append(out, wire::data_of(payload), std::size_t(payload.size()));
    return out;
}

template <class B = bytes> B reply(std::uint8_t status, const B &body = B())
{
    B payload;
    const char s = static_cast<char>(status);
    wire::append(payload, &s, 1);
    wire::append(payload, wire::data_of(body), std::size_t(body.size()));
    return frame(payload);
}

// The body of a successful command reply, as the server encodes a result set.
template <class B> class result_body {
public:
    // Kinds as (type_code, sign, size_code).
    result_body &col(const std::string &name, std::uint8_t type_code, std::uint8_t sign, std::uint8_t size_code)
    {
        cols_.push_back(column{ name, type_code, sign, size_code });
        return *this;
    }
    result_body &str_col(const std::string &name) { return col(name, 2, 2, 4); }
    result_body &datetime_col(const std::string &name) { return col(name, 5, 2, 5); }
    result_body &u64_col(const std::string &name) { return col(name, 0, 1, 3); }
    // Starts a row; its values follow in column order.
    result_body &row(std::uint64_t sid)
    {
        put_le(rows_, sid, 8);
        ++nrow_;
        return *this;
    }
    result_body &integer(std::uint64_t bits, int width)
    {
        put_le(rows_, bits, width);
        return *this;
    }
    result_body &f32(float v)
    {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        return integer(u, 4);
    }
    result_body &f64(double v)
    {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        return integer(u, 8);
    }
    result_body &str(const char *p, std::size_t n)
    {
        put_le(rows_, n, 2);
        wire::append(rows_, p, n);
        return *this;
    }
    result_body &str(const std::string &s) { return str(s.data(), s.size()); }
    result_body &str(const QByteArray &s) { return str(s.constData(), std::size_t(s.size())); }
    result_body &str(const char *s) { return str(s, std::strlen(s)); }
    result_body &date(int y, int m, int d)
    {
        put_le(rows_, std::uint64_t(y), 2);
        put_le(rows_, std::uint64_t(m), 1);
        return integer(std::uint64_t(d), 1);
    }
    result_body &time(int h, int mi, int s, std::uint32_t ns)
    {
        put_le(rows_, std::uint64_t(h), 1);
        put_le(rows_, std::uint64_t(mi), 1);
        put_le(rows_, std::uint64_t(s), 1);
        return integer(ns, 4);
    }
    result_body &datetime(int y, int m, int d, int h, int mi, int s, std::uint32_t ns)
    {
        date(y, m, d);
        return time(h, mi, s, ns);
    }
    B build() const
    {
        B out = le<B>(cols_.size(), 8);
        for (const column &c : cols_) {
            put_le(out, c.name.size(), 8);
            wire::append(out, c.name.data(), c.name.size());
        }
        put_le(out, nrow_, 8);
        if (nrow_ > 0) {
            for (const column &c : cols_) {
                put_le(out, c.size_code, 1);
                put_le(out, c.sign, 1);
                put_le(out, c.type_code, 1);
            }
            wire::append(out, wire::data_of(rows_), std::size_t(rows_.size()));
        }
        return out;
    }

private:
    struct column {
        std::string name;
        std::uint8_t type_code, sign, size_code;
    };
    std::vector<column> cols_;
    B rows_;
    std::uint64_t nrow_ = 0;
};

// The reply that accepts a login.
inline bytes login_ok() { return reply(0); }
