#include "util/text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace ledgernova::util {
namespace {

// Whatever the process's locale: only a-z change, as in the "C" locale.
constexpr char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool is_continuation_byte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

}  // namespace

std::string trim_blanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
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
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // U+00E0..U+00FE (but U+00F7, the division sign) are lower-case Latin-1 letters whose
        // capitals lie 0x20 below, in the same two-byte sequence starting with 0xC3. A 0xC3 not
        // followed by a continuation byte starts no sequence: what follows it is read on its own.
        if (byte == 0xC3 && i + 1 < text.size() && is_continuation_byte(text[i + 1])) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            const bool lower = next >= 0xA0 && next <= 0xBE && next != 0xB7;
            result.push_back(text[i]);
            result.push_back(static_cast<char>(lower ? next - 0x20 : next));
            ++i;
            continue;
        }
        result.push_back(ascii_upper(text[i]));
    }
    return result;
}

std::string left_chars(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t taken = 0; end < text.size() && taken < count; ++taken) {
        ++end;
        while (end < text.size() && is_continuation_byte(text[end])) {
            ++end;
        }
    }
    return std::string(text.substr(0, end));
}

std::string format_double(double value) {
    if (value == 0.0) {
        return "0";  // also for -0.0
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

bool is_identifier(std::string_view text) {
    if (text.empty() || std::isdigit(static_cast<unsigned char>(text.front())) != 0) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

}  // namespace ledgernova::util
