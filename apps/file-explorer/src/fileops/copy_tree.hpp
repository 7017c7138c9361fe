#pragma once

#include <filesystem>
#include <functional>

#include "fileops/staging.hpp"

namespace file_explorer {

// Observation points inside a copy, for tests that change the source tree mid-copy.
struct CopyTreeHooks {
    // Called with an entry's source path after its metadata was read and before it is opened.
    std::function<void(const std::filesystem::path& source)> before_open;
};

// Copies `source` to `target` (which must not exist) relative to directory handles, so a path
// component swapped for a symbolic link during the copy is never followed. Symbolic links are
// reproduced with their target text; regular files and folders keep their mode bits; any other
// type fails with "source type changed during copy". What was copied before an error stays
// under `target` for the caller to remove.
OsResult<void> copy_tree(const std::filesystem::path& source, const std::filesystem::path& target,
                         const CopyTreeHooks& hooks = {});

// Copies the rest of `in` into `out`: in-kernel (copy_file_range) where the file systems allow,
// else by read and write.
OsResult<void> copy_file_contents(int in, int out);

} // namespace file_explorer
