#pragma once

#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace vask_ui::i18n {

// An argument of a message: text inserted verbatim, or a number that is written for the locale and
// drives plural selection.
using ArgValue = std::variant<std::string, double>;
// A named argument; the name is given without "$".
using Arg = std::pair<std::string_view, ArgValue>;

struct Variant;

// One piece of a message value: literal text, a `{ $name }` placeable, or a select expression.
struct PatternElement {
    enum class Kind { Text, Variable, Select };
    Kind kind = Kind::Text;
    // The literal for Text; the variable name (without "$") for Variable and Select.
    std::string text;
    // The variants of a Select, in source order.
    std::vector<Variant> variants;
};
using Pattern = std::vector<PatternElement>;

// A select variant: `[key] value`, or the default `*[key] value`.
struct Variant {
    std::string key;
    bool is_default = false;
    Pattern value;
};

// A message with the "##" group heading it stands under (empty before the first heading).
struct FtlMessage {
    std::string id;
    std::string group;
    Pattern value;
};

// The parsed form of one resource, in source order.
struct FtlResource {
    std::vector<std::string> groups;
    std::vector<FtlMessage> messages;
    // One text per line or message that could not be parsed; those lines are skipped.
    std::vector<std::string> errors;

    const FtlMessage* find(std::string_view id) const;

    std::map<std::string, std::size_t, std::less<>> index;
};

// Parses the subset of Fluent the catalogues use: comments, group comments, messages with
// indented continuation lines, variable placeables, string-literal placeables and select
// expressions. Terms and attributes are not supported and end up in `errors`.
FtlResource parse_ftl(std::string_view text);

// Every variable a pattern refers to (placeables and selectors), in order of first use.
std::vector<std::string> pattern_variables(const Pattern& pattern);
// The selector variables of the pattern's select expressions, in source order (repeats kept).
std::vector<std::string> pattern_selectors(const Pattern& pattern);

// CLDR cardinal plural categories; the catalogues' languages use only One and Other.
enum class PluralCategory { Zero, One, Two, Few, Many, Other };
PluralCategory plural_category(double n, std::string_view locale);

// `n` written for `locale`: digit grouping, integers without decimals, fractions with at most
// three decimals.
std::string format_number(double n, std::string_view locale);

// The pattern with its arguments filled in. A missing argument shows as "{$name}"; a select on a
// missing argument takes its default variant.
std::string format_pattern(const Pattern& pattern, std::span<const Arg> args, std::string_view locale);

// The program's message catalogue: a fallback locale and one FTL text per locale. Each text is
// parsed once, on first use, and the texts must outlive the catalogue.
class EmbeddedCatalog {
  public:
    struct Resource {
        std::string_view locale;
        std::string_view ftl;
    };

    EmbeddedCatalog(std::string_view fallback_locale, std::vector<Resource> resources);
    ~EmbeddedCatalog();
    EmbeddedCatalog(const EmbeddedCatalog&) = delete;
    EmbeddedCatalog& operator=(const EmbeddedCatalog&) = delete;

    std::string_view fallback_locale() const { return m_fallback; }
    std::span<const Resource> resources() const { return m_resources; }

    // The parsed resource of `locale`, or null when the catalogue has none.
    const FtlResource* parsed(std::string_view locale) const;

    // The message in the active locale (`current_locale`).
    std::string t(std::string_view id) const;
    std::string t_args(std::string_view id, std::span<const Arg> args) const;
    // The message in `locale`; an id the locale lacks comes from the fallback locale, an id no
    // resource has comes back as the id itself.
    std::string t_in(std::string_view locale, std::string_view id, std::span<const Arg> args) const;

  private:
    struct Slot;
    std::string_view m_fallback;
    std::vector<Resource> m_resources;
    std::unique_ptr<Slot[]> m_slots;
};

// The active locale from the environment: the first non-empty of LC_ALL, LC_MESSAGES and LANG.
std::string current_locale();
// The catalogue locale for one POSIX locale value ("de_AT.UTF-8@euro" → "de-DE"): German for "de",
// English ("en-US") for everything else, including "C", "POSIX" and an empty value.
std::string locale_from_posix(std::string_view value);

} // namespace vask_ui::i18n
