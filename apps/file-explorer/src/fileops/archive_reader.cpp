// Reading archives through the codec: input callbacks, entry limits and the member header walk.
#include <algorithm>
#include <archive_entry.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "fileops/archive_internal.hpp"
#include "fileops/staging.hpp"
#include "platform/base/os_error.hpp"

namespace file_explorer::archive_detail {

namespace fs = std::filesystem;

namespace {

// Large reads keep stored members zero-copy and cut the number of system calls.
constexpr std::size_t kReadBlock = 1 << 20;

// Created once each and kept for the life of the process.
locale_t ctype_locale(NameText text)
{
    static const locale_t utf8 = [] {
        locale_t made = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        return made != static_cast<locale_t>(0)
                   ? made
                   : ::newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(0));
    }();
    static const locale_t bytes = ::newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
    return text == NameText::Utf8 ? utf8 : bytes;
}

} // namespace

vask_base::Status EntryLimits::count(std::uint64_t declared_size)
{
    if (m_counted >= kMaxEntries)
        return vask_base::failure(kTooManyText);
    std::uint64_t total = 0;
    if (__builtin_add_overflow(m_total, declared_size, &total))
        return vask_base::failure(kOverflowText);
    if (total > kMaxTotalSize)
        return vask_base::failure(kTooLargeText);
    m_total = total;
    ++m_counted;
    return {};
}

NameLocaleScope::NameLocaleScope(NameText text)
{
    if (locale_t wanted = ctype_locale(text); wanted != static_cast<locale_t>(0))
        m_previous = ::uselocale(wanted);
}

NameLocaleScope::~NameLocaleScope()
{
    if (m_previous != nullptr)
        ::uselocale(m_previous);
}

ArchiveReader::~ArchiveReader()
{
    if (m_archive != nullptr)
        archive_read_free(m_archive);
}

