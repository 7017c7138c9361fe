#include "i18n/messages.hpp"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace file_explorer::i18n {
namespace {

using vask_ui::i18n::FtlMessage;
using vask_ui::i18n::FtlResource;

struct Section {
    std::string_view heading;
    std::vector<std::string_view> ids;
};

// Every message id, in the English resource's order, under its English section heading; the
// first entry stands before the first heading.
const std::vector<Section>& expected_sections()
{
    // clang-format off
    static const std::vector<Section> s_sections = {
        {"",
         {
           "files-time-unknown"
         }},
        {"Keyboard shortcuts",
         {
           "files-shortcuts-title", "files-shortcuts-summary", "files-shortcuts-primary",
           "files-shortcuts-navigate", "files-shortcuts-grid", "files-shortcuts-open",
           "files-shortcuts-location", "files-shortcuts-new-folder", "files-shortcuts-edit",
           "files-shortcuts-hidden", "files-shortcuts-size", "files-shortcuts-context",
           "files-shortcuts-close"
         }},
        {"Availability actions and status",
         {
           "files-keep-offline", "files-use-automatic-storage", "files-pinned-by-parent",
           "files-retry-download", "files-free-local-space", "files-no-pin-needed", "files-no-direct-pin",
           "files-keeping-offline", "files-using-automatic", "files-offline-policy-failed",
           "files-no-retryable-transfer", "files-retrying-transfers", "files-retry-failed",
           "files-no-local-space-releasable", "files-freeing-local-space", "files-free-local-space-failed",
           "files-eviction-needs-confirmation", "files-destructive-eviction-title",
           "files-destructive-eviction-summary", "files-destructive-eviction-no-replica",
           "files-destructive-eviction-loss", "files-destructive-eviction-protected",
           "files-destructive-eviction-confirm", "files-destructive-eviction-started",
           "files-permanent-delete-title", "files-permanent-delete-summary", "files-permanent-delete-loss",
           "files-permanent-delete-confirm", "files-empty-trash-title", "files-empty-trash-summary",
           "files-empty-trash-confirm"
         }},
        {"Properties and availability sheet",
         {
           "files-property-collaborative-record", "files-property-content", "files-residency-metadata-only",
           "files-residency-partly-local", "files-residency-local", "files-property-on-device",
           "files-property-sharing", "files-property-history", "files-properties-collab-summary",
           "files-availability-title", "files-availability-title-short", "files-not-stored",
           "files-partly-stored", "files-stored", "files-kept-offline-parent", "files-kept-offline",
           "files-automatic-storage", "files-replica-unverified", "files-replica-counts",
           "files-transfer-state", "files-transfer-idle", "files-transfer-queued",
           "files-transfer-downloading", "files-transfer-uploading", "files-transfer-verifying"
         }},
        {"Sharing",
         {
           "files-search-collaborative-records", "files-search-record-provenance", "files-copy-one-time-link",
           "files-share-composer-named", "files-share-composer-link", "files-share-choice-view",
           "files-share-choice-edit", "files-share-choice-day", "files-share-choice-week",
           "files-share-choice-month", "files-share-choice-never", "files-share-choice-one-use",
           "files-share-choice-bounded-uses", "files-share-creating", "files-share-invalid-options",
           "files-share-link-needs-expiry", "files-share-invalid-uses", "files-share-recipient-unreachable",
           "files-sharing-access", "files-share-with", "files-revoke-subject", "files-shared-link",
           "files-share-link-pending", "files-share-change-pending", "files-select-collaborative-file",
           "files-select-shared-file", "files-sharing-unavailable", "files-creating-one-use-link",
           "files-share-with-progress", "files-revoking-access", "files-not-shared", "files-anyone-link",
           "files-can-view", "files-can-edit", "files-grant-active", "files-grant-expired",
           "files-grant-revoked", "files-grant-exhausted", "files-no-expiry", "files-expires",
           "files-share-grant-line", "files-sharing-title", "files-certified-devices",
           "files-certified-device-detail", "files-device-cap-own", "files-device-cap-admit",
           "files-device-cap-host", "files-device-cap-read-all", "files-device-cap-member",
           "files-sharing-summary", "files-link-copied", "files-share-created", "files-share-created-pending",
           "files-share-created-delivered", "files-access-revoked", "files-share-inactive"
         }},
        {"History and conflict resolution",
         {
           "files-version-history", "files-restore-previous", "files-resolve-keep-current",
           "files-resolve-use-other", "files-history-version-line", "files-history-older",
           "files-conflict-needs-review", "files-conflict-resolved-strategy", "files-conflict-resolved",
           "files-strategy-keep-current", "files-strategy-use-other", "files-strategy-keep-both",
           "files-strategy-merge", "files-conflict-line", "files-conflict-resolve-hint",
           "files-conflict-unsupported-hint", "files-history-title", "files-history-summary",
           "files-history-change-pending", "files-select-file-with-history", "files-version-restored",
           "files-restoring-version", "files-keeping-current", "files-applying-other",
           "files-merging-versions", "files-merge-review-menu", "files-merge-review-title",
           "files-merge-review-summary", "files-merge-review-checking", "files-merge-review-checking-detail",
           "files-merge-review-safe", "files-merge-review-needs-review", "files-merge-review-unavailable",
           "files-merge-review-no-apply", "files-merge-review-incoming", "files-merge-review-diff",
           "files-merge-review-guard", "files-merge-review-undo", "files-merge-apply-safe",
           "files-merge-apply-safe-detail", "files-conflict-workflow-required",
           "files-conflict-resolved-signed", "files-history-change-saved", "files-history-action-created",
           "files-history-action-edited", "files-history-action-renamed", "files-history-action-moved",
           "files-history-action-deleted", "files-history-action-conflict-resolved",
           "files-history-action-restored", "files-history-action-changed", "files-history-current-version",
           "files-history-timeline-detail", "files-history-preview-title", "files-history-compare-title",
           "files-history-selected-action", "files-history-selected-by", "files-history-selected-at",
           "files-history-version-id", "files-history-content-identity", "files-history-metadata-identity",
           "files-history-no-content", "files-history-compare-content", "files-history-compare-metadata",
           "files-history-same", "files-history-different", "files-history-show-activity",
           "files-history-compare", "files-history-hide-compare", "files-history-restore-selected",
           "files-history-current-version-label", "files-history-timeline-a11y",
           "files-history-timeline-a11y-item"
         }},
        {"Accessible collaborative state",
         {
           "files-a11y-transfer-failed", "files-a11y-transfer-queued", "files-a11y-downloading",
           "files-a11y-uploading", "files-a11y-verifying", "files-a11y-online-only",
           "files-a11y-partly-offline", "files-a11y-available-offline", "files-a11y-kept-offline-parent",
           "files-a11y-kept-offline", "files-a11y-replica-unknown", "files-a11y-durably-replicated",
           "files-a11y-not-durably-replicated", "files-a11y-shared-recipients", "files-a11y-version-conflict"
         }},
        {"Service and received-share errors/status",
         {
           "files-history-encode-failed", "files-history-request-too-large", "files-history-restore-failed",
           "files-conflict-strategy-unsupported", "files-conflict-encode-failed",
           "files-conflict-request-too-large", "files-conflict-resolve-failed", "files-share-wrong-response",
           "files-share-runtime-failed", "files-share-unavailable-error", "files-share-encode-failed",
           "files-share-request-too-large", "files-share-request-failed", "files-share-flush-failed",
           "files-share-no-response", "files-share-response-too-large", "files-share-response-truncated",
           "files-share-response-invalid", "files-share-refused", "files-received-refused",
           "files-received-retry-refused", "files-received-wrong-response", "files-received-runtime-failed",
           "files-received-encode-failed", "files-received-request-too-large", "files-received-unavailable",
           "files-received-no-response", "files-received-response-too-large",
           "files-received-response-truncated", "files-received-response-invalid",
           "files-received-not-available", "files-received-fd-clone-failed", "files-received-fd-invalid",
           "files-received-file", "files-received-mount-starting", "files-received-admitted",
           "files-received-link-read-failed", "files-received-link-too-large",
           "files-received-link-invalid-text", "files-received-link-empty"
         }},
        {"Application chrome and navigation",
         {
           "files-app-title", "files-back", "files-forward", "files-up", "files-view-list", "files-view-grid",
           "files-sort-by", "files-view-options", "files-path-placeholder", "files-place-home",
           "files-place-favourites", "files-place-favorites", "files-place-system", "files-place-root",
           "files-place-trash", "files-place-workspace", "files-place-documents", "files-place-downloads",
           "files-place-pictures", "files-place-music", "files-place-videos"
         }},
        {"List, empty/error state and accessibility",
         {
           "files-column-name", "files-column-size", "files-column-modified", "files-try-again",
           "files-loading", "files-loading-folder", "files-loading-title", "files-loading-detail",
           "files-directory-read-failed", "files-load-error-title", "files-load-error-detail",
           "files-a11y-load-error", "files-a11y-panel-details", "files-a11y-dialog-close",
           "files-a11y-activity", "files-a11y-current-folder", "files-a11y-places", "files-a11y-favourite",
           "files-a11y-system-location", "files-a11y-place-description", "files-a11y-breadcrumbs",
           "files-a11y-current-breadcrumb", "files-a11y-open-folder", "files-empty-trash",
           "files-empty-folder", "files-item-count", "files-selected-count", "files-a11y-list",
           "files-a11y-folder", "files-a11y-file", "files-new-name-placeholder"
         }},
        {"Properties",
         {
           "files-property-type", "files-property-location", "files-property-size", "files-property-modified",
           "files-property-dimensions", "files-property-duration", "files-property-pages",
           "files-property-codec", "files-property-container", "files-property-unknown",
           "files-properties-title", "files-properties-summary"
         }},
        {"Ordinary operation results",
         {
           "files-new-folder-default-name", "files-created-folder", "files-new-folder-failed",
           "files-permanently-deleted", "files-delete-failed", "files-moved-to-trash", "files-restored",
           "files-undo-move-trash", "files-undo-trash-restored", "files-undo-trash-unavailable",
           "files-undo-trash-failed", "files-restore-failed", "files-trash-already-empty",
           "files-emptied-trash", "files-empty-trash-failed", "files-copied", "files-cut",
           "files-created-file", "files-new-file-failed", "files-added-favourite", "files-removed-favourite",
           "files-moved-with-failures", "files-moved-to-folder", "files-nothing-to-move", "files-pasted",
           "files-pasted-with-failures", "files-renamed", "files-rename-failed"
         }},
        {"Context, view and sort menus",
         {
           "files-menu-open", "files-action-reveal", "files-menu-restore", "files-menu-delete-permanently",
           "files-menu-empty-trash", "files-menu-rename", "files-action-rename-prompt", "files-menu-cut",
           "files-menu-copy", "files-menu-properties", "files-menu-paste", "files-menu-new-folder",
           "files-menu-new-file", "files-menu-move-trash", "files-menu-add-favourite",
           "files-menu-remove-favourite", "files-menu-hide-hidden", "files-menu-show-hidden",
           "files-menu-sort-name", "files-menu-sort-size", "files-menu-sort-type", "files-menu-sort-date",
           "files-menu-open-terminal", "files-sort-name", "files-sort-size", "files-sort-type",
           "files-sort-date", "files-sort-ascending", "files-sort-descending", "files-new-from-template",
           "files-drag-items"
         }},
        {"Archives",
         {
           "files-archive-extract", "files-archive-extract-here", "files-archive-compress",
           "files-archive-select-compress", "files-archive-read-only", "files-archive-open-after-extract",
           "files-archive-select", "files-archive-extracted", "files-archive-extracted-partial",
           "files-archive-extract-failed", "files-archive-created", "files-archive-create-failed"
         }},
        {"File-operation validation",
         {
           "files-folder-name-empty", "files-folder-name-slash", "files-name-empty", "files-name-slash",
           "files-no-parent", "files-name-exists", "files-destination-inspect-failed",
           "files-destination-names-exhausted", "files-source-no-name", "files-menu-send-nearby",
           "files-action-send-nearby-device", "files-nearby-send-to-device", "files-nearby-select-one",
           "files-nearby-loading-devices", "files-nearby-no-devices", "files-nearby-choose-device",
           "files-nearby-queueing", "files-nearby-accepted", "files-nearby-declined",
           "files-nearby-cancelled", "files-nearby-retrying", "files-nearby-accept", "files-nearby-retry",
           "files-nearby-consent-detail", "files-nearby-retry-detail", "files-nearby-offer-title",
           "files-nearby-offer-summary", "files-nearby-offer-size", "files-nearby-failed-title",
           "files-nearby-failed-device", "files-nearby-choose-destination", "files-nearby-no-destinations",
           "files-nearby-destination-count", "files-nearby-save-to-destination",
           "files-nearby-save-and-remember", "files-share-not-available", "files-name-invalid"
         }},
    };
    // clang-format on
    return s_sections;
}

const std::vector<std::string_view> kGermanHeadings = {
    "Tastenkürzel",
    "Verfügbarkeitsaktionen und -status",
    "Eigenschaften- und Verfügbarkeitsdialog",
    "Freigabe",
    "Verlauf und Konfliktlösung",
    "Barrierefreier Zusammenarbeitsstatus",
    "Dienst- und Empfangsfreigabe-Fehler/-Status",
    "Anwendungsrahmen und Navigation",
    "Liste, Leer-/Fehlerzustand und Barrierefreiheit",
    "Eigenschaften",
    "Ergebnisse gewöhnlicher Vorgänge",
    "Kontext-, Ansichts- und Sortiermenüs",
    "Archive",
    "Prüfung von Dateivorgängen",
};

// The German resource keeps these under its archive heading, after the archive messages.
const std::vector<std::string_view> kUndoIds = {"files-undo-move-trash", "files-undo-trash-restored",
                                                "files-undo-trash-unavailable", "files-undo-trash-failed"};

// Sets the locale variables for one test and puts the previous values back afterwards.
class LocaleEnv {
  public:
    explicit LocaleEnv(const char* lang)
    {
        for (const char* name : kNames) {
            const char* old = std::getenv(name);
            m_saved.emplace_back(old ? std::optional<std::string>(old) : std::nullopt);
            ::unsetenv(name);
        }
        ::setenv("LANG", lang, 1);
    }
    ~LocaleEnv()
    {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            if (m_saved[i])
                ::setenv(kNames[i], m_saved[i]->c_str(), 1);
            else
                ::unsetenv(kNames[i]);
        }
    }
    LocaleEnv(const LocaleEnv&) = delete;
    LocaleEnv& operator=(const LocaleEnv&) = delete;

