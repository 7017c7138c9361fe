#include "platform/ui/i18n/embedded_catalog.hpp"

#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace vask_ui::i18n {
namespace {

// Sets the locale variables for one test and puts the previous values back afterwards.
class LocaleEnv {
  public:
    LocaleEnv(const char* lc_all, const char* lc_messages, const char* lang)
    {
        for (const char* name : kNames) {
            const char* old = std::getenv(name);
            m_saved.emplace_back(old ? std::optional<std::string>(old) : std::nullopt);
        }
        set("LC_ALL", lc_all);
        set("LC_MESSAGES", lc_messages);
        set("LANG", lang);
    }
    ~LocaleEnv()
    {
        for (std::size_t i = 0; i < std::size(kNames); ++i)
            set(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
    }
    LocaleEnv(const LocaleEnv&) = delete;
    LocaleEnv& operator=(const LocaleEnv&) = delete;

  private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> m_saved;

    static void set(const char* name, const char* value)
    {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
};

constexpr std::string_view kEnglish = R"(### Resource comment
# A plain comment

files-lead = Before any heading

## First section

files-plain = Hello
files-var = Open { $path } now
files-count = { $count } { $count ->
        [one] item
       *[other] items
    }
files-two = History: { $versions } { $versions ->
        [one] version
       *[other] versions
    }, { $conflicts } open { $conflicts ->
        [one] conflict
       *[other] conflicts
    } left
files-next-line =
    { $count ->
        [one] Extracted 1 file
       *[other] Extracted { $count } files
    }

## Second section

files-multi = First line
    second line
files-exact = { $count ->
        [0] none
        [one] one
       *[other] many
    }
files-literal = Braces { "{" }literal{ "}" }
files-only-en = English only
)";

constexpr std::string_view kGerman = R"(## Erster Abschnitt

files-plain = Hallo
files-count = { $count } { $count ->
        [one] Element
       *[other] Elemente
    }
)";

std::string fmt_en(const FtlResource& r, std::string_view id, std::vector<Arg> args = {})
{
    const FtlMessage* m = r.find(id);
    if (!m)
        return "<missing " + std::string(id) + ">";
    return format_pattern(m->value, args, "en-US");
}

TEST(FtlParser, ReadsMessagesGroupsAndComments)
{
    FtlResource r = parse_ftl(kEnglish);
    EXPECT_TRUE(r.errors.empty()) << r.errors.front();
    EXPECT_EQ(r.groups, (std::vector<std::string>{"First section", "Second section"}));
    std::vector<std::string> ids;
    for (const FtlMessage& m : r.messages)
        ids.push_back(m.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"files-lead", "files-plain", "files-var", "files-count",
                                             "files-two", "files-next-line", "files-multi", "files-exact",
                                             "files-literal", "files-only-en"}));
    EXPECT_EQ(r.find("files-lead")->group, "");
    EXPECT_EQ(r.find("files-var")->group, "First section");
    EXPECT_EQ(r.find("files-exact")->group, "Second section");
}

TEST(FtlParser, FormatsPlaceablesSelectsAndContinuations)
{
    FtlResource r = parse_ftl(kEnglish);
    struct Case {
        std::string_view id;
        std::vector<Arg> args;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"files-plain", {}, "Hello"},
        {"files-var", {{"path", std::string("/tmp")}}, "Open /tmp now"},
        {"files-count", {{"count", 1.0}}, "1 item"},
        {"files-count", {{"count", 0.0}}, "0 items"},
        {"files-count", {{"count", 2.0}}, "2 items"},
        {"files-count", {{"count", 1.5}}, "1.5 items"},
        {"files-count", {{"count", 1234567.0}}, "1,234,567 items"},
        {"files-two", {{"versions", 1.0}, {"conflicts", 3.0}}, "History: 1 version, 3 open conflicts left"},
        {"files-two", {{"conflicts", 1.0}, {"versions", 4.0}}, "History: 4 versions, 1 open conflict left"},
        {"files-next-line", {{"count", 1.0}}, "Extracted 1 file"},
        {"files-next-line", {{"count", 7.0}}, "Extracted 7 files"},
        {"files-multi", {}, "First line\nsecond line"},
        {"files-exact", {{"count", 0.0}}, "none"},
        {"files-exact", {{"count", 1.0}}, "one"},
        {"files-exact", {{"count", 5.0}}, "many"},
        {"files-literal", {}, "Braces {literal}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fmt_en(r, c.id, c.args), c.expected) << c.id;
}

TEST(FtlParser, ListsVariablesAndSelectors)
{
    FtlResource r = parse_ftl(kEnglish);
    EXPECT_EQ(pattern_variables(r.find("files-two")->value),
              (std::vector<std::string>{"versions", "conflicts"}));
    EXPECT_EQ(pattern_selectors(r.find("files-two")->value),
              (std::vector<std::string>{"versions", "conflicts"}));
    EXPECT_EQ(pattern_variables(r.find("files-var")->value), (std::vector<std::string>{"path"}));
    EXPECT_TRUE(pattern_selectors(r.find("files-var")->value).empty());
}

TEST(FtlParser, ReportsBrokenMessagesAndKeepsTheRest)
{
    FtlResource r = parse_ftl("files-a = ok\n"
                              "files-b = { $x\n"
                              "files-c = { $n ->\n    [one] a\n    }\n"
                              "-term = no terms\n"
                              "files-a = duplicate\n"
                              "files-d = fine\n");
    EXPECT_EQ(r.errors.size(), 4u);
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[0].id, "files-a");
    EXPECT_EQ(fmt_en(r, "files-a"), "ok");
    EXPECT_EQ(r.messages[1].id, "files-d");
}

