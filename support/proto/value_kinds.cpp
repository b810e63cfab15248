// Lookups into the table of value kinds.
#include "support/proto/value_kinds.h"

namespace proto {

bool kind_from_name(std::string_view name, kind& out)
{
    for (int i = 0; i < kind_count; ++i)
        if (name == kinds[i].name) {
            out = static_cast<kind>(i);
            return true;
        }
    return false;
}

bool kind_from_codes(std::uint8_t type, std::uint8_t sign, std::uint8_t size, kind& out)
{
    if (type > type_code::last)
        return false;
    if (type == type_code::integer) {
        sign = sign == sign_code::signed_int ? sign_code::signed_int : sign_code::unsigned_int;
        if (size > size_code::bytes8)
            size = size_code::bytes8;
    } else {
        sign = sign_code::not_integer;
        size = type == type_code::floating ? (size == size_code::bytes4 ? size_code::bytes4 : size_code::bytes8)
             : type == type_code::string   ? size_code::string
                                           : size_code::temporal;
    }
    for (int i = 0; i < kind_count; ++i)
        if (kinds[i].type_code == type && kinds[i].sign == sign && kinds[i].size_code == size) {
            out = static_cast<kind>(i);
            return true;
        }
    return false;
}

} // namespace proto