  private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> m_saved;
};

const FtlResource& resource(std::string_view locale)
{
    const FtlResource* r = catalogue().parsed(locale);
    EXPECT_NE(r, nullptr) << locale;
    static const FtlResource s_empty;
    return r ? *r : s_empty;
}

std::vector<std::string> ids_of(const FtlResource& r)
{
    std::vector<std::string> ids;
    for (const FtlMessage& m : r.messages)
        ids.push_back(m.id);
    return ids;
}

std::vector<std::string> sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

std::string_view ftl_text(std::string_view locale)
{
    for (const auto& res : catalogue().resources())
        if (res.locale == locale)
            return res.ftl;
    return {};
}

TEST(Catalogue, HoldsEnglishThenGermanWithEnglishFallback)
{
    EXPECT_EQ(catalogue().fallback_locale(), "en-US");
    ASSERT_EQ(catalogue().resources().size(), 2u);
    EXPECT_EQ(catalogue().resources()[0].locale, "en-US");
    EXPECT_EQ(catalogue().resources()[1].locale, "de-DE");
}

TEST(Catalogue, ResourcesParseWithoutErrors)
{
    for (std::string_view locale : {"en-US", "de-DE"}) {
        const FtlResource& r = resource(locale);
        EXPECT_TRUE(r.errors.empty()) << locale << ": " << r.errors.front();
        EXPECT_EQ(r.messages.size(), 426u) << locale;
    }
}

