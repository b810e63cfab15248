// Builds the body of a successful reply: column names, kinds and rows in the result encoding.
#pragma once

#include "value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace devserver {

class result_writer {
public:
    // nrow must be the number of rows that follow; kinds are written only when it is not 0.
    result_writer(std::string& out, const std::vector<std::string>& names, const std::vector<kind>& kinds,
                  std::uint64_t nrow);
    void row_id(std::uint64_t sid) { u64(sid); }
    void fixed(const char* bytes, std::size_t n) { out_.append(bytes, n); }
    void str(const std::string& s);
    void u64(std::uint64_t v);
    void datetime(time_point tp);

private:
    std::string& out_;
};

} // namespace devserver
