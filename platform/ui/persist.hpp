#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vask_ui::persist {

// Where to keep an application's state document.
struct OpenOptions {
    std::string app_id;
    // The folder holding the document; empty means the user's state folder for the application.
    std::filesystem::path folder;
};

// A small document of named text values that survives restarts, written atomically on each change.
// Each writing session has an actor id naming it; the file keeps the last writer's.
class StateDocument {
public:
    const std::vector<std::uint8_t>& actor() const { return m_actor; }
    void set_actor(std::vector<std::uint8_t> actor);

    std::optional<std::string> get(const std::string& key) const;
    void set(const std::string& key, std::string value);

    const std::filesystem::path& file() const { return m_file; }

private:
    friend std::unique_ptr<StateDocument> open(const OpenOptions& options);
    void save() const;

    std::filesystem::path m_file;
    std::vector<std::uint8_t> m_actor;
    std::map<std::string, std::string> m_values;
};

// Opens (or starts) the document with a fresh random 16-byte actor id for this session. Unreadable or
// invalid stored files are replaced rather than failing the launch.
std::unique_ptr<StateDocument> open(const OpenOptions& options);

} // namespace vask_ui::persist
