#pragma once

#include <string>
#include <vector>

#include "export/document.h"
#include "export/trial_balance.h"
#include "export/xml_writer.h"
#include "ledgernova/export_balance.h"

namespace ledgernova::sat {

// The namespace of BalanzaComprobacion 1.3 and where its schema is published.
inline constexpr XmlNamespace kBalanceNamespace = {
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/BalanzaComprobacion", "BCE",
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/BalanzaComprobacion "
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/BalanzaComprobacion/"
    "BalanzaComprobacion_1_3.xsd"};

// The Balanza element of the request (whose rfc is already the one to deliver) with one Ctas per
// account of the trial balance, amounts with two decimals.
[[nodiscard]] Element balance_document(const BalanceRequest& request,
                                       const std::vector<AccountBalance>& accounts);

// What the request itself gets wrong that the schema would not explain: no RFC to deliver;
// FechaModBal goes with a complementary delivery (C) and only with it.
[[nodiscard]] std::vector<ExportProblem> check_balance_request(const BalanceRequest& request);

}  // namespace ledgernova::sat
