#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ledgernova::util {

// One character of UTF-8 text: its code point and the bytes it takes. `length` is 0 when the bytes
// start no well-formed character (a stray continuation byte, a truncated sequence, an overlong
// form, a surrogate or a value past U+10FFFF).
struct Utf8Char {
    char32_t point = 0;
    std::size_t length = 0;
};

// A byte that continues a multi-byte character rather than starting one.
[[nodiscard]] constexpr bool is_continuation_byte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// The character that starts at text[at] (at < text.size()).
[[nodiscard]] Utf8Char decode_utf8(std::string_view text, std::size_t at);

// Appends the code point (at most U+10FFFF, no surrogate) in UTF-8.
void append_utf8(std::string& out, char32_t point);

// A one in every byte of a 64-bit word: times a byte, that byte in all eight.
inline constexpr std::uint64_t kEveryByte = 0x0101010101010101U;
// The top bit of every byte of a 64-bit word: set in a byte that is not ASCII.
inline constexpr std::uint64_t kByteHighBits = 0x8080808080808080U;

// Where the run of ASCII bytes from `at` ends: the first byte from `at` that is not ASCII, or the
// end of the text. Most statement text is ASCII: it is checked eight bytes at a time.
[[nodiscard]] std::size_t ascii_run_end(std::string_view text, std::size_t at);

// Where the first byte that starts no well-formed character lies; npos when the text is UTF-8.
[[nodiscard]] std::size_t first_invalid_utf8(std::string_view text);

}  // namespace ledgernova::util
