#include "util/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "util/text_internal.h"
#include "util/unicode_case.h"
#include "util/utf8.h"

namespace ledgernova::util {
namespace {

// Ranks a byte that starts no well-formed character after every code point.
constexpr char32_t kPastUnicode = 0x110000;

// The next character of `text` from `at`, folded, as compare_folded ranks it; `at` moves past it.
char32_t next_folded(std::string_view text, std::size_t& at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
        ++at;
        return static_cast<unsigned char>(ascii_lower(static_cast<char>(byte)));
    }
    const Utf8Char character = decode_utf8(text, at);
    if (character.length == 0) {
        ++at;
        return kPastUnicode + byte;
    }
    at += character.length;
    return simple_fold(character.point);
}

// `text` with every well-formed character mapped, the other bytes kept. `ascii` maps an ASCII
// character as `mapping` does, without decoding or encoding it: names and keys are mostly ASCII.
template <typename Mapping, typename AsciiMapping>
std::string map_characters(std::string_view text, Mapping mapping, AsciiMapping ascii) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            result.push_back(ascii(text[at++]));
            continue;
        }
        const Utf8Char character = decode_utf8(text, at);
        if (character.length == 0) {
            result.push_back(text[at++]);
            continue;
        }
        append_utf8(result, mapping(character.point));
        at += character.length;
    }
    return result;
}

// Amounts in whole cents are most of the numbers written. When `value` is the double nearest to a
// number of cents of at most 15 digits, "%.15G" writes that number back: written here without
// the general conversion. False, and `text` untouched, for any other value.
bool cents_text(double value, std::string& text) {
    constexpr double kCentsPerUnit = 100.0;
    constexpr double kLargest = 1e15;  // cents of at most 15 digits
    const double scaled = std::fabs(value) * kCentsPerUnit;
    if (!(scaled < kLargest)) {
        return false;
    }
    const auto cents = std::llround(scaled);
    if (static_cast<double>(cents) / kCentsPerUnit != std::fabs(value)) {
        return false;
    }
    constexpr long long kCents = 100;
    constexpr long long kTenths = 10;
    std::array<char, 24> buffer{};
    char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), cents / kCents).ptr;
    if (const long long fraction = cents % kCents; fraction != 0) {
        *end++ = '.';
        *end++ = static_cast<char>('0' + fraction / kTenths);
        if (fraction % kTenths != 0) {
            *end++ = static_cast<char>('0' + fraction % kTenths);
        }
    }
    text.assign(value < 0 ? "-" : "");
    text.append(buffer.data(), end);
    return true;
}

// Eight bytes of `text` from `at`, the first the least significant.
std::uint64_t eight_bytes(std::string_view text, std::size_t at) {
    std::uint64_t bytes = 0;
    std::memcpy(&bytes, text.data() + at, sizeof bytes);
    if constexpr (std::endian::native == std::endian::big) {
        bytes = __builtin_bswap64(bytes);
    }
    return bytes;
}

// The bytes of `bytes` that may be `c` in either case (for a letter the case bit is set on both
// sides before they are compared), marked by their high bit. The lowest mark is exact; a higher
// one may come from the borrow of a lower one, and is checked by the caller.
std::uint64_t may_be(std::uint64_t bytes, char c) {
    const char lower = ascii_lower(c);
    const std::uint64_t fold = lower >= 'a' && lower <= 'z' ? kEveryByte * 0x20U : 0;
    const std::uint64_t differ = (bytes | fold) ^ (kEveryByte * static_cast<unsigned char>(lower));
    return (differ - kEveryByte) & ~differ & kByteHighBits;
}

}  // namespace

