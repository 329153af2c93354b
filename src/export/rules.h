#pragma once

#include <string>

#include "export/document.h"

namespace ledgernova::sat {

// Why the schema would refuse the attribute as it stands, or an empty text when it accepts it.
// An optional attribute left empty is accepted (it is not written); a required one is refused.
// Every value must also be text that an XML document can carry: valid UTF-8 without control
// characters.
[[nodiscard]] std::string refusal(const Attribute& attribute);

// The number of characters (not bytes) of UTF-8 text.
[[nodiscard]] std::size_t char_count(const std::string& text);

}  // namespace ledgernova::sat