TEST(FtlFormat, MissingArgumentsAreVisibleAndArgumentsVerbatim)
{
    FtlResource r = parse_ftl(kEnglish);
    EXPECT_EQ(fmt_en(r, "files-var"), "Open {$path} now");
    EXPECT_EQ(fmt_en(r, "files-count"), "{$count} items");
    EXPECT_EQ(fmt_en(r, "files-var", {{"path", std::string("{ $evil } }{ $")}}), "Open { $evil } }{ $ now");
    EXPECT_EQ(fmt_en(r, "files-count", {{"count", std::string("one")}}), "one item");
}

TEST(FtlFormat, NumbersFollowTheLocale)
{
    struct Case {
        double n;
        std::string_view locale;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {3.0, "en-US", "3"},
        {1000.0, "en-US", "1,000"},
        {-1234.5, "en-US", "-1,234.5"},
        {0.125, "en-US", "0.125"},
        {2.0 / 3.0, "en-US", "0.667"},
        {1000.0, "de-DE", "1.000"},
        {1234.25, "de-DE", "1.234,25"},
        {12.0, "de-DE", "12"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format_number(c.n, c.locale), c.expected) << c.n << " " << c.locale;
}

TEST(FtlFormat, PluralOneIsOnlyTheIntegerOne)
{
    for (std::string_view locale : {"en-US", "de-DE"}) {
        EXPECT_EQ(plural_category(1.0, locale), PluralCategory::One);
        for (double n : {0.0, 2.0, 1.5, 0.5, 11.0, 21.0, 101.0})
            EXPECT_EQ(plural_category(n, locale), PluralCategory::Other) << n;
    }
}

TEST(EmbeddedCatalog, ChoosesTheResourceAndFallsBack)
{
    EmbeddedCatalog catalog("en-US", {{"en-US", kEnglish}, {"de-DE", kGerman}});
    const std::vector<Arg> one = {{"count", 1.0}};
    const std::vector<Arg> none = {{"count", 0.0}};
    EXPECT_EQ(catalog.t_in("de-DE", "files-count", one), "1 Element");
    EXPECT_EQ(catalog.t_in("de-DE", "files-count", none), "0 Elemente");
    EXPECT_EQ(catalog.t_in("de-DE", "files-only-en", {}), "English only");
    EXPECT_EQ(catalog.t_in("fr-FR", "files-plain", {}), "Hello");
    EXPECT_EQ(catalog.t_in("en-US", "files-nowhere", {}), "files-nowhere");
    EXPECT_EQ(catalog.parsed("de-DE"), catalog.parsed("de-DE"));
    EXPECT_EQ(catalog.parsed("it-IT"), nullptr);
}

TEST(EmbeddedCatalog, ParsesOnceAcrossThreads)
{
    EmbeddedCatalog catalog("en-US", {{"en-US", kEnglish}});
    std::vector<const FtlResource*> seen(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&, i] { seen[i] = catalog.parsed("en-US"); });
    for (std::thread& t : threads)
        t.join();
    for (const FtlResource* r : seen)
        EXPECT_EQ(r, seen.front());
}

TEST(EmbeddedCatalog, ActiveLocaleComesFromTheEnvironment)
{
    struct Case {
        const char* lc_all;
        const char* lc_messages;
        const char* lang;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {nullptr, nullptr, nullptr, "en-US"},
        {nullptr, nullptr, "de_DE.UTF-8", "de-DE"},
        {nullptr, nullptr, "de_AT.ISO-8859-15@euro", "de-DE"},
        {nullptr, nullptr, "de", "de-DE"},
        {nullptr, nullptr, "C", "en-US"},
        {nullptr, nullptr, "POSIX", "en-US"},
        {nullptr, nullptr, "fr_FR.UTF-8", "en-US"},
        {"", "", "de_CH.UTF-8", "de-DE"},
        {"C.UTF-8", nullptr, "de_DE.UTF-8", "en-US"},
        {nullptr, "de_DE.UTF-8", "en_GB.UTF-8", "de-DE"},
        {"en_US.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8", "en-US"},
    };
    EmbeddedCatalog catalog("en-US", {{"en-US", kEnglish}, {"de-DE", kGerman}});
    for (const Case& c : cases) {
        LocaleEnv env(c.lc_all, c.lc_messages, c.lang);
        EXPECT_EQ(current_locale(), c.expected) << (c.lang ? c.lang : "(unset)");
        EXPECT_EQ(catalog.t("files-plain"), c.expected == "de-DE" ? "Hallo" : "Hello");
    }
}

} // namespace
} // namespace vask_ui::i18n