std::optional<std::int64_t> whole_number(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string trim_blanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// Statement texts are searched for keywords: eight places at a time, the search goes straight to
// the first where the word's first byte may stand.
std::size_t find_any_case(std::string_view text, std::string_view word) {
    if (word.empty()) {
        return 0;
    }
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (at + sizeof(std::uint64_t) <= text.size()) {
            const std::uint64_t starts = may_be(eight_bytes(text, at), word.front());
            if (starts == 0) {
                at += sizeof(std::uint64_t) - 1;
                continue;
            }
            at += static_cast<std::size_t>(std::countr_zero(starts)) / 8;
        }
        if (at + word.size() <= text.size() && iequals(text.substr(at, word.size()), word)) {
            return at;
        }
    }
    return std::string_view::npos;
}

// Compared from the end: names of one family share their start (Pcd_Tipo_Detalle_1 ... _6).
bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    if (a == b) {
        return true;  // the usual case, compared a word at a time
    }
    for (std::size_t i = a.size(); i-- > 0;) {
        if (ascii_upper(a[i]) != ascii_upper(b[i])) {
            return false;
        }
    }
    return true;
}

std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (auto hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, start)) {
        result.append(text.substr(start, hit - start)).append(to);
        start = hit + from.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string to_upper(std::string_view text) {
    return map_characters(text, simple_upper, ascii_upper);
}

std::string fold_case(std::string_view text) {
    return map_characters(text, simple_fold, ascii_lower);
}

int compare_folded_from(std::string_view a, std::string_view b, std::size_t at) {
    std::size_t i = at;
    std::size_t j = at;
    while (i < a.size() && j < b.size()) {
        const char32_t x = next_folded(a, i);
        const char32_t y = next_folded(b, j);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return i < a.size() ? 1 : (j < b.size() ? -1 : 0);
}

// The database compares its keys through here. While both texts are ASCII a character is a byte
// and folds to its lower case, so their common prefix is skipped a word at a time and the first
// difference decided in place; from the first byte that is not ASCII on, character by character.
int compare_folded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= common; at += sizeof(std::uint64_t)) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a.data() + at, sizeof x);
        std::memcpy(&y, b.data() + at, sizeof y);
        if (x != y || (x & kByteHighBits) != 0) {
            break;
        }
    }
    for (; at < common; ++at) {
        const char x = ascii_lower(a[at]);
        const char y = ascii_lower(b[at]);
        if (static_cast<unsigned char>(x | y) >= 0x80) {
            break;
        }
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (at == common) {  // equal as far as the shorter goes
        return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
    }
    return compare_folded_from(a, b, at);
}

std::string left_chars(std::string_view text, std::size_t count) {
    const std::size_t ascii = ascii_run_end(text.substr(0, count), 0);  // a byte a character
    std::size_t end = ascii;
    const auto past_continuation = [&] {  // stray continuation bytes stay with their character
        while (end < text.size() && is_continuation_byte(text[end])) {
            ++end;
        }
    };
    if (ascii > 0) {
        past_continuation();
    }
    for (std::size_t taken = ascii; end < text.size() && taken < count; ++taken) {
        ++end;
        past_continuation();
    }
    return std::string(text.substr(0, end));
}

std::string format_double(double value) {
    if (value == 0.0) {
        return "0";  // also for -0.0
    }
    if (std::string text; cents_text(value, text)) {
        return text;
    }
    // What printf's "%.15G" writes, without going through the locale-aware printf machinery.
    constexpr int kSignificantDigits = 15;
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, kSignificantDigits);
    std::string text(buffer.data(), written.ptr);
    std::transform(text.begin(), text.end(), text.begin(), ascii_upper);  // 1E+20, INF, NAN
    return text;
}

// ASCII letters only, whatever the locale the host set: a name is checked before it is written
// into a statement unquoted.
bool is_identifier(std::string_view text) {
    const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto is_word = [&](char c) {
        const char lower = ascii_lower(c);
        return (lower >= 'a' && lower <= 'z') || is_digit(c) || c == '_';
    };
    return !text.empty() && !is_digit(text.front()) &&
           std::all_of(text.begin(), text.end(), is_word);
}

}  // namespace ledgernova::util
