#include "fileops/fileops_fixtures.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileops_test {

namespace fs = std::filesystem;

TmpfsMount::TmpfsMount(std::string_view size)
{
    std::string pattern = (fs::temp_directory_path() / "files-tmpfs-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        m_error = std::strerror(errno);
        return;
    }
    m_path = pattern;
    std::string options = "size=" + std::string(size) + ",mode=0777";
    if (::mount("tmpfs", m_path.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        m_error = std::strerror(errno);
        return;
    }
    m_mounted = true;
}

TmpfsMount::~TmpfsMount()
{
    if (m_mounted)
        ::umount2(m_path.c_str(), MNT_DETACH);
    if (!m_path.empty())
        ::rmdir(m_path.c_str());
}

std::vector<std::string> names_in(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().native());
    std::sort(names.begin(), names.end());
    return names;
}

bool has_staging_entry(const fs::path& folder)
{
    auto names = names_in(folder);
    return std::any_of(names.begin(), names.end(),
                       [](const std::string& name) { return name.starts_with(".vask-transfer-"); });
}

void write_pattern_file(const fs::path& path, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string block(1 << 20, '\0');
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = char('a' + i % 23);
    for (std::size_t written = 0; written < size;) {
        std::size_t n = std::min(block.size(), size - written);
        out.write(block.data(), std::streamsize(n));
        written += n;
    }
}

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::pair<unsigned long, unsigned long> device_inode(const fs::path& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return {0, 0};
    return {st.st_dev, st.st_ino};
}

} // namespace fileops_test
