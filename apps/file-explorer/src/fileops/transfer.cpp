#include "fileops/transfer.hpp"

#include <cerrno>
#include <optional>
#include <sys/stat.h>

#include <fmt/format.h>

#include "fileops/collision_names.hpp"
#include "fileops/staging.hpp"
#include "i18n/messages.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/os_error.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> canonical_or_none(const fs::path& path)
{
    std::error_code ec;
    auto resolved = fs::canonical(path, ec);
    if (ec)
        return std::nullopt;
    return resolved;
}

// Puts a moved source back at `source` from the staged payload after it left its place.
std::string restore(const fs::path& source, const std::optional<fs::path>& quarantine, StagingGuard& guard,
                    std::string message)
{
    std::optional<std::string> quarantine_error;
    if (quarantine) {
        if (auto removed = remove_path(*quarantine); !removed)
            quarantine_error = removed.error().text;
    }
    if (auto copied = copy_tree(guard.payload(), source); !copied) {
        guard.mark_finished();
        return fmt::format("{}; source restoration failed: {}; staged data retained at {}", message,
                           copied.error().text, vask_base::lossy_utf8(guard.payload()));
    }
    std::string result = guard.abandon(std::move(message));
    if (quarantine_error)
        result += fmt::format("; partial source quarantine retained at {}: {}",
                              vask_base::lossy_utf8(*quarantine), *quarantine_error);
    return result;
}

enum class DirectStep { Done, Fallback };

// Renames `from` to the first free collision name in `destination`, never replacing anything.
// Gives the published path, or the rename's failure text, or neither when every name is taken.
struct NameAttempt {
    std::optional<fs::path> published;
    std::optional<std::string> rename_error;
};
vask_base::Result<NameAttempt> rename_to_free_name(const fs::path& from, const fs::path& destination,
                                                   const NamePieces& pieces)
{
    for (int n = 1; n <= kMaxCandidate; ++n) {
        fs::path candidate = destination / candidate_name(pieces, n);
        auto is_free = inspect_destination(candidate);
        if (!is_free)
            return std::unexpected(is_free.error());
        if (!*is_free)
            continue;
        auto renamed = no_replace_rename(from, candidate);
        if (renamed)
            return NameAttempt{candidate, std::nullopt};
        if (renamed.error().error != EEXIST)
            return NameAttempt{std::nullopt, renamed.error().text};
    }
    return NameAttempt{};
}

// A move's first try: rename straight to a free collision name (works within one file system).
vask_base::Result<std::pair<DirectStep, fs::path>>
try_direct_move(const fs::path& source, const fs::path& destination, const NamePieces& pieces)
{
    auto attempt = rename_to_free_name(source, destination, pieces);
    if (!attempt)
        return std::unexpected(attempt.error());
    if (attempt->published)
        return std::pair{DirectStep::Done, *attempt->published};
    return std::pair{DirectStep::Fallback, fs::path()};
}

// Publishes the staged payload under the first free collision name.
vask_base::Result<fs::path> publish(const StagingGuard& guard, const fs::path& destination,
                                    const NamePieces& pieces)
{
    auto attempt = rename_to_free_name(guard.payload(), destination, pieces);
    if (!attempt)
        return std::unexpected(attempt.error());
    if (attempt->published)
        return *attempt->published;
    if (attempt->rename_error)
        return vask_base::failure(*attempt->rename_error);
    return vask_base::failure(names_exhausted_text(pieces.name, destination));
}

// The checks made before anything changes on disk; success gives the item's name pieces.
vask_base::Result<NamePieces> preflight(const fs::path& source, const fs::path& destination,
                                        TransferMode mode)
{
    if (holds_nul(source) || holds_nul(destination))
        return vask_base::failure(kNulInPathText);
    struct stat st {};
    if (::lstat(source.c_str(), &st) != 0)
        return vask_base::last_os_failure();

    if (S_ISDIR(st.st_mode)) {
        std::error_code ec;
        auto canonical_source = fs::canonical(source, ec);
        if (ec)
            return vask_base::failure(vask_base::os_error_text(ec.value()));
        auto canonical_destination = fs::canonical(destination, ec);
        if (ec)
            return vask_base::failure(vask_base::os_error_text(ec.value()));
        if (path_starts_with(canonical_destination, canonical_source))
            return vask_base::failure("cannot copy or move a folder into itself");
    }

    auto name = item_name_bytes(source);
    if (!name)
        return vask_base::failure(i18n::message("files-source-no-name"));
    if (mode == TransferMode::Move) {
        auto parent = canonical_or_none(source.parent_path().empty() ? fs::path(".") : source.parent_path());
        auto folder = canonical_or_none(destination);
        if (parent && folder && *parent == *folder)
            return vask_base::failure("the item is already in this folder");
    }
    NamePieces pieces = name_pieces(*name);
    if (auto inspected = inspect_destination(destination / pieces.name); !inspected)
        return std::unexpected(inspected.error());
    return pieces;
}

} // namespace

OperationOutcome transfer(const fs::path& source_path, const fs::path& destination, TransferMode mode,
                          const CopyTreeHooks& hooks)
{
    // "a/b/" names the same item as "a/b"; without the slash its parent is "a".
    std::string_view source_text = source_path.native();
    while (source_text.size() > 1 && source_text.back() == '/')
        source_text.remove_suffix(1);
    const fs::path source(source_text);

    auto pieces = preflight(source, destination, mode);
    if (!pieces)
        return std::unexpected(pieces.error());

    if (mode == TransferMode::Move) {
        auto direct = try_direct_move(source, destination, *pieces);
        if (!direct)
            return std::unexpected(direct.error());
        if (direct->first == DirectStep::Done)
            return direct->second;
    }

    auto staging =
        create_private_folder(destination, kStagingPrefix, "could not allocate private transfer staging");
    if (!staging)
        return vask_base::failure(staging.error().text);
    // The guard owns the staging from its creation, so even an exception during the copy removes it.
    StagingGuard guard(*staging, *staging / "payload");
    if (auto copied = copy_tree(source, guard.payload(), hooks); !copied)
        return vask_base::failure(guard.abandon(copied.error().text));

    if (mode == TransferMode::Move) {
        // The source leaves its place only now that a full copy exists; it is put back on failure.
        auto quarantine =
            rename_to_private_name(source, kQuarantinePrefix, "could not allocate private source quarantine");
        if (!quarantine)
            return vask_base::failure(guard.abandon(quarantine.error().text));
        if (auto removed = remove_path(*quarantine); !removed)
            return vask_base::failure(restore(source, *quarantine, guard, removed.error().text));
    }

    auto published = publish(guard, destination, *pieces);
    if (!published) {
        if (mode == TransferMode::Move)
            return vask_base::failure(restore(source, std::nullopt, guard, published.error()));
        return vask_base::failure(guard.abandon(published.error()));
    }
    if (auto removed = remove_path(guard.staging()); !removed)
        log_staging_warning("empty Files transfer staging container could not be removed", guard.staging(),
                            removed.error().text);
    guard.mark_finished();
    return *published;
}

} // namespace file_explorer
