#pragma once

// Pieces shared by the archive listing, extraction and creation sources; not for other modules.

#include <cstdint>
#include <filesystem>
#include <locale.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <archive.h>

#include "platform/base/fd.hpp"
#include "platform/base/result.hpp"

namespace file_explorer::archive_detail {

inline constexpr const char* kEscapesText = "archive entry escapes its destination";
inline constexpr const char* kEmptyEntryText = "empty archive entry";
inline constexpr const char* kTooManyText = "archive has too many entries";
inline constexpr const char* kOverflowText = "archive size overflow";
inline constexpr const char* kTooLargeText = "archive expands beyond the safety limit";
inline constexpr const char* kTruncatedZipText = "truncated ZIP entry";
inline constexpr const char* kTruncatedTarText = "truncated TAR entry";
inline constexpr const char* kLargerThanDeclaredText = "archive entry is larger than declared";
inline constexpr const char* kNoDeclaredSizeText = "archive entry has no declared size";
inline constexpr const char* kNotGzipText = "archive is not in gzip format";

inline constexpr std::uint64_t kMaxEntries = 100'000;
inline constexpr std::uint64_t kMaxTotalSize = 17'179'869'184; // 16 GiB, inclusive

// The stored path's components: "." and empty ones dropped, anything else but an ordinary name
// (a root, "..") fails. Joined with '/'. The backslash is an ordinary character.
vask_base::Result<std::string> sanitise_entry_path(std::string_view stored);

enum class ArchiveFormat { Zip, GzipTar, Tar };

// Chosen by the name's extension (ASCII case ignored): "zip", then "gz"/"tgz", else plain tar.
ArchiveFormat archive_format(const std::filesystem::path& archive);

// The caps every archive is held to, counted entry by entry before the entry is used.
class EntryLimits {
  public:
    vask_base::Status count(std::uint64_t declared_size);
    std::uint64_t counted() const { return m_counted; }
    std::uint64_t total_size() const { return m_total; }

  private:
    std::uint64_t m_counted = 0;
    std::uint64_t m_total = 0;
};

// How the codec should treat member names while a NameLocaleScope lives: as UTF-8 text (names
// from archives are then passed through as bytes whatever the process locale is, and new ZIP
// members get the UTF-8 flag when not plain ASCII), or as bytes of no known encoding.
enum class NameText { Utf8, Bytes };

// Sets the calling thread's character-type locale for the codec and restores the previous one.
class NameLocaleScope {
  public:
    explicit NameLocaleScope(NameText text);
    ~NameLocaleScope();
    NameLocaleScope(const NameLocaleScope&) = delete;
    NameLocaleScope& operator=(const NameLocaleScope&) = delete;

  private:
    locale_t m_previous = nullptr;
};

// Lets extraction use openat2 (the default) or not; tests turn it off to exercise the component
// walk that kernels without openat2 get.
void set_openat2_enabled(bool enabled);

enum class EntryKind { Folder, File, Other };

// A counted member's header: what it is, its sanitised path and its declared size.
struct EntryHeader {
    EntryKind kind = EntryKind::File;
    std::string path;
    std::uint64_t size = 0;
};

// Reads one archive from start to end with large reads, remembering whether the input ran out, so
// a member cut short by the end of the file can be told from a damaged one.
class ArchiveReader {
  public:
    ArchiveReader() = default;
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    vask_base::Status open(const std::filesystem::path& path);

    // The next counted member, skipping links; none at the end. Applies `limits` and sanitising.
    vask_base::Result<std::optional<EntryHeader>> next(EntryLimits& limits);

    ArchiveFormat format() const { return m_format; }
    struct archive* handle() const { return m_archive; }
    // The codec's text for the last failure.
    std::string error_text() const;
    // True once a read found the end of the file (cleared by seeking).
    bool input_ended() const { return m_input_ended; }
    // The text for a member whose bytes fell short of its declared size.
    const char* truncated_text() const;

  private:
    // The member name exactly as the current ZIP member's local header stores it. The codec
    // rewrites backslashes as slashes in names from some archivers; here the backslash is an
    // ordinary character, so names are taken from the header bytes themselves.
    std::optional<std::string> zip_stored_name();

    static la_ssize_t read_callback(struct archive*, void* self, const void** buffer);
    static la_int64_t skip_callback(struct archive*, void* self, la_int64_t request);
    static la_int64_t seek_callback(struct archive*, void* self, la_int64_t offset, int whence);

    NameLocaleScope m_names{NameText::Utf8};
    vask_base::UniqueFd m_fd;
    struct archive* m_archive = nullptr;
    ArchiveFormat m_format = ArchiveFormat::Tar;
    std::unique_ptr<char[]> m_buffer;
    std::int64_t m_file_size = 0;
    std::int64_t m_position = 0;     // the file offset the next read starts at
    std::int64_t m_block_offset = 0; // the file offset of the bytes in m_buffer
    std::size_t m_block_length = 0;
    bool m_input_ended = false;
};

} // namespace file_explorer::archive_detail
