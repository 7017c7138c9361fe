#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vask_base {

// The value of one hexadecimal digit (either case), or -1.
int hex_digit_value(char c);

// Lower-case hexadecimal text of `bytes`, two digits per byte.
std::string to_hex(std::span<const std::uint8_t> bytes);

// The bytes of hexadecimal `text` (either case), or none when its length is odd or a
// character is not a hexadecimal digit.
std::optional<std::vector<std::uint8_t>> from_hex(std::string_view text);

} // namespace vask_base
