#include "util/utf8.h"

#include <cstdint>
#include <cstring>

namespace ledgernova::util {
namespace {

std::size_t sequence_length(unsigned char lead) {
    return lead < 0x80           ? 1
           : (lead >> 5) == 0x6  ? 2
           : (lead >> 4) == 0xE  ? 3
           : (lead >> 3) == 0x1E ? 4
                                 : 0;
}

}  // namespace

Utf8Char decode_utf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const std::size_t length = sequence_length(byte(0));
    if (length == 1) {
        return {byte(0), 1};
    }
    if (length == 0 || at + length > text.size()) {
        return {};
    }
    char32_t point = byte(0) & (0x7FU >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0U) != 0x80U) {
            return {};
        }
        point = (point << 6) | (byte(k) & 0x3FU);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        return {};
    }
    return {point, length};
}

void append_utf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

std::size_t ascii_run_end(std::string_view text, std::size_t at) {
    std::uint64_t word = 0;
    for (; at + sizeof word <= text.size(); at += sizeof word) {
        std::memcpy(&word, text.data() + at, sizeof word);
        if ((word & kByteHighBits) != 0) {
            break;
        }
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) {
        ++at;
    }
    return at;
}

std::size_t first_invalid_utf8(std::string_view text) {
    for (std::size_t at = ascii_run_end(text, 0); at < text.size(); at = ascii_run_end(text, at)) {
        const std::size_t length = decode_utf8(text, at).length;
        if (length == 0) {
            return at;
        }
        at += length;
    }
    return std::string_view::npos;
}

}  // namespace ledgernova::util
