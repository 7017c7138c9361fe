#pragma once

#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "platform/ui/i18n/embedded_catalog.hpp"

namespace file_explorer::i18n {

// An argument of a message: text inserted verbatim, or a number that also drives plural selection.
using ArgValue = std::variant<std::string, double>;
using MessageArg = std::pair<std::string_view, ArgValue>;

// The program's catalogue: fallback "en-US", resources en-US and de-DE compiled into the program.
const vask_ui::i18n::EmbeddedCatalog& catalogue();

// The text of message `id` in the active language.
std::string message(std::string_view id);

// The text of message `id` with its variables filled (names without "$", any order).
std::string message_with_args(std::string_view id, std::initializer_list<MessageArg> args);

// The active language tag ("en-US", "de-DE").
std::string current_language();

// The locale tag the number and date formatters use.
std::string formatting_locale();
// The formatter locale for a language tag: pseudo-locales ("qps-…") format as "en-US", a tag
// that does not parse as "und" (the root locale), any other tag in its canonical form.
std::string formatting_locale_for(std::string_view language_tag);

// `tenths` / 10 written with the formatting locale's digits and separators; whole values get no decimals.
std::string format_tenths(std::uint64_t tenths);

// Year, month, day, hour and minute of a local time, as the formatting locale writes them.
std::string format_date_time(const std::tm& local);

} // namespace file_explorer::i18n
