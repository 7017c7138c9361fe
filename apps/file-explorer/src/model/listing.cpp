#include "model/listing.hpp"

#include <algorithm>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>

#include "model/mime_types.hpp"
#include "model/sync_facets.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/fd.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {


vask_base::Result<Listing> read_local_directory(const std::filesystem::path& folder)
{
    return read_local_directory_in_roots(folder, workspace_roots());
}

vask_base::Result<Listing> read_local_directory_in_roots(const std::filesystem::path& folder,
                                                         const std::vector<std::filesystem::path>& roots)
{
    const bool with_facets = is_inside_roots(folder, roots);
    auto dir = vask_base::open_directory(AT_FDCWD, folder.c_str());
    if (!dir)
        return vask_base::failure(dir.error());

    Listing entries;
    // A directory's size on ext4, btrfs and tmpfs grows with its entries; reserving from it saves
    // moving a large listing several times while it grows.
    struct stat folder_status;
    if (::fstat(dir->get(), &folder_status) == 0)
        entries.reserve(std::clamp<std::size_t>(std::size_t(folder_status.st_size) / 32, 16, 1 << 20));
    vask_base::DirectoryStream stream(dir->get());
    std::string base = folder.native();
    if (base.empty() || base.back() != '/')
        base.push_back('/');
    stream.for_each([&](std::string_view name, unsigned char) {
        DirectoryEntry entry;
        struct statx st;
        // Names from the directory stream end in a NUL, so they can be passed as they are.
        if (::statx(dir->get(), name.data(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                    STATX_TYPE | STATX_SIZE | STATX_MTIME, &st) == 0) {
            entry.size = st.stx_size;
            entry.is_dir = (st.stx_mask & STATX_TYPE) && S_ISDIR(st.stx_mode);
            if (st.stx_mask & STATX_MTIME)
                entry.modified = FileTime{st.stx_mtime.tv_sec, st.stx_mtime.tv_nsec};
        }
        entry.path_bytes.reserve(base.size() + name.size());
        entry.path_bytes.append(base).append(name);
        entry.mime_type = mime_type_for_name(name);
        entry.name = vask_base::lossy_utf8(name);
        if (with_facets)
            read_sync_facets(dir->get(), name.data(), entry);
        entries.push_back(std::move(entry));
    });
    return entries;
}

void filter_hidden(Listing& entries)
{
    std::erase_if(entries, [](const DirectoryEntry& e) { return e.name.starts_with('.'); });
}

namespace {

template <typename Key>
std::vector<std::size_t> sorted_order(const Listing& entries, const std::vector<Key>& keys, SortOrder order)
{
    std::vector<std::size_t> index(entries.size());
    std::iota(index.begin(), index.end(), 0);
    const bool descending = order == SortOrder::Descending;
    std::stable_sort(index.begin(), index.end(), [&](std::size_t a, std::size_t b) {
        if (entries[a].is_dir != entries[b].is_dir)
            return entries[a].is_dir;
        return descending ? keys[b] < keys[a] : keys[a] < keys[b];
    });
    return index;
}

// Puts entries[index[k]] at position k by following the permutation's cycles in place, so a
// large listing is not copied into fresh memory.
void apply_order(Listing& entries, std::vector<std::size_t> index)
{
    for (std::size_t start = 0; start < index.size(); ++start) {
        if (index[start] == start)
            continue;
        DirectoryEntry held = std::move(entries[start]);
        std::size_t k = start;
        while (index[k] != start) {
            std::size_t next = index[k];
            entries[k] = std::move(entries[next]);
            index[k] = k;
            k = next;
        }
        entries[k] = std::move(held);
        index[k] = k;
    }
}

template <typename Key, typename Make>
void sort_by(Listing& entries, SortOrder order, Make make)
{
    std::vector<Key> keys;
    keys.reserve(entries.size());
    for (const auto& e : entries)
        keys.push_back(make(e));
    apply_order(entries, sorted_order(entries, keys, order));
}

// Sorting by name is the common case and the costly one, so its keys live in one buffer and
// each carries its first sixteen bytes as two big-endian numbers: most comparisons are then
// integer compares. Names hold no NUL bytes, so zero padding keeps byte order.
struct NameItem {
    std::uint64_t prefix;
    std::uint64_t prefix2;
    std::uint32_t offset;
    std::uint32_t length;
    std::uint32_t index;
    bool is_dir;
};

void sort_by_name(Listing& entries, SortOrder order)
{
    std::string keys;
    std::vector<NameItem> items;
    items.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto offset = keys.size();
        vask_base::append_lower_unicode(keys, entries[i].name);
        NameItem item{0, 0, std::uint32_t(offset), std::uint32_t(keys.size() - offset), std::uint32_t(i), entries[i].is_dir};
        items.push_back(item);
    }
    auto byte = [&](const NameItem& item, std::size_t k) -> std::uint64_t {
        return k < item.length ? static_cast<unsigned char>(keys[item.offset + k]) : 0u;
    };
    for (auto& item : items)
        for (std::size_t k = 0; k < 8; ++k) {
            item.prefix = (item.prefix << 8) | byte(item, k);
            item.prefix2 = (item.prefix2 << 8) | byte(item, k + 8);
        }

    const bool descending = order == SortOrder::Descending;
    // Ties fall back to the listing index, which makes the unstable sort stable.
    std::sort(items.begin(), items.end(), [&](const NameItem& a, const NameItem& b) {
        if (a.is_dir != b.is_dir)
            return a.is_dir;
        const NameItem& x = descending ? b : a;
        const NameItem& y = descending ? a : b;
        if (x.prefix != y.prefix)
            return x.prefix < y.prefix;
        if (x.prefix2 != y.prefix2)
            return x.prefix2 < y.prefix2;
        if (x.length > 16 || y.length > 16) {
            std::string_view xs(keys.data() + x.offset, x.length), ys(keys.data() + y.offset, y.length);
            if (int c = xs.compare(ys); c != 0)
                return c < 0;
        }
        return a.index < b.index;
    });
    std::vector<std::size_t> index;
    index.reserve(items.size());
    for (const auto& item : items)
        index.push_back(item.index);
    apply_order(entries, std::move(index));
}

} // namespace

void sort_entries(Listing& entries, SortKey key, SortOrder order)
{
    if (entries.size() < 2)
        return;
    switch (key) {
    case SortKey::Name:
        sort_by_name(entries, order);
        break;
    case SortKey::Size:
        sort_by<std::uint64_t>(entries, order, [](const DirectoryEntry& e) { return e.size; });
        break;
    case SortKey::Modified:
        // An absent time sorts before any present one.
        sort_by<std::optional<FileTime>>(entries, order, [](const DirectoryEntry& e) { return e.modified; });
        break;
    case SortKey::Type:
        sort_by<std::string_view>(entries, order, [](const DirectoryEntry& e) { return e.mime_type; });
        break;
    }
}

} // namespace file_explorer
