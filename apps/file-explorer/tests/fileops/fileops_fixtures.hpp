#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fileops_test {

// A tmpfs of `size` (mount option text, e.g. "4m") mounted on a fresh folder, unmounted when
// dropped. is_mounted() is false when mounting is not allowed here.
class TmpfsMount {
  public:
    explicit TmpfsMount(std::string_view size);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool is_mounted() const { return m_mounted; }
    const std::filesystem::path& path() const { return m_path; }
    const std::string& error() const { return m_error; }

  private:
    std::filesystem::path m_path;
    bool m_mounted = false;
    std::string m_error;
};

// The names inside `folder` (raw bytes), sorted.
std::vector<std::string> names_in(const std::filesystem::path& folder);

// True when some name inside `folder` begins with ".vask-transfer-".
bool has_staging_entry(const std::filesystem::path& folder);

// Writes `size` bytes of a repeating pattern to `path`.
void write_pattern_file(const std::filesystem::path& path, std::size_t size);

// The whole content of a file ("" when it cannot be read).
std::string read_file(const std::filesystem::path& path);

// The device and inode of `path`, not following a final link.
std::pair<unsigned long, unsigned long> device_inode(const std::filesystem::path& path);

} // namespace fileops_test
