#pragma once

#include <string>
#include <vector>

#include "export/document.h"
#include "ledgernova/chart.h"
#include "ledgernova/export_catalogue.h"

namespace ledgernova::sat {

// The RFC the file carries, or why it has none.
struct FilerRfc {
    std::string rfc;
    std::string problem;  // empty when `rfc` is the one to write
};

// The Catalogo element of the request: its attributes, and one Ctas per account in the order
// given, each Ctas's origin row its account key. A parent missing from `accounts` and a level that
// is not the parent's plus one are known problems of SubCtaDe and Nivel.
[[nodiscard]] Element build_catalogue(const CatalogueRequest& request, const FilerRfc& filer,
                                      const std::vector<Account>& accounts);

}  // namespace ledgernova::sat
