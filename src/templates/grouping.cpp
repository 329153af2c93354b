#include "templates/grouping.h"

#include <algorithm>

#include "util/text.h"

namespace ledgernova::templates {
namespace {

std::string append_to_list(const std::string& G, const std::string& X) {
    return G.empty() ? X : G + ", " + std::string(util::kCrLf) + X;
}

std::string without_line_breaks(const std::string& text) {
    return util::replace_all(text, util::kCrLf, "");
}

// Position counted from 1, 0 when absent: the positions the sum test compares.
std::size_t position_of(const std::string& text, std::string_view what) {
    const auto found = text.find(what);
    return found == std::string::npos ? 0 : found + 1;
}

bool is_text_constant(const std::string& X) {
    const std::string T = util::trim_blanks(util::replace_all(without_line_breaks(X), "\t", ""));
    return !T.empty() && T.front() == '\'' && T.back() == '\'';
}

}  // namespace

std::string Agrega_Campo_Group_By(std::string X, const std::string& G) {
    X = util::trim_blanks(X);
    if (X.empty()) {
        return G;
    }
    if (is_text_constant(X)) {
        // A constant is not grouped; quotes beyond its own two mean text joined to columns.
        return std::count(X.begin(), X.end(), '\'') <= 2 ? G : append_to_list(G, X);
    }
    if (util::find_any_case(X, "SELECT ") != std::string_view::npos) {
        return G;
    }
    return append_to_list(G, X);
}

bool Es_Campo_Suma(std::string A) {
    A = util::to_upper(util::trim_blanks(without_line_breaks(A)));
    const std::size_t s = position_of(A, "SELECT ");
    const std::size_t f = position_of(A, "FROM ");
    const std::size_t m = position_of(A, "SUM(");
    return m > 0 && !(s > 0 && f > 0 && m >= s);
}

}  // namespace ledgernova::templates
