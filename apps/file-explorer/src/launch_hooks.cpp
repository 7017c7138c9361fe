#include "launch_hooks.hpp"

#include <cerrno>
#include <cstdlib>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "fileops/archive.hpp"
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "platform/base/hex.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/diag.hpp"
#include "platform/ui/shot_frame.hpp"

namespace file_explorer {

namespace {

using vask_ui::launch::LaunchError;

constexpr std::string_view kValueOptions[] = {"--size", "--path"};
constexpr std::string_view kFlagOptions[] = {"--open-share-stdin"};
constexpr std::string_view kScenarios[] = {
    "archive", "archive-menu", "context-menu", "dropmove", "error",  "grid",   "history",       "loading",   "menu",
    "pindrag", "places",       "remote-account", "rename", "reorder", "select", "status", "sync", "thumbnails",
    "thumbnails-fs", "undo-trash",
};

const vask_ui::launch::HistoryDescriptor kHistory{
    "so.vask.file-explorer",
    {{2, "selected-file", "Selected file"}},
};

// A variable counts only when set, non-empty and valid Unicode text.
std::optional<std::string> env_text(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value || !vask_base::is_valid_utf8(value))
        return std::nullopt;
    return std::string(value);
}

std::optional<std::size_t> parse_dimension(std::string_view text)
{
    std::size_t value = 0;
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + std::size_t(c - '0');
    }
    return value > 0 && value <= 8192 ? std::optional(value) : std::nullopt;
}

} // namespace

