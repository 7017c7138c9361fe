#include "platform/base/utf8.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vask_base {

namespace {

struct LowerPair {
    std::uint32_t code;
    std::uint32_t lower;
};
struct LowerMulti {
    std::uint32_t code;
    const char* lower;
};
#include "platform/base/unicode_lower_table.inc"

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Decodes one well-formed sequence at `i`; returns its length, or 0 and the length of the
// maximal ill-formed subpart in `bad` when the bytes there are not well-formed.
std::size_t decode(std::string_view s, std::size_t i, std::uint32_t& code, std::size_t& bad)
{
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    if (c < 0x80) {
        code = c;
        return 1;
    }
    std::size_t need;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        need = 1;
        code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        need = 2;
        code = c & 0x0F;
        if (c == 0xE0)
            lo = 0xA0;
        if (c == 0xED)
            hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        need = 3;
        code = c & 0x07;
        if (c == 0xF0)
            lo = 0x90;
        if (c == 0xF4)
            hi = 0x8F;
    } else {
        bad = 1;
        return 0;
    }
    for (std::size_t k = 1; k <= need; ++k) {
        if (i + k >= s.size()) {
            bad = k;
            return 0;
        }
        unsigned char t = b(i + k);
        unsigned char l = k == 1 ? lo : 0x80, h = k == 1 ? hi : 0xBF;
        if (t < l || t > h) {
            bad = k;
            return 0;
        }
        code = (code << 6) | (t & 0x3F);
    }
    return need + 1;
}

void append_utf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out.push_back(char(code));
    } else if (code < 0x800) {
        out.push_back(char(0xC0 | (code >> 6)));
        out.push_back(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(char(0xE0 | (code >> 12)));
        out.push_back(char(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(char(0x80 | (code & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (code >> 18)));
        out.push_back(char(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(char(0x80 | (code & 0x3F)));
    }
}

bool is_ascii(std::string_view s)
{
    // Eight bytes at a time: names are mostly ASCII and this runs for every listed name.
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; i < s.size(); ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

bool is_valid_utf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        std::uint32_t code;
        std::size_t bad = 0;
        std::size_t len = decode(bytes, i, code, bad);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::string lossy_utf8(std::string_view bytes)
{
    if (is_ascii(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + 8);
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::uint32_t code;
        std::size_t bad = 0;
        std::size_t len = decode(bytes, i, code, bad);
        if (len == 0) {
            out.append(kReplacement);
            i += bad;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
    }
    return out;
}

std::string to_lower_unicode(std::string_view text)
{
    std::string out;
    append_lower_unicode(out, text);
    return out;
}

void append_lower_unicode(std::string& out, std::string_view text)
{
    if (is_ascii(text)) {
        auto start = out.size();
        out.append(text);
        for (auto i = start; i < out.size(); ++i)
            if (out[i] >= 'A' && out[i] <= 'Z')
                out[i] = char(out[i] + 32);
        return;
    }
    std::string valid = is_valid_utf8(text) ? std::string() : lossy_utf8(text);
    std::string_view s = valid.empty() ? text : std::string_view(valid);
    std::size_t i = 0;
    while (i < s.size()) {
        std::uint32_t code;
        std::size_t bad = 0;
        std::size_t len = decode(s, i, code, bad);
        i += len;
        if (code < 0x80) {
            out.push_back(code >= 'A' && code <= 'Z' ? char(code + 32) : char(code));
            continue;
        }
        auto single = std::lower_bound(std::begin(kLowerSingle), std::end(kLowerSingle), code,
                                       [](const LowerPair& p, std::uint32_t c) { return p.code < c; });
        if (single != std::end(kLowerSingle) && single->code == code) {
            append_utf8(out, single->lower);
            continue;
        }
        auto multi = std::find_if(std::begin(kLowerMulti), std::end(kLowerMulti),
                                  [&](const LowerMulti& m) { return m.code == code; });
        if (multi != std::end(kLowerMulti))
            out.append(multi->lower);
        else
            append_utf8(out, code);
    }
}

std::vector<std::size_t> char_starts(std::string_view text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    return starts;
}

} // namespace vask_base
