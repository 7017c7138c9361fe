#pragma once

#include <functional>

#include <filesystem>

#include "platform/base/result.hpp"
#include "platform/ui/widget.hpp"

namespace vask_ui {

struct ShotOptions {
    Size size{1280, 800};
    float scale = 1;
    float text_scale = 1;
    // Run after a first frame was painted (so that geometry is known) and before the frame that
    // is written; it may feed the root events through the context.
    std::function<void(Widget& root, EventContext& context)> interaction;
};

// Paints `root` headlessly at `options.size` (logical pixels × scale) and writes a PNG.
// Needs the toolkit's application object, which `launch::run` creates in screenshot mode.
vask_base::Status render_to_png(Widget& root, const ShotOptions& options, const std::filesystem::path& output);

} // namespace vask_ui
