// Times listing a folder: "ours" reads and sorts it as the explorer does, "bare" is the least a
// lister can do (getdents64 plus one statx per entry, no names kept). Prints the first run's time
// (a fresh process: every page of the listing is new memory) and the median of the later runs (a
// warm process re-listing, as the explorer's polling does), in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "model/listing.hpp"
#include "platform/base/fd.hpp"

namespace {

std::size_t bare(const char* folder)
{
    auto dir = vask_base::open_directory(AT_FDCWD, folder);
    if (!dir)
        return 0;
    std::size_t count = 0;
    std::uint64_t total = 0;
    vask_base::DirectoryStream stream(dir->get());
    stream.for_each([&](std::string_view name, unsigned char) {
        char z[256];
        std::memcpy(z, name.data(), name.size());
        z[name.size()] = 0;
        struct statx st;
        if (::statx(dir->get(), z, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_TYPE | STATX_SIZE | STATX_MTIME, &st) == 0)
            total += st.stx_size;
        ++count;
    });
    return count + (total == 1 ? 1 : 0);
}

std::size_t ours(const char* folder)
{
    auto listing = file_explorer::read_local_directory_in_roots(folder, {});
    if (!listing)
        return 0;
    file_explorer::filter_hidden(*listing);
    file_explorer::sort_entries(*listing, file_explorer::SortKey::Name, file_explorer::SortOrder::Ascending);
    return listing->size();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_listing ours|bare FOLDER [RUNS]\n");
        return 2;
    }
    bool use_ours = std::strcmp(argv[1], "ours") == 0;
    int runs = argc > 3 ? std::atoi(argv[3]) : 7;
    std::vector<double> times;
    std::size_t count = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        count = use_ours ? ours(argv[2]) : bare(argv[2]);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    double first = times.front();
    std::sort(times.begin() + 1, times.end());
    double warm = times.size() > 1 ? times[1 + (times.size() - 1) / 2] : first;
    std::printf("%.2f %.2f %zu\n", first, warm, count);
    return 0;
}