TEST(Catalogue, ResourcesBeginWithTheirHeaderComments)
{
    EXPECT_TRUE(ftl_text("en-US").starts_with(
        "# Files — source locale (en-US).\n"
        "# Collaboration, availability, history and received-share surfaces are the\n"
        "# first migrated tranche. Variables are data, never preformatted Fluent source.\n"));
    EXPECT_TRUE(ftl_text("de-DE").starts_with(
        "# Dateien — deutsche Übersetzung (de-DE).\n"
        "# Variablen und Auswahlzweige müssen strukturell mit en-US.ftl übereinstimmen.\n"));
}

TEST(Catalogue, EnglishIdsAndSectionsFollowTheListedOrder)
{
    const FtlResource& en = resource("en-US");
    std::vector<std::string> expected_ids;
    std::vector<std::string> expected_headings;
    for (const Section& s : expected_sections()) {
        if (!s.heading.empty())
            expected_headings.emplace_back(s.heading);
        for (std::string_view id : s.ids) {
            expected_ids.emplace_back(id);
            const FtlMessage* m = en.find(id);
            ASSERT_NE(m, nullptr) << id;
            EXPECT_EQ(m->group, s.heading) << id;
        }
    }
    EXPECT_EQ(expected_ids.size(), 426u);
    EXPECT_EQ(expected_headings.size(), 14u);
    EXPECT_EQ(ids_of(en), expected_ids);
    EXPECT_EQ(en.groups, expected_headings);
}

