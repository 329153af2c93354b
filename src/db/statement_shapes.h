#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/parameterizer.h"

namespace ledgernova::db {

// Parameterizes the statements of one connection. A statement composed again for another
// document differs from an earlier one of its kind only in its values: checked against the last
// few of its kind (the code between the values the same byte for byte, each value a token of the
// same kind), it takes the parameterized text of the one it matches without being scanned again.
// Any other text is parameterized in full and becomes the latest of its kind.
class StatementShapes {
  public:
    explicit StatementShapes(ParameterStyle style) : style_(style) {}

    // As parameterize(): `result` may point into `sql`, which must outlive it.
    void parameterize(std::string_view sql, Parameterized& result);

    // How many texts took the parameterized text of an earlier one of their kind.
    [[nodiscard]] std::int64_t reused() const { return reused_; }

  private:
    struct Shape {
        std::string written;  // a text of its kind
        std::string text;     // and its parameterized text
        std::vector<Parameterized::Source> sources;
    };

    [[nodiscard]] bool keepable(std::string_view sql, const Parameterized& result) const;
    void keep(std::uint64_t kind, std::string_view sql, const Parameterized& result);

    ParameterStyle style_;
    // By the kind of the text, the latest first.
    std::unordered_map<std::uint64_t, std::vector<Shape>> shapes_;
    std::int64_t reused_ = 0;
};

}  // namespace ledgernova::db
