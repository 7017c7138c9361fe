#pragma once

#include <expected>
#include <string>

namespace vask_base {

// A value or the finished, user-facing text of why it could not be had.
template <typename T>
using Result = std::expected<T, std::string>;

// Success without a value, or the failure text.
using Status = std::expected<void, std::string>;

inline std::unexpected<std::string> failure(std::string text) { return std::unexpected(std::move(text)); }

} // namespace vask_base
