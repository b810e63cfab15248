// Our binary file format for one table or a whole database: magic, version, schema, rows, CRC-32.
#pragma once

#include "table.h"

#include <string>
#include <string_view>

namespace devserver {

std::uint32_t crc32(const char* data, std::size_t n);

std::string encode_table_file(const table& tab);
// Empty on success; a damaged file yields an error and leaves `out` untouched.
std::string decode_table_file(std::string_view data, std::shared_ptr<table>& out);

std::string encode_backup_file(const database& db);
std::string decode_backup_file(std::string_view data, database& out);

} // namespace devserver
