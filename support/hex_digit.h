// Value of one hexadecimal digit, shared by the readers of \xHH escapes and hex transfers.
#pragma once

namespace ox {
// 0 to 15, or -1 when c is not a hexadecimal digit.
constexpr int hex_value(char c)
{
    return c >= '0' && c <= '9' ? c - '0'
         : c >= 'a' && c <= 'f' ? c - 'a' + 10
         : c >= 'A' && c <= 'F' ? c - 'A' + 10
         : -1;
}
}
