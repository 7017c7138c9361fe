#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/base/result.hpp"

namespace vask_ui::opener {

// How documents are opened: by the desktop's default application, by a host-supplied
// embedded opener, or not at all.
enum class Mode { Desktop, Embedded, Unavailable };

// Opens `path` with the desktop's default application (xdg-open, started directly without a
// shell). Fails for paths that are not UTF-8 and when the program cannot be started.
vask_base::Status open_with_desktop(const std::filesystem::path& path);

// Starts `program` (looked up on the executable search path) with `folder` as its working
// directory, without waiting for it. Fails when it cannot be started.
vask_base::Status start_in_folder(const std::string& program, const std::filesystem::path& folder);

// The program the desktop opener starts; tests point it elsewhere.
void set_desktop_program(std::string program);

} // namespace vask_ui::opener