vask_base::Result<std::string> read_received_link(int fd)
{
    std::string bytes;
    char buffer[4096];
    while (bytes.size() <= kReceivedLinkLimit) {
        std::size_t want = std::min(sizeof buffer, kReceivedLinkLimit + 1 - bytes.size());
        ssize_t n = ::read(fd, buffer, want);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return vask_base::failure(i18n::message("files-received-link-read-failed"));
        if (n == 0)
            break;
        bytes.append(buffer, std::size_t(n));
    }
    if (bytes.size() > kReceivedLinkLimit)
        return vask_base::failure(i18n::message("files-received-link-too-large"));
    if (!vask_base::is_valid_utf8(bytes))
        return vask_base::failure(i18n::message("files-received-link-invalid-text"));
    while (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n'))
        bytes.pop_back();
    if (bytes.empty())
        return vask_base::failure(i18n::message("files-received-link-empty"));
    return bytes;
}

vask_base::Result<std::filesystem::path> make_absolute(const std::filesystem::path& path, const std::filesystem::path& cwd)
{
    if (path.empty())
        return vask_base::failure("cannot make an empty path absolute");
    if (path.is_absolute())
        return path;
    return cwd / path;
}

std::expected<std::unique_ptr<vask_ui::Widget>, LaunchError>
make_root_widget(const vask_ui::launch::LaunchArgs& args, const std::vector<std::string>& process_args, int stdin_fd)
{
    bool read_link = std::find(process_args.begin(), process_args.end(), "--open-share-stdin") != process_args.end();
    std::optional<ReceivedAnswer> answer;
    if (read_link) {
        auto link = read_received_link(stdin_fd);
        answer = link ? submit_received_link(*link) : ReceivedAnswer(ReceivedFailure{link.error()});
    }

    auto explorer = std::make_unique<FileExplorerWidget>(ExplorerEnvironment::from_desktop());
    if (answer) {
        if (auto* failure = std::get_if<ReceivedFailure>(&*answer)) {
            explorer->set_notice(failure->text);
        } else {
            const auto& admission = std::get<ReceivedAdmission>(*answer);
            if (!admission.location) {
                explorer->set_notice(i18n::message("files-received-admitted"));
            } else {
                explorer->open_path(*admission.location);
                explorer->set_notice(
                    i18n::message(admission.single_file ? "files-received-file" : "files-received-mount-starting"));
            }
        }
    } else if (!args.positional().empty()) {
        std::error_code ec;
        auto cwd = std::filesystem::current_path(ec);
        auto path = make_absolute(args.positional().front(), cwd);
        if (!path)
            return std::unexpected(LaunchError{path.error()});
        explorer->open_path(*path);
    }
    return std::unique_ptr<vask_ui::Widget>(std::move(explorer));
}

std::string choose_actor_text(const std::vector<std::uint8_t>& current_actor)
{
    if (auto app = env_text("QUICK_APP_ID"))
        return *app;
    if (auto user = env_text("VASK_USER_ID"))
        return "files-" + *user;
    return "files-" + vask_base::to_hex(current_actor).substr(0, 12);
}

std::unique_ptr<vask_ui::persist::StateDocument> open_state_document(const vask_ui::persist::OpenOptions& options)
{
    auto document = vask_ui::persist::open(options);
    std::string actor = choose_actor_text(document->actor());
    vask_ui::diag::write_line("files: state document actor " + actor);
    document->set_actor(std::vector<std::uint8_t>(actor.begin(), actor.end()));
    return document;
}

vask_ui::Size screenshot_size(const std::optional<std::string>& text)
{
    if (text) {
        auto x = text->find_first_of("xX");
        auto w = x == std::string::npos ? std::nullopt : parse_dimension(std::string_view(*text).substr(0, x));
        auto h = x == std::string::npos ? std::nullopt : parse_dimension(std::string_view(*text).substr(x + 1));
        if (w && h)
            return {float(*w), float(*h)};
    }
    return {1200, 720};
}

namespace {

// The archive scenarios' demonstration archive, rebuilt in the temporary folder.
std::filesystem::path build_archive_demo()
{
    const auto tmp = std::filesystem::temp_directory_path();
    const auto source = tmp / "vask-files-archive-demo";
    const auto archive = tmp / "vask-files-archive-demo.zip";
    std::error_code ec;
    std::filesystem::remove_all(source, ec);
    std::filesystem::remove(archive, ec);
    const std::pair<const char*, const char*> files[] = {
        {"Photos/Coast/IMG_2048.jpg", "jpeg"}, {"Photos/Coast/IMG_2051.jpg", "jpeg"},
        {"Documents/Itinerary.pdf", "%PDF-1.4"}, {"Documents/Packing list.txt", "passport, charger"},
        {"Read me.txt", "A trip archive"},
    };
    for (const auto& [name, content] : files) {
        auto path = source / name;
        std::filesystem::create_directories(path.parent_path(), ec);
        std::ofstream out(path);
        out << content;
        if (!out)
            vask_ui::diag::fatal("archive demo: cannot write " + path.string());
    }
    auto created = compress_to_zip({source / "Photos", source / "Documents", source / "Read me.txt"}, tmp);
    if (!created)
        vask_ui::diag::fatal("archive demo: " + created.error());
    std::filesystem::rename(*created, archive, ec);
    if (ec)
        vask_ui::diag::fatal("archive demo: " + ec.message());
    std::filesystem::remove_all(source, ec);
    return archive;
}

} // namespace

std::expected<void, LaunchError> render_screenshot(const vask_ui::launch::LaunchArgs& args)
{
    const vask_ui::Size size = screenshot_size(args.value("--size"));
    const std::string scenario = args.screenshot_scenario().value_or("");
    const bool archive_scenario = scenario == "archive" || scenario == "archive-menu";
    const auto demo = archive_scenario ? std::optional(build_archive_demo()) : std::nullopt;

    auto environment = ExplorerEnvironment::from_desktop();
    FileExplorerWidget explorer(environment);
    if (demo) {
        explorer.open_path(*demo);
    } else if (auto path = args.value("--path")) {
        std::error_code ec;
        auto absolute = make_absolute(*path, std::filesystem::current_path(ec));
        if (!absolute)
            return std::unexpected(LaunchError{absolute.error()});
        explorer.open_path(*absolute);
    }

    // The scenario's starting state.
    auto select = [&](std::size_t index, bool add) {
        if (index >= explorer.entries().size())
            return;
        if (add)
            explorer.selection().toggle(index);
        else
            explorer.selection().select_only(index);
    };
    if (scenario == "grid") {
        explorer.apply(action::SetViewMode{ViewMode::Grid});
    } else if (scenario == "select") {
        select(7, false);
        select(8, true);
        explorer.set_status_pinned(true);
    } else if (scenario == "status") {
        explorer.set_status_pinned(true);
    } else if (scenario == "rename") {
        select(3, false);
        explorer.apply(action::StartRename{});
    } else if (scenario == "loading") {
        explorer.show_loading_state();
    } else if (scenario == "error") {
        explorer.show_load_error(i18n::message_with_args("files-directory-read-failed", {{"error", "Permission denied"}}));
    } else if (scenario == "undo-trash") {
        explorer.set_undo_record(UndoRecord{"/shot-only-trash-entry"});
    }

    vask_ui::ShotOptions options{.size = size};
    if (scenario == "menu" || scenario == "archive-menu" || scenario == "undo-trash") {
        options.interaction = [](vask_ui::Widget& root, vask_ui::EventContext&) {
            static_cast<FileExplorerWidget&>(root).apply(action::OpenViewMenu{});
        };
    } else if (scenario == "context-menu") {
        options.interaction = [size](vask_ui::Widget& root, vask_ui::EventContext&) {
            static_cast<FileExplorerWidget&>(root).open_context_menu({size.width * 0.45f, size.height * 0.34f});
        };
    } else if (scenario == "select") {
        options.interaction = [size](vask_ui::Widget& root, vask_ui::EventContext& context) {
            root.handle_event(vask_ui::PointerPress{{size.width * 0.35f, 560}}, context);
        };
    }
    auto written = vask_ui::render_to_png(explorer, options, *args.screenshot_output());
    if (!written)
        return std::unexpected(LaunchError{written.error()});
    std::printf("file-explorer: wrote shot to %s\n", args.screenshot_output()->c_str());
    return {};
}

const vask_ui::launch::LaunchDescription& launch_description()
{
    static const vask_ui::launch::LaunchDescription description{
        .app_id = "so.vask.file-explorer",
        .window_title = "Files",
        .value_options = {std::begin(kValueOptions), std::end(kValueOptions)},
        .flag_options = {std::begin(kFlagOptions), std::end(kFlagOptions)},
        .screenshot_scenarios = {std::begin(kScenarios), std::end(kScenarios)},
        .history = &kHistory,
        .root_factory =
            [](const vask_ui::launch::LaunchArgs& args) {
                return make_root_widget(args, vask_ui::launch::process_arguments(), STDIN_FILENO);
            },
        .screenshot = render_screenshot,
        .window_size = [] { return std::pair<std::uint32_t, std::uint32_t>{1280, 800}; },
        .state_document = open_state_document,
    };
    return description;
}

} // namespace file_explorer