TEST(Catalogue, GermanKeepsTheOrderWithUndoUnderArchives)
{
    std::vector<std::string> expected;
    for (const Section& s : expected_sections())
        for (std::string_view id : s.ids)
            if (std::find(kUndoIds.begin(), kUndoIds.end(), id) == kUndoIds.end()) {
                expected.emplace_back(id);
                if (id == "files-archive-create-failed")
                    expected.insert(expected.end(), kUndoIds.begin(), kUndoIds.end());
            }
    const FtlResource& de = resource("de-DE");
    EXPECT_EQ(ids_of(de), expected);
    EXPECT_EQ(de.groups, std::vector<std::string>(kGermanHeadings.begin(), kGermanHeadings.end()));
    const FtlMessage* archive = de.find("files-archive-extract");
    ASSERT_NE(archive, nullptr);
    for (std::string_view id : kUndoIds) {
        const FtlMessage* m = de.find(id);
        ASSERT_NE(m, nullptr) << id;
        EXPECT_EQ(m->group, archive->group) << id;
    }
}

TEST(Catalogue, BothLanguagesUseTheSameVariablesAndSelectors)
{
    const FtlResource& en = resource("en-US");
    const FtlResource& de = resource("de-DE");
    EXPECT_EQ(sorted(ids_of(en)), sorted(ids_of(de)));
    std::size_t selects = 0;
    for (const FtlMessage& m : en.messages) {
        const FtlMessage* g = de.find(m.id);
        ASSERT_NE(g, nullptr) << m.id;
        EXPECT_EQ(sorted(pattern_variables(m.value)), sorted(pattern_variables(g->value))) << m.id;
        EXPECT_EQ(pattern_selectors(m.value), pattern_selectors(g->value)) << m.id;
        if (!pattern_selectors(m.value).empty())
            ++selects;
    }
    EXPECT_EQ(selects, 26u);
}

