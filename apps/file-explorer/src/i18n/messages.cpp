// Message lookups through the embedded catalogue, and the locale-dependent number and date texts.
#include "i18n/messages.hpp"

#include <array>
#include <cctype>
#include <optional>
#include <span>
#include <vector>

#include <fmt/format.h>

// The FTL resources, compiled into the program by the build.
extern const std::string_view kEnUsFtl;
extern const std::string_view kDeDeFtl;

namespace file_explorer::i18n {

namespace {

bool all_of(std::string_view s, int (*pred)(int))
{
    for (char c : s)
        if (pred(static_cast<unsigned char>(c)) == 0)
            return false;
    return true;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// A language identifier (language, optional script, optional region, variants) in canonical
// spelling, or nothing when the tag does not parse. Extensions are not accepted.
std::optional<std::string> canonical_language_tag(std::string_view tag)
{
    std::vector<std::string_view> parts;
    while (true) {
        std::size_t sep = tag.find_first_of("-_");
        parts.push_back(tag.substr(0, sep));
        if (sep == std::string_view::npos)
            break;
        tag.remove_prefix(sep + 1);
    }
    std::string_view language = parts[0];
    if (!all_of(language, std::isalpha) ||
        !(language.size() == 2 || language.size() == 3 || (language.size() >= 5 && language.size() <= 8)))
        return std::nullopt;
    std::string out = lower(language);
    std::size_t i = 1;
    if (i < parts.size() && parts[i].size() == 4 && all_of(parts[i], std::isalpha)) {
        std::string script = lower(parts[i++]);
        script[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(script[0])));
        out += '-' + script;
    }
    if (i < parts.size() && ((parts[i].size() == 2 && all_of(parts[i], std::isalpha)) ||
                             (parts[i].size() == 3 && all_of(parts[i], std::isdigit))))
        out += '-' + upper(parts[i++]);
    for (; i < parts.size(); ++i) {
        std::string_view v = parts[i];
        bool long_variant = v.size() >= 5 && v.size() <= 8 && all_of(v, std::isalnum);
        bool digit_variant =
            v.size() == 4 && std::isdigit(static_cast<unsigned char>(v[0])) != 0 && all_of(v, std::isalnum);
        if (!long_variant && !digit_variant)
            return std::nullopt;
        out += '-' + lower(v);
    }
    return out;
}

bool is_german(std::string_view locale)
{
    return locale == "de" || locale.starts_with("de-");
}

std::string group_thousands(std::uint64_t value, char separator)
{
    std::string digits = fmt::format("{}", value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

bool in_range(const std::tm& t)
{
    return t.tm_mon >= 0 && t.tm_mon < 12 && t.tm_mday >= 1 && t.tm_mday <= 31 && t.tm_hour >= 0 &&
           t.tm_hour < 24 && t.tm_min >= 0 && t.tm_min < 60;
}

} // namespace

const vask_ui::i18n::EmbeddedCatalog& catalogue()
{
    static const vask_ui::i18n::EmbeddedCatalog s_catalogue{"en-US",
                                                            {{"en-US", kEnUsFtl}, {"de-DE", kDeDeFtl}}};
    return s_catalogue;
}

std::string message(std::string_view id)
{
    return catalogue().t(id);
}

std::string message_with_args(std::string_view id, std::initializer_list<MessageArg> args)
{
    return catalogue().t_args(id, std::span<const MessageArg>(args.begin(), args.size()));
}

std::string current_language()
{
    return canonical_language_tag(vask_ui::i18n::current_locale()).value_or("en-US");
}

std::string formatting_locale_for(std::string_view language_tag)
{
    std::optional<std::string> canonical = canonical_language_tag(language_tag);
    if (!canonical)
        return "und";
    if (canonical->starts_with("qps") && (canonical->size() == 3 || (*canonical)[3] == '-'))
        return "en-US";
    return *canonical;
}

std::string formatting_locale()
{
    return formatting_locale_for(current_language());
}

std::string format_tenths(std::uint64_t tenths)
{
    const bool german = is_german(formatting_locale());
    std::string out = group_thousands(tenths / 10, german ? '.' : ',');
    if (tenths % 10 != 0) {
        out += german ? ',' : '.';
        out += static_cast<char>('0' + tenths % 10);
    }
    return out;
}

std::string format_date_time(const std::tm& local)
{
    const long long year = 1900LL + local.tm_year;
    if (!in_range(local))
        return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}", year, local.tm_mon + 1, local.tm_mday,
                           local.tm_hour, local.tm_min);
    if (is_german(formatting_locale()))
        return fmt::format("{:02}.{:02}.{}, {:02}:{:02}", local.tm_mday, local.tm_mon + 1, year,
                           local.tm_hour, local.tm_min);
    static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    return fmt::format("{} {}, {}, {}:{:02} {}", kMonths[static_cast<std::size_t>(local.tm_mon)],
                       local.tm_mday, year, hour12, local.tm_min, local.tm_hour < 12 ? "AM" : "PM");
}

} // namespace file_explorer::i18n
