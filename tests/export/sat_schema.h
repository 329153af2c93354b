#pragma once

#include <string>
#include <string_view>

#include "export/schema_validation.h"

namespace ledgernova::testing {

// libxml2's verdict on a document against a shipped schema: "" when valid, else its problems
// one a line.
inline std::string schema_errors(sat::Schema schema, std::string_view xml) {
    std::string text;
    for (const auto& problem : sat::schema_problems(schema, xml)) {
        text += problem + "\n";
    }
    return text;
}

inline std::string polizas_schema_errors(std::string_view xml) {
    return schema_errors(sat::Schema::PolizasPeriodo, xml);
}

}  // namespace ledgernova::testing

// Skips the test when the shipped schemas cannot be found.
#define LEDGERNOVA_REQUIRE_SAT_SCHEMA()                                                         \
    do {                                                                                        \
        if (::ledgernova::sat::schemas_folder().empty()) {                                      \
            GTEST_SKIP() << "the electronic accounting schemas are missing (share/sat, or set " \
                            "LEDGERNOVA_SAT_SCHEMAS)";                                          \
        }                                                                                       \
    } while (false)
