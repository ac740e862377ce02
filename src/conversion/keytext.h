// Small text helpers of the key = value files of a conversion set (the
// conversion table and the set file): ASCII case-insensitive comparison and
// the split of a line at its first "=".
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// True when a and b are equal with ASCII letter case ignored (other bytes,
// those of double-byte characters included, compare exactly).
inline bool EqualsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// Splits line at its first "=" ("=" is never the trail byte of a double-byte
// character). false, with key and value empty, when the line has no "=".
inline bool SplitKeyValue(std::string_view line, std::string_view& key, std::string_view& value)
{
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        key = {};
        value = {};
        return false;
    }
    key = line.substr(0, eq);
    value = line.substr(eq + 1);
    return true;
}

} // namespace lexicana
