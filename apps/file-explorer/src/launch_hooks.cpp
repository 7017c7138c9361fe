#include "launch_hooks.hpp"

#include <cerrno>
#include <cstdlib>
#include <unistd.h>

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

std::expected<void, LaunchError> render_screenshot(const vask_ui::launch::LaunchArgs& args)
{
    vask_ui::Size size{1280, 800};
    if (auto text = args.value("--size")) {
        auto x = text->find('x');
        auto w = x == std::string::npos ? std::nullopt : parse_dimension(std::string_view(*text).substr(0, x));
        auto h = x == std::string::npos ? std::nullopt : parse_dimension(std::string_view(*text).substr(x + 1));
        if (!w || !h)
            return std::unexpected(LaunchError{"--size takes WIDTHxHEIGHT, e.g. 1280x800"});
        size = {float(*w), float(*h)};
    }
    auto environment = ExplorerEnvironment::from_desktop();
    FileExplorerWidget explorer(environment);
    if (auto path = args.value("--path")) {
        std::error_code ec;
        auto absolute = make_absolute(*path, std::filesystem::current_path(ec));
        if (!absolute)
            return std::unexpected(LaunchError{absolute.error()});
        explorer.open_path(*absolute);
    }
    if (args.screenshot_scenario() == "grid")
        explorer.set_view_mode(ViewMode::Grid);
    auto written = vask_ui::render_to_png(explorer, {.size = size}, *args.screenshot_output());
    if (!written)
        return std::unexpected(LaunchError{written.error()});
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
