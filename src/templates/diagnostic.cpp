#include "templates/diagnostic.h"

#include "util/text.h"

namespace ledgernova::templates {

std::string bloque_diagnostico(const LineaDiagnostico& linea) {
    const std::string crlf(util::kCrLf);
    return "=>Configuración:" + linea.configuracion + crlf +  //
           "=>Fecha:" + linea.fecha + crlf +                  //
           "=>Cuenta:" + linea.cuenta + crlf +                //
           "=>Ce.Co.:" + linea.centro_costo + crlf +          //
           "=>Concepto:" + linea.concepto + crlf +            //
           "=>Referencia:" + linea.referencia + crlf +        //
           "=>Importe:" + linea.importe + crlf +              //
           "=>Tipo:" + (linea.cargo ? "CARGO" : "ABONO");
}

}  // namespace ledgernova::templates
