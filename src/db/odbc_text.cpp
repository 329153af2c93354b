#include "db/odbc_text.h"

#include <algorithm>
#include <utility>

#include <fmt/format.h>

#include "ledgernova/connection.h"
#include "util/utf8.h"

namespace ledgernova::db {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr unsigned kFirstNonAscii = 0x80;  // below it one byte is one UTF-16 unit and back

// The code point that starts at text[i]; `i` moves past it. A byte that starts no well-formed
// character reads as one replacement character.
char32_t next_code_point(std::string_view text, std::size_t& i) {
    const util::Utf8Char character = util::decode_utf8(text, i);
    if (character.length == 0) {
        ++i;
        return kReplacement;
    }
    i += character.length;
    return character.point;
}

// How much of the text around a bad byte the message quotes: about this many bytes either side.
constexpr std::size_t kQuoted = 30;

// The text with every byte that starts no character written \xNN, so that it prints.
std::string printable(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = util::decode_utf8(text, at).length;
        if (length == 0) {
            out += fmt::format("\\x{:02X}", static_cast<unsigned char>(text[at++]));
        } else {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    return out;
}

// Where the quote around `bad` starts and ends, never inside a character.
std::pair<std::size_t, std::size_t> quoted_span(std::string_view text, std::size_t bad) {
    std::size_t start = bad > kQuoted ? bad - kQuoted : 0;
    while (start < bad && util::is_continuation_byte(text[start])) {
        ++start;
    }
    std::size_t end = std::min(text.size(), bad + 1 + kQuoted);
    while (end < text.size() && util::is_continuation_byte(text[end]) && end < bad + 4 + kQuoted) {
        ++end;
    }
    return {start, end};
}

bool is_high_surrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Where the run of ASCII units from `at` ends.
std::size_t ascii_units_end(std::u16string_view text, std::size_t at) {
    while (at < text.size() && text[at] < kFirstNonAscii) {
        ++at;
    }
    return at;
}

}  // namespace

std::u16string utf8_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t ascii_end = util::ascii_run_end(text, i); ascii_end != i) {
            const std::size_t start = out.size();  // most statement text: one unit per byte
            out.resize(start + (ascii_end - i));
            std::copy(text.begin() + static_cast<std::ptrdiff_t>(i),
                      text.begin() + static_cast<std::ptrdiff_t>(ascii_end),
                      out.begin() + static_cast<std::ptrdiff_t>(start));
            i = ascii_end;
            continue;
        }
        const char32_t point = next_code_point(text, i);
        if (point < 0x10000) {
            out.push_back(static_cast<char16_t>(point));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

std::string utf16_to_utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const std::size_t ascii_end = ascii_units_end(text, i); ascii_end != i) {
            const std::size_t start = out.size();  // most values: one byte per unit
            out.resize(start + (ascii_end - i));
            for (std::size_t k = i; k < ascii_end; ++k) {
                out[start + (k - i)] = static_cast<char>(text[k]);
            }
            i = ascii_end - 1;
            continue;
        }
        const char16_t unit = text[i];
        if (is_high_surrogate(unit) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            util::append_utf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                       (static_cast<char32_t>(text[i + 1]) - 0xDC00));
            ++i;
        } else if (is_high_surrogate(unit) || is_low_surrogate(unit)) {
            util::append_utf8(out, kReplacement);
        } else {
            util::append_utf8(out, unit);
        }
    }
    return out;
}

void require_utf8(std::string_view text) {
    const std::size_t bad = util::first_invalid_utf8(text);
    if (bad == std::string_view::npos) {
        return;
    }
    const auto [start, end] = quoted_span(text, bad);
    throw Error(fmt::format("Text is not valid UTF-8 (byte 0x{:02X} at offset {}): {}{}{}",
                            static_cast<unsigned char>(text[bad]), bad, start > 0 ? "..." : "",
                            printable(text.substr(start, end - start)),
                            end < text.size() ? "..." : ""));
}

}  // namespace ledgernova::db