vask_base::Status ArchiveReader::open(const fs::path& path)
{
    m_format = archive_format(path);
    if (holds_nul(path))
        return vask_base::failure(kNulInPathText);
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return vask_base::last_os_failure();
    m_fd.reset(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return vask_base::last_os_failure();
    m_file_size = S_ISREG(st.st_mode) ? st.st_size : -1;
    m_buffer = std::make_unique<char[]>(kReadBlock);

    m_archive = archive_read_new();
    if (m_archive == nullptr)
        return vask_base::failure(vask_base::os_error_text(ENOMEM));
    switch (m_format) {
    case ArchiveFormat::Zip:
        // The central directory gives every member's declared size and Unix mode.
        archive_read_support_format_zip_seekable(m_archive);
        break;
    case ArchiveFormat::GzipTar:
        archive_read_support_filter_gzip(m_archive);
        archive_read_support_format_tar(m_archive);
        break;
    case ArchiveFormat::Tar:
        archive_read_support_format_tar(m_archive);
        break;
    }
    archive_read_set_callback_data(m_archive, this);
    archive_read_set_read_callback(m_archive, &ArchiveReader::read_callback);
    archive_read_set_skip_callback(m_archive, &ArchiveReader::skip_callback);
    archive_read_set_seek_callback(m_archive, &ArchiveReader::seek_callback);
    if (archive_read_open1(m_archive) < ARCHIVE_WARN)
        return vask_base::failure(error_text());
    if (m_format == ArchiveFormat::GzipTar && archive_filter_code(m_archive, 0) != ARCHIVE_FILTER_GZIP)
        return vask_base::failure(kNotGzipText);
    return {};
}

vask_base::Result<std::optional<EntryHeader>> ArchiveReader::next(EntryLimits& limits)
{
    for (;;) {
        archive_entry* entry = nullptr;
        int status = archive_read_next_header(m_archive, &entry);
        if (status == ARCHIVE_EOF)
            return std::nullopt;
        // A warning still delivers a usable header (for example a name the codec could not convert).
        if (status < ARCHIVE_WARN)
            return vask_base::failure(error_text());

        auto type = archive_entry_filetype(entry);
        bool is_link = type == AE_IFLNK;
        if (m_format != ArchiveFormat::Zip && archive_entry_hardlink(entry) != nullptr)
            is_link = true;
        if (is_link)
            continue;

        if (!archive_entry_size_is_set(entry) || archive_entry_size(entry) < 0)
            return vask_base::failure(kNoDeclaredSizeText);
        auto size = static_cast<std::uint64_t>(archive_entry_size(entry));
        if (auto counted = limits.count(size); !counted)
            return std::unexpected(std::move(counted.error()));

        std::optional<std::string> raw_name;
        if (m_format == ArchiveFormat::Zip)
            raw_name = zip_stored_name();
        const char* converted = archive_entry_pathname(entry);
        auto path = sanitise_entry_path(raw_name ? std::string_view(*raw_name)
                                                 : std::string_view(converted != nullptr ? converted : ""));
        if (!path) {
            // A folder member naming the archive's own top ("./", as `tar -C dir .` writes it) has
            // nothing to create: it is the destination folder itself.
            if (type == AE_IFDIR && path.error() == kEmptyEntryText)
                continue;
            return std::unexpected(std::move(path.error()));
        }

        EntryKind kind = EntryKind::File;
        if (type == AE_IFDIR)
            kind = EntryKind::Folder;
        else if (m_format != ArchiveFormat::Zip && type != AE_IFREG)
            kind = EntryKind::Other;
        return EntryHeader{kind, std::move(*path), size};
    }
}

namespace {

constexpr std::size_t kLocalHeaderSize = 30;
// The farthest a member's data can start after its local header: fixed part, name and extra field.
constexpr std::size_t kLocalHeaderSpan = kLocalHeaderSize + 2 * 0xFFFF;

unsigned little_endian_16(const unsigned char* bytes)
{
    return bytes[0] | (unsigned(bytes[1]) << 8);
}

// Finds, in `bytes` that end where a member's data starts, the local header that leads to exactly
// that point, and gives its name.
std::optional<std::string> name_before_data(const unsigned char* bytes, std::size_t length)
{
    if (length < kLocalHeaderSize)
        return std::nullopt;
    for (std::size_t at = length - kLocalHeaderSize + 1; at-- > 0;) {
        const unsigned char* header = bytes + at;
        if (header[0] != 'P' || header[1] != 'K' || header[2] != 3 || header[3] != 4)
            continue;
        std::size_t name_length = little_endian_16(header + 26);
        std::size_t extra_length = little_endian_16(header + 28);
        if (at + kLocalHeaderSize + name_length + extra_length == length)
            return std::string(reinterpret_cast<const char*>(header + kLocalHeaderSize), name_length);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ArchiveReader::zip_stored_name()
{
    // Right after the header the codec has consumed everything up to the member's data.
    la_int64_t data_start = archive_filter_bytes(m_archive, -1);
    if (data_start <= 0)
        return std::nullopt;
    auto span = static_cast<la_int64_t>(kLocalHeaderSpan);
    la_int64_t from = data_start > span ? data_start - span : 0;
    // Usually the header was read through the current block, so no extra read is needed.
    if (m_block_offset <= data_start &&
        data_start <= m_block_offset + static_cast<la_int64_t>(m_block_length)) {
        la_int64_t in_block_from = std::max(from, m_block_offset);
        auto* bytes =
            reinterpret_cast<const unsigned char*>(m_buffer.get()) + (in_block_from - m_block_offset);
        if (auto name = name_before_data(bytes, static_cast<std::size_t>(data_start - in_block_from)))
            return name;
        if (in_block_from == from)
            return std::nullopt;
    }
    std::vector<unsigned char> window(static_cast<std::size_t>(data_start - from));
    std::size_t filled = 0;
    while (filled < window.size()) {
        ssize_t n = ::pread(m_fd.get(), window.data() + filled, window.size() - filled,
                            static_cast<off_t>(from + static_cast<la_int64_t>(filled)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        filled += static_cast<std::size_t>(n);
    }
    return name_before_data(window.data(), window.size());
}

std::string ArchiveReader::error_text() const
{
    const char* text = m_archive != nullptr ? archive_error_string(m_archive) : nullptr;
    return text != nullptr ? std::string(text) : std::string("the archive could not be read");
}

const char* ArchiveReader::truncated_text() const
{
    return m_format == ArchiveFormat::Zip ? kTruncatedZipText : kTruncatedTarText;
}

la_ssize_t ArchiveReader::read_callback(struct archive* handle, void* self_data, const void** buffer)
{
    auto* self = static_cast<ArchiveReader*>(self_data);
    *buffer = self->m_buffer.get();
    for (;;) {
        ssize_t n = ::read(self->m_fd.get(), self->m_buffer.get(), kReadBlock);
        if (n >= 0) {
            if (n == 0)
                self->m_input_ended = true;
            self->m_block_offset = self->m_position;
            self->m_block_length = static_cast<std::size_t>(n);
            self->m_position += n;
            return n;
        }
        if (errno == EINTR)
            continue;
        int error = errno;
        archive_set_error(handle, error, "%s", vask_base::os_error_text(error).c_str());
        return -1;
    }
}

la_int64_t ArchiveReader::skip_callback(struct archive*, void* self_data, la_int64_t request)
{
    auto* self = static_cast<ArchiveReader*>(self_data);
    if (self->m_file_size < 0 || request <= 0)
        return 0; // the codec reads through instead
    la_int64_t here = self->m_position;
    la_int64_t available = self->m_file_size > here ? self->m_file_size - here : 0;
    la_int64_t step = request < available ? request : available;
    if (step < request)
        self->m_input_ended = true;
    if (step > 0 && ::lseek(self->m_fd.get(), static_cast<off_t>(here + step), SEEK_SET) < 0)
        return 0;
    self->m_position = here + step;
    return step;
}

la_int64_t ArchiveReader::seek_callback(struct archive* handle, void* self_data, la_int64_t offset,
                                        int whence)
{
    auto* self = static_cast<ArchiveReader*>(self_data);
    off_t position = ::lseek(self->m_fd.get(), offset, whence);
    if (position < 0) {
        int error = errno;
        archive_set_error(handle, error, "%s", vask_base::os_error_text(error).c_str());
        return ARCHIVE_FATAL;
    }
    self->m_input_ended = false;
    self->m_position = position;
    return position;
}

} // namespace file_explorer::archive_detail
