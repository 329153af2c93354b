#pragma once

#include <string>

#include "export/document.h"

namespace ledgernova::sat {

// The document as UTF-8 XML text with its declaration, indented: every element in the schema's
// namespace `ns` (with its prefix), the root carrying xsi:schemaLocation. Optional attributes with
// an empty value are left out; everything else is written as it stands, escaped as XML requires.
// Throws std::runtime_error when libxml2 cannot build or serialize the document.
[[nodiscard]] std::string write_xml(const Element& root, const Namespace& ns);

}  // namespace ledgernova::sat