TEST(Catalogue, EveryMessageFormatsWithItsVariables)
{
    for (std::string_view locale : {"en-US", "de-DE"}) {
        for (const FtlMessage& m : resource(locale).messages) {
            const std::vector<std::string> selectors = pattern_selectors(m.value);
            const std::vector<std::string> variables = pattern_variables(m.value);
            for (double n : {0.0, 1.0, 2.0}) {
                std::vector<vask_ui::i18n::Arg> args;
                for (const std::string& v : variables) {
                    if (std::find(selectors.begin(), selectors.end(), v) != selectors.end())
                        args.emplace_back(v, n);
                    else
                        args.emplace_back(v, std::string("x"));
                }
                std::string text = catalogue().t_in(locale, m.id, args);
                EXPECT_FALSE(text.empty()) << locale << " " << m.id;
                EXPECT_NE(text, m.id) << locale;
                EXPECT_EQ(text.find("{$"), std::string::npos) << locale << " " << m.id << ": " << text;
                EXPECT_EQ(text.find('\n'), std::string::npos) << locale << " " << m.id;
            }
        }
    }
}

TEST(Catalogue, EnglishTexts)
{
    LocaleEnv env("en_US.UTF-8");
    struct Case {
        std::string_view id;
        std::vector<MessageArg> args;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"files-item-count", {{"count", 1.0}}, "1 item"},
        {"files-item-count", {{"count", 0.0}}, "0 items"},
        {"files-selected-count",
         {{"base", std::string("12 items")}, {"count", 3.0}},
         "12 items  ·  3 selected"},
        {"files-empty-trash-summary", {{"count", 1.0}}, "1 item will be removed from Trash."},
        {"files-empty-trash-summary", {{"count", 4.0}}, "All 4 items will be removed from Trash."},
        {"files-property-history",
         {{"versions", 1.0}, {"conflicts", 2.0}},
         "History: 1 version, 2 open conflicts"},
        {"files-moved-to-folder",
         {{"count", 2.0}, {"destination", std::string("Docs")}},
         "Moved 2 items to “Docs”"},
        {"files-archive-extracted", {{"count", 1.0}}, "Extracted 1 file"},
        {"files-archive-extracted", {{"count", 3.0}}, "Extracted 3 files"},
        {"files-undo-trash-restored", {{"count", 2.0}}, "Restored 2 items"},
        {"files-shortcuts-grid", {}, "Grid navigation: ← / → move across; ↑ / ↓ move by visual row"},
        {"files-shortcuts-size", {}, "Change item size: Primary + + / − · reset size: Primary + 0"},
        {"files-path-placeholder", {}, "Type a path, e.g. ~/Documents"},
        {"files-load-error-title", {}, "Couldn’t open this folder"},
        {"files-load-error-detail",
         {{"error", std::string("Permission denied")}, {"path", std::string("/root")}},
         "Permission denied · /root"},
        {"files-place-favourites", {}, "Favourites"},
        {"files-place-favorites", {}, "Favorites"},
        {"files-directory-read-failed", {{"error", std::string("E")}}, "Could not open this folder: E"},
        {"files-destination-names-exhausted",
         {{"name", std::string("a")}, {"path", std::string("/d")}},
         "Too many files named “a” in “/d”. Choose another name or folder."},
        {"files-pasted-with-failures", {{"count", 2.0}, {"failed", 1.0}}, "Pasted 2 (1 failed)"},
        {"files-emptied-trash", {{"count", 1500.0}}, "Emptied Trash (1,500)"},
        {"files-name-slash", {}, "Name cannot contain '/'"},
        {"files-time-unknown", {}, "unknown time"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(catalogue().t_args(c.id, c.args), c.expected) << c.id;
    EXPECT_EQ(message("files-app-title"), "Files");
    EXPECT_EQ(message("files-no-such-message"), "files-no-such-message");
    EXPECT_EQ(message_with_args("files-new-from-template", {{"name", std::string("{ $x } ${y}")}}),
              "New { $x } ${y}");
    EXPECT_EQ(message("files-load-error-detail"), "{$error} · {$path}");
}

TEST(Catalogue, GermanPluralsAndNumbers)
{
    LocaleEnv env("de_DE.UTF-8");
    EXPECT_EQ(current_language(), "de-DE");
    EXPECT_EQ(formatting_locale(), "de-DE");
    EXPECT_EQ(message_with_args("files-item-count", {{"count", 1.0}}), "1 Element");
    EXPECT_EQ(message_with_args("files-item-count", {{"count", 0.0}}), "0 Elemente");
    EXPECT_EQ(message("files-place-trash"), "Papierkorb");
    EXPECT_EQ(format_tenths(12), "1,2");
    EXPECT_EQ(format_tenths(10000), "1.000");
    EXPECT_EQ(format_tenths(12345675), "1.234.567,5");
}

TEST(Catalogue, EnglishNumbersAndLocaleTags)
{
    LocaleEnv env("C");
    EXPECT_EQ(current_language(), "en-US");
    EXPECT_EQ(formatting_locale(), "en-US");
    EXPECT_EQ(format_tenths(12), "1.2");
    EXPECT_EQ(format_tenths(10000), "1,000");
    EXPECT_EQ(format_tenths(0), "0");
    EXPECT_EQ(formatting_locale_for("qps-ploc"), "en-US");
    EXPECT_EQ(formatting_locale_for("de-de"), "de-DE");
    EXPECT_EQ(formatting_locale_for("zh_hant_tw"), "zh-Hant-TW");
    EXPECT_EQ(formatting_locale_for("not a tag"), "und");
}

TEST(Catalogue, DatesFollowTheLocale)
{
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 14;
    t.tm_min = 5;
    {
        LocaleEnv env("en_US.UTF-8");
        EXPECT_EQ(format_date_time(t), "Mar 5, 2024, 2:05 PM");
        std::tm midnight = t;
        midnight.tm_hour = 0;
        EXPECT_EQ(format_date_time(midnight), "Mar 5, 2024, 12:05 AM");
        std::tm broken = t;
        broken.tm_hour = 25;
        EXPECT_EQ(format_date_time(broken), "2024-03-05 25:05");
    }
    LocaleEnv env("de_DE.UTF-8");
    EXPECT_EQ(format_date_time(t), "05.03.2024, 14:05");
}

} // namespace
} // namespace file_explorer::i18n
