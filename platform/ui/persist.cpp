#include "platform/ui/persist.hpp"

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/random.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <spdlog/spdlog.h>

#include "platform/base/hex.hpp"
#include "platform/ui/xdg_paths.hpp"

namespace vask_ui::persist {

namespace {
std::vector<std::uint8_t> random_actor()
{
    std::vector<std::uint8_t> bytes(16);
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        ssize_t n = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (n > 0)
            filled += std::size_t(n);
    }
    return bytes;
}
} // namespace

std::unique_ptr<StateDocument> open(const OpenOptions& options)
{
    auto doc = std::unique_ptr<StateDocument>(new StateDocument());
    std::filesystem::path folder = options.folder;
    if (folder.empty()) {
        if (auto state = xdg::state_dir())
            folder = *state / options.app_id;
    }
    if (!folder.empty())
        doc->m_file = folder / "state.json";

    if (!doc->m_file.empty()) {
        std::ifstream in(doc->m_file);
        std::stringstream text;
        text << in.rdbuf();
        auto json = nlohmann::json::parse(text.str(), nullptr, false);
        if (json.is_object()) {
            if (auto it = json.find("values"); it != json.end() && it->is_object())
                for (auto& [key, value] : it->items())
                    if (value.is_string())
                        doc->m_values[key] = value.get<std::string>();
        }
    }
    // Every opening is a new writer session with its own actor, as in a CRDT document; the
    // file records the last writer's actor only for reference.
    doc->m_actor = random_actor();
    return doc;
}

void StateDocument::set_actor(std::vector<std::uint8_t> actor)
{
    m_actor = std::move(actor);
    save();
}

std::optional<std::string> StateDocument::get(const std::string& key) const
{
    auto it = m_values.find(key);
    return it == m_values.end() ? std::nullopt : std::optional(it->second);
}

void StateDocument::set(const std::string& key, std::string value)
{
    m_values[key] = std::move(value);
    save();
}

void StateDocument::save() const
{
    if (m_file.empty())
        return;
    nlohmann::ordered_json json;
    json["actor"] = vask_base::to_hex(m_actor);
    json["values"] = m_values;
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    auto partial = m_file;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << json.dump(2) << '\n';
        if (!out) {
            spdlog::warn("could not write state document {}", partial.string());
            return;
        }
    }
    int fd = ::open(partial.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    std::filesystem::rename(partial, m_file, ec);
    if (ec)
        spdlog::warn("could not replace state document {}: {}", m_file.string(), ec.message());
}

} // namespace vask_ui::persist
