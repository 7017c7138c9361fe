#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace file_explorer {

// The received-file service's answer to a shared-file link.
struct ReceivedAdmission {
    // Where the admitted share can be opened, and whether it is a single file.
    std::optional<std::filesystem::path> location;
    bool single_file = false;
};
// A failure carries its already translated text.
struct ReceivedFailure {
    std::string text;
};
using ReceivedAnswer = std::variant<ReceivedAdmission, ReceivedFailure>;

// Hands a trimmed shared-file link to the received-file service and waits for its answer.
ReceivedAnswer submit_received_link(const std::string& link);

} // namespace file_explorer
