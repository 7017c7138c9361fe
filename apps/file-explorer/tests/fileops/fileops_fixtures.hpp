#pragma once

#include <filesystem>
#include <map>
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

// Relative path → file content, "<dir>" or "<link>", for every item below `root`.
std::map<std::string, std::string> tree_of(const std::filesystem::path& root);

// The device and inode of `path`, not following a final link.
std::pair<unsigned long, unsigned long> device_inode(const std::filesystem::path& path);

// Moves this process into a private mount namespace (once; later calls report the first outcome),
// so mounts it makes afterwards are invisible to tests running in parallel and theirs to it.
// False with `error` set when that is not allowed here.
bool isolate_mounts(std::string& error);

// What a finished program printed and how it ended.
struct ProgramRun {
    int exit_code = -1; // -1 when it could not be started or did not exit normally
    std::string out;
    std::string err;
};

// Runs `argv` (argv[0] looked up in PATH, no shell) with this process's environment, feeding
// `input` on its standard input, and waits for it.
ProgramRun run_program(const std::vector<std::string>& argv, std::string_view input = {});

} // namespace fileops_test
