#pragma once

#include <string>
#include <string_view>

namespace ledgernova::db {

// The wide text of the ODBC "W" functions is UTF-16 (unixODBC's SQLWCHAR); the component's text is
// UTF-8. Both conversions are total: a byte sequence that is not UTF-8, or a lone surrogate, turns
// into U+FFFD instead of failing, so a driver message is never lost to its encoding.
[[nodiscard]] std::u16string utf8_to_utf16(std::string_view text);
[[nodiscard]] std::string utf16_to_utf8(std::u16string_view text);

// Text bound for the server must be UTF-8: the conversion above would send a replacement
// character in place of a byte that starts no character, and the server would store it. Throws
// db::Error "Text is not valid UTF-8 (byte 0xE9 at offset 12): ...", quoting the text around the
// first such byte with every such byte written \xNN.
void require_utf8(std::string_view text);

}  // namespace ledgernova::db
