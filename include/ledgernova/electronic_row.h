#pragma once

#include <string>
#include <utility>
#include <vector>

namespace ledgernova {

// One electronic detail row that a manual voucher line carries. `Tipo` names its kind as a
// template's detail entries do ("COMPROBANTE", "COMPROBANTE OTRO", "COMPROBANTE EXTRANJERO",
// "CHEQUE", "TRANSFERENCIA", "OTRO METODO PAGO", in any letter case); `Campos` gives its values as
// text by the names of the detail table's columns ("Pdc_UUID", "Pdc_Monto", ...) and, for cheques
// and transfers, of the cheque register columns that lookups start from ("Ch_Folio", ...). A field
// left out counts as missing, exactly as a column that a template's command does not give.
struct tPdElectronico {
    std::string Tipo;
    std::vector<std::pair<std::string, std::string>> Campos;

    friend bool operator==(const tPdElectronico&, const tPdElectronico&) = default;
};

}  // namespace ledgernova
