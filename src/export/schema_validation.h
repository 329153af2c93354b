#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ledgernova::sat {

// The tax administration's electronic accounting schemas that ship with the component, laid out
// as published (one folder each) so that their relative imports of the catalogues resolve.
enum class Schema {
    PolizasPeriodo,       // PolizasPeriodo/PolizasPeriodo_1_3.xsd
    CatalogoCuentas,      // CatalogoCuentas/CatalogoCuentas_1_3.xsd
    BalanzaComprobacion,  // BalanzaComprobacion/BalanzaComprobacion_1_3.xsd
    Catalogos             // CatalogosParaEsqContE/CatalogosParaEsqContE.xsd
};

// The schema's file below the schemas folder, "CatalogoCuentas/CatalogoCuentas_1_3.xsd".
[[nodiscard]] std::string schema_file(Schema schema);

// The first folder that holds the shipped schemas: the environment's LEDGERNOVA_SAT_SCHEMAS when
// set (then that one, whether it holds them or not), else the installed copy (share/ledgernova/sat
// under the prefix the component was built for, or beside the running program's bin folder), else
// the source tree's share/sat. An empty path when none holds them.
[[nodiscard]] std::filesystem::path schemas_folder();

// What libxml2 finds wrong with `xml` against the schema, one problem an entry
// ("line 3: Element '...': ..."; an enumeration's whole set of values is left out of the text).
// Empty when the document is valid. A missing or unreadable schema is one problem naming where
// it was looked for. The schema is parsed once per process; safe to call from several threads.
[[nodiscard]] std::vector<std::string> schema_problems(Schema schema, std::string_view xml);

// The values the catalogues schema enumerates for one of its simple types ("c_CodAgrup",
// "c_Banco", ...), in the order listed; empty when the type or the schema is missing.
[[nodiscard]] std::vector<std::string> catalogue_values(std::string_view type);

}  // namespace ledgernova::sat
