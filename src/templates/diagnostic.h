#pragma once

#include <string>

namespace ledgernova::templates {

// The values of one voucher line as the generation's stopping messages show them, already in
// text form (dates and amounts in the platform's default conversion).
struct LineaDiagnostico {
    std::string configuracion;
    std::string fecha;
    std::string cuenta;
    std::string centro_costo;
    std::string concepto;
    std::string referencia;
    std::string importe;
    bool cargo = false;
};

// "=>Configuración:...", CRLF, ... "=>Tipo:CARGO" or "=>Tipo:ABONO", without a final CRLF.
[[nodiscard]] std::string bloque_diagnostico(const LineaDiagnostico& linea);

}  // namespace ledgernova::templates
