#pragma once

namespace ledgernova::util {

// Simple (one character for one) Unicode case mappings of the letters of Basic Latin, Latin-1
// Supplement, Latin Extended-A and -B, IPA Extensions, Greek and Coptic, Cyrillic, Cyrillic
// Supplement and Latin Extended Additional, restricted to those blocks: any other code point maps
// to itself. The two agree: simple_fold(simple_upper(c)) == simple_fold(c) for every c, and
// simple_upper never changes the number of UTF-8 bytes of a character nor makes an ASCII letter
// out of another one (U+0131 dotless i and U+017F long s keep their form).

// The case fold: what case-insensitive comparison compares (mostly the lower-case letter).
[[nodiscard]] char32_t simple_fold(char32_t point);
// The upper-case letter.
[[nodiscard]] char32_t simple_upper(char32_t point);

}  // namespace ledgernova::util
