#pragma once

#include <string>

namespace ledgernova::templates {

// The GROUP BY list `G` with the select expression `X` appended (joined by ", " and CRLF), or `G`
// unchanged when `X` is blank, a text constant (at most two quotes once line breaks and tabs are
// ignored) or holds a sub-select ("SELECT " in any letter case). `X` is trimmed of blanks first.
// Throws nothing of its own; callers treat any failure as theirs.
[[nodiscard]] std::string Agrega_Campo_Group_By(std::string X, const std::string& G);

// Whether an amount expression is a sum: it holds "SUM(" (any letter case) that is not inside a
// sub-select, i.e. not at or after a "SELECT " when the text also has a "FROM ".
[[nodiscard]] bool Es_Campo_Suma(std::string A);

}  // namespace ledgernova::templates
