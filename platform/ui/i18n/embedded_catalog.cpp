#include "platform/ui/i18n/embedded_catalog.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <mutex>

#include <fmt/format.h>

namespace vask_ui::i18n {

namespace {

bool is_inline_space(char c)
{
    return c == ' ' || c == '\t';
}
bool is_space(char c)
{
    return is_inline_space(c) || c == '\n' || c == '\r';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && is_space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && is_space(s.back()))
        s.remove_suffix(1);
    return s;
}

bool is_identifier_start(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool is_identifier_char(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
}

// Reads one pattern from the source of a message value, where every continuation line has
// already lost its indentation. Inside a variant the pattern ends at a line that starts the
// next variant or closes the select.
class PatternReader {
  public:
    explicit PatternReader(std::string_view src) : m_src(src) {}

    bool read(Pattern& out, std::string& error)
    {
        if (!read_pattern(out, false)) {
            error = m_error;
            return false;
        }
        return true;
    }

  private:
    std::string_view m_src;
    std::size_t m_pos = 0;
    std::string m_error;

    bool fail(std::string what)
    {
        if (m_error.empty())
            m_error = fmt::format("{} at offset {}", what, m_pos);
        return false;
    }

    bool at_end() const { return m_pos >= m_src.size(); }
    char peek() const { return at_end() ? '\0' : m_src[m_pos]; }

    void skip_inline_blank()
    {
        while (!at_end() && is_inline_space(m_src[m_pos]))
            ++m_pos;
    }
    void skip_blank()
    {
        while (!at_end() && is_space(m_src[m_pos]))
            ++m_pos;
    }

    // Whether the line starting after the newline at `nl` opens a variant or closes a select.
    bool variant_boundary_after(std::size_t nl) const
    {
        std::size_t p = nl + 1;
        while (p < m_src.size() && is_space(m_src[p]))
            ++p;
        if (p >= m_src.size())
            return true;
        char c = m_src[p];
        return c == '[' || c == '}' || (c == '*' && p + 1 < m_src.size() && m_src[p + 1] == '[');
    }

    static void append_text(Pattern& out, std::string_view text)
    {
        if (text.empty())
            return;
        if (!out.empty() && out.back().kind == PatternElement::Kind::Text)
            out.back().text += text;
        else
            out.push_back(PatternElement{PatternElement::Kind::Text, std::string(text), {}});
    }

    bool read_pattern(Pattern& out, bool in_variant)
    {
        std::size_t text_start = m_pos;
        while (!at_end()) {
            char c = m_src[m_pos];
            if (c == '{') {
                append_text(out, m_src.substr(text_start, m_pos - text_start));
                ++m_pos;
                if (!read_placeable(out))
                    return false;
                text_start = m_pos;
                continue;
            }
            if (in_variant && c == '\n' && variant_boundary_after(m_pos))
                break;
            ++m_pos;
        }
        append_text(out, m_src.substr(text_start, m_pos - text_start));
        return true;
    }

    bool read_identifier(std::string& name)
    {
        std::size_t start = m_pos;
        if (at_end() || !is_identifier_start(peek()))
            return fail("expected an identifier");
        while (!at_end() && is_identifier_char(peek()))
            ++m_pos;
        name.assign(m_src.substr(start, m_pos - start));
        return true;
    }

    bool read_string_literal(Pattern& out)
    {
        ++m_pos; // opening quote
        std::string text;
        while (!at_end() && peek() != '"') {
            char c = m_src[m_pos++];
            if (c == '\n')
                return fail("unterminated string literal");
            if (c == '\\' && !at_end()) {
                char e = m_src[m_pos++];
                if (e == '"' || e == '\\')
                    text += e;
                else
                    return fail("unsupported escape");
                continue;
            }
            text += c;
        }
        if (at_end())
            return fail("unterminated string literal");
        ++m_pos;
        skip_blank();
        if (peek() != '}')
            return fail("expected '}'");
        ++m_pos;
        append_text(out, text);
        return true;
    }

    // After "{": a variable placeable, a string literal or a select expression.
    bool read_placeable(Pattern& out)
    {
        skip_blank();
        if (peek() == '"')
            return read_string_literal(out);
        if (peek() != '$')
            return fail("expected '$' or a string literal");
        ++m_pos;
        std::string name;
        if (!read_identifier(name))
            return false;
        skip_blank();
        if (peek() == '}') {
            ++m_pos;
            out.push_back(PatternElement{PatternElement::Kind::Variable, std::move(name), {}});
            return true;
        }
        if (m_src.substr(m_pos, 2) != "->")
            return fail("expected '}' or '->'");
        m_pos += 2;
        PatternElement select{PatternElement::Kind::Select, std::move(name), {}};
        if (!read_variants(select.variants))
            return false;
        out.push_back(std::move(select));
        return true;
    }

    bool read_variants(std::vector<Variant>& variants)
    {
        int defaults = 0;
        for (;;) {
            skip_blank();
            if (at_end())
                return fail("unterminated select expression");
            if (peek() == '}') {
                ++m_pos;
                break;
            }
            Variant v;
            if (peek() == '*') {
                v.is_default = true;
                ++defaults;
                ++m_pos;
            }
            if (peek() != '[')
                return fail("expected a variant key");
            std::size_t close = m_src.find(']', m_pos);
            if (close == std::string_view::npos ||
                m_src.substr(m_pos, close - m_pos).find('\n') != std::string_view::npos)
                return fail("unterminated variant key");
            v.key.assign(trim(m_src.substr(m_pos + 1, close - m_pos - 1)));
            if (v.key.empty())
                return fail("empty variant key");
            m_pos = close + 1;
            skip_inline_blank();
            if (!read_pattern(v.value, true))
                return false;
            trim_pattern(v.value);
            variants.push_back(std::move(v));
        }
        if (variants.empty())
            return fail("select expression without variants");
        if (defaults != 1)
            return fail("select expression needs exactly one default variant");
        return true;
    }

  public:
    static void trim_pattern(Pattern& p)
    {
        if (!p.empty() && p.front().kind == PatternElement::Kind::Text) {
            std::string& t = p.front().text;
            std::size_t n = 0;
            while (n < t.size() && is_space(t[n]))
                ++n;
            t.erase(0, n);
            if (t.empty())
                p.erase(p.begin());
        }
        if (!p.empty() && p.back().kind == PatternElement::Kind::Text) {
            std::string& t = p.back().text;
            while (!t.empty() && is_space(t.back()))
                t.pop_back();
            if (t.empty())
                p.pop_back();
        }
    }
};

// Collects one message while its continuation lines arrive.
struct PendingMessage {
    std::string id;
    std::string source;
    std::size_t pending_blank_lines = 0;
    bool active = false;
};

void finish_message(PendingMessage& pending, const std::string& group, FtlResource& out)
{
    if (!pending.active)
        return;
    pending.active = false;
    Pattern value;
    std::string error;
    PatternReader reader(pending.source);
    if (!reader.read(value, error)) {
        out.errors.push_back(fmt::format("{}: {}", pending.id, error));
        return;
    }
    PatternReader::trim_pattern(value);
    if (value.empty()) {
        out.errors.push_back(fmt::format("{}: message has no value", pending.id));
        return;
    }
    if (out.index.contains(pending.id)) {
        out.errors.push_back(fmt::format("{}: duplicate message", pending.id));
        return;
    }
    out.index.emplace(pending.id, out.messages.size());
    out.messages.push_back(FtlMessage{std::move(pending.id), group, std::move(value)});
}

// "id = value" at the start of a line: the id and the text after "=".
bool split_message_start(std::string_view line, std::string& id, std::string_view& rest)
{
    if (line.empty() || !is_identifier_start(line.front()))
        return false;
    std::size_t p = 0;
    while (p < line.size() && is_identifier_char(line[p]))
        ++p;
    std::size_t eq = p;
    while (eq < line.size() && is_inline_space(line[eq]))
        ++eq;
    if (eq >= line.size() || line[eq] != '=')
        return false;
    id.assign(line.substr(0, p));
    rest = line.substr(eq + 1);
    while (!rest.empty() && is_inline_space(rest.front()))
        rest.remove_prefix(1);
    return true;
}

void collect_pattern_variables(const Pattern& p, std::vector<std::string>& all,
                               std::vector<std::string>* selectors)
{
    for (const PatternElement& e : p) {
        if (e.kind == PatternElement::Kind::Text)
            continue;
        if (std::find(all.begin(), all.end(), e.text) == all.end())
            all.push_back(e.text);
        if (e.kind == PatternElement::Kind::Select) {
            if (selectors)
                selectors->push_back(e.text);
            for (const Variant& v : e.variants)
                collect_pattern_variables(v.value, all, selectors);
        }
    }
}

std::string_view language_of(std::string_view locale)
{
    std::size_t end = locale.find_first_of("-_");
    return locale.substr(0, end);
}

bool uses_comma_decimal(std::string_view locale)
{
    std::string_view lang = language_of(locale);
    return lang == "de";
}

std::string group_digits(std::string_view digits, char separator)
{
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    std::size_t lead = digits.size() % 3;
    if (lead == 0)
        lead = 3;
    out.append(digits.substr(0, lead));
    for (std::size_t i = lead; i < digits.size(); i += 3) {
        out += separator;
        out.append(digits.substr(i, 3));
    }
    return out;
}

const ArgValue* find_arg(std::span<const Arg> args, std::string_view name)
{
    for (const Arg& a : args)
        if (a.first == name)
            return &a.second;
    return nullptr;
}

std::string_view category_key(PluralCategory c)
{
    switch (c) {
    case PluralCategory::Zero:
        return "zero";
    case PluralCategory::One:
        return "one";
    case PluralCategory::Two:
        return "two";
    case PluralCategory::Few:
        return "few";
    case PluralCategory::Many:
        return "many";
    case PluralCategory::Other:
        return "other";
    }
    return "other";
}

// A variant key that is a number literal ("0", "1.5") and its value.
bool numeric_key(std::string_view key, double& value)
{
    if (key.empty())
        return false;
    char* end = nullptr;
    std::string copy(key);
    value = std::strtod(copy.c_str(), &end);
    return end == copy.c_str() + copy.size() &&
           (std::isdigit(static_cast<unsigned char>(copy.front())) != 0 || copy.front() == '-');
}

const Variant& choose_variant(const PatternElement& select, const ArgValue* arg, std::string_view locale)
{
    const Variant* fallback = &select.variants.front();
    for (const Variant& v : select.variants)
        if (v.is_default)
            fallback = &v;
    if (arg == nullptr)
        return *fallback;
    if (const auto* text = std::get_if<std::string>(arg)) {
        for (const Variant& v : select.variants)
            if (v.key == *text)
                return v;
        return *fallback;
    }
    double n = std::get<double>(*arg);
    for (const Variant& v : select.variants) {
        double key = 0;
        if (numeric_key(v.key, key) && key == n)
            return v;
    }
    std::string_view category = category_key(plural_category(n, locale));
    for (const Variant& v : select.variants)
        if (v.key == category)
            return v;
    return *fallback;
}

void format_into(std::string& out, const Pattern& pattern, std::span<const Arg> args, std::string_view locale)
{
    for (const PatternElement& e : pattern) {
        switch (e.kind) {
        case PatternElement::Kind::Text:
            out += e.text;
            break;
        case PatternElement::Kind::Variable:
            if (const ArgValue* arg = find_arg(args, e.text)) {
                if (const auto* text = std::get_if<std::string>(arg))
                    out += *text;
                else
                    out += format_number(std::get<double>(*arg), locale);
            } else {
                out += fmt::format("{{${}}}", e.text);
            }
            break;
        case PatternElement::Kind::Select:
            format_into(out, choose_variant(e, find_arg(args, e.text), locale).value, args, locale);
            break;
        }
    }
}

} // namespace

const FtlMessage* FtlResource::find(std::string_view id) const
{
    auto it = index.find(id);
    return it == index.end() ? nullptr : &messages[it->second];
}

FtlResource parse_ftl(std::string_view text)
{
    FtlResource out;
    std::string group;
    PendingMessage pending;
    std::size_t line_no = 0;
    while (!text.empty()) {
        ++line_no;
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (trim(line).empty()) {
            if (pending.active)
                ++pending.pending_blank_lines;
            continue;
        }
        if (is_inline_space(line.front())) {
            if (!pending.active) {
                out.errors.push_back(fmt::format("line {}: indented text outside a message", line_no));
                continue;
            }
            // Blank lines inside a value survive only between two lines of text.
            pending.source.append(pending.pending_blank_lines + 1, '\n');
            pending.pending_blank_lines = 0;
            std::string_view body = line;
            while (!body.empty() && is_inline_space(body.front()))
                body.remove_prefix(1);
            pending.source.append(body);
            continue;
        }
        finish_message(pending, group, out);
        if (line.front() == '#') {
            if (line.starts_with("###"))
                continue;
            if (line.starts_with("##")) {
                group.assign(trim(line.substr(2)));
                if (!group.empty())
                    out.groups.push_back(group);
            }
            continue;
        }
        std::string id;
        std::string_view rest;
        if (!split_message_start(line, id, rest)) {
            out.errors.push_back(fmt::format("line {}: not a message, comment or continuation", line_no));
            continue;
        }
        pending = PendingMessage{std::move(id), std::string(rest), 0, true};
    }
    finish_message(pending, group, out);
    return out;
}

std::vector<std::string> pattern_variables(const Pattern& pattern)
{
    std::vector<std::string> all;
    collect_pattern_variables(pattern, all, nullptr);
    return all;
}

std::vector<std::string> pattern_selectors(const Pattern& pattern)
{
    std::vector<std::string> all;
    std::vector<std::string> selectors;
    collect_pattern_variables(pattern, all, &selectors);
    return selectors;
}

PluralCategory plural_category(double n, std::string_view /*locale*/)
{
    // English, German and the fallback share the rule "one: i = 1 and v = 0": only the integer 1
    // written without decimals is singular; 0, 1.5 and every other number are "other".
    return n == 1.0 ? PluralCategory::One : PluralCategory::Other;
}

std::string format_number(double n, std::string_view locale)
{
    if (std::isnan(n))
        return "NaN";
    if (std::isinf(n))
        return n < 0 ? "-∞" : "∞";
    const bool comma_decimal = uses_comma_decimal(locale);
    const char group = comma_decimal ? '.' : ',';
    const char decimal = comma_decimal ? ',' : '.';
    std::string digits = fmt::format("{:.3f}", std::fabs(n));
    std::size_t dot = digits.find('.');
    std::string integer = digits.substr(0, dot);
    std::string fraction = digits.substr(dot + 1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string out;
    if (std::signbit(n) && (integer != "0" || !fraction.empty()))
        out += '-';
    out += group_digits(integer, group);
    if (!fraction.empty()) {
        out += decimal;
        out += fraction;
    }
    return out;
}

std::string format_pattern(const Pattern& pattern, std::span<const Arg> args, std::string_view locale)
{
    std::string out;
    format_into(out, pattern, args, locale);
    return out;
}

struct EmbeddedCatalog::Slot {
    std::once_flag once;
    FtlResource parsed;
};

EmbeddedCatalog::EmbeddedCatalog(std::string_view fallback_locale, std::vector<Resource> resources)
    : m_fallback(fallback_locale), m_resources(std::move(resources)),
      m_slots(std::make_unique<Slot[]>(m_resources.size()))
{
}

EmbeddedCatalog::~EmbeddedCatalog() = default;

const FtlResource* EmbeddedCatalog::parsed(std::string_view locale) const
{
    for (std::size_t i = 0; i < m_resources.size(); ++i) {
        if (m_resources[i].locale != locale)
            continue;
        Slot& slot = m_slots[i];
        std::call_once(slot.once, [&] { slot.parsed = parse_ftl(m_resources[i].ftl); });
        return &slot.parsed;
    }
    return nullptr;
}

std::string EmbeddedCatalog::t(std::string_view id) const
{
    return t_in(current_locale(), id, {});
}

std::string EmbeddedCatalog::t_args(std::string_view id, std::span<const Arg> args) const
{
    return t_in(current_locale(), id, args);
}

std::string EmbeddedCatalog::t_in(std::string_view locale, std::string_view id,
                                  std::span<const Arg> args) const
{
    for (std::string_view candidate : {locale, m_fallback}) {
        if (const FtlResource* resource = parsed(candidate))
            if (const FtlMessage* message = resource->find(id))
                return format_pattern(message->value, args, candidate);
    }
    return std::string(id);
}

std::string locale_from_posix(std::string_view value)
{
    value = value.substr(0, value.find_first_of(".@"));
    std::string_view lang = language_of(value);
    std::string lower;
    for (char c : lang)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "de" ? "de-DE" : "en-US";
}

std::string current_locale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return locale_from_posix(value);
    }
    return "en-US";
}

} // namespace vask_ui::i18n
