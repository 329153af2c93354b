#include "templates/line_detail.h"

#include <string>

#include "templates/diagnostic.h"
#include "util/text.h"

namespace ledgernova::templates {
namespace {

const std::string kCrLf(util::kCrLf);

enum class Clase { Comprobante, Pago, Otra };

// The names are upper-case ASCII, which upper-casing makes of ASCII letters only.
Clase clase_de(const std::string& tipo) {
    const auto es = [&](std::string_view nombre) { return util::iequals(tipo, nombre); };
    if (es("COMPROBANTE") || es("COMPROBANTE OTRO") || es("COMPROBANTE EXTRANJERO")) {
        return Clase::Comprobante;
    }
    if (es("CHEQUE") || es("TRANSFERENCIA") || es("OTRO METODO PAGO")) {
        return Clase::Pago;
    }
    return Clase::Otra;
}

struct Cuentas {
    int ejecutadas = 0;
    int fallidas = 0;
    int comprobantes = 0;
    int comprobantes_completos = 0;
    int pagos = 0;
    int pagos_completos = 0;
    std::string fallas;  // F: the failure texts, one after the other

    void clasificar(const electronic::tPlDetalleElectronico& entrada) {
        switch (clase_de(entrada.Tipo)) {
            case Clase::Comprobante:
                ++comprobantes;
                comprobantes_completos += entrada.Ejecutado ? 1 : 0;
                break;
            case Clase::Pago:
                ++pagos;
                pagos_completos += entrada.Ejecutado ? 1 : 0;
                break;
            case Clase::Otra:
                break;
        }
    }

    // One completed entry of a kind covers the failed ones of that kind; a lone failure stops.
    [[nodiscard]] bool detener() const {
        if (ejecutadas == 1 && fallidas == 1) {
            return true;
        }
        return ejecutadas > 1 && fallidas > 0 &&
               ((comprobantes > 0 && comprobantes_completos == 0) ||
                (pagos > 0 && pagos_completos == 0));
    }
};

std::string texto_de_falla(const core::Contexto& contexto) {
    const auto& header = contexto.header;
    const auto& line = contexto.line;
    return "ledgerNova.dll - Genera_Poliza()" + kCrLf +
           "No se pudo ejecutar la consulta para el detalle!" + kCrLf + contexto.Error + kCrLf +
           bloque_diagnostico({header.Pl_Configuracion, Variant(header.Pl_Fecha).to_text(),
                               line.Cc_Cve_Cuenta_Contable, line.Pd_Centro_Costo, line.Pd_Concepto,
                               line.Pd_Referencia, Variant(line.Pd_Importe).to_text(),
                               line.Pd_Tipo == eTmCargo});
}

void llenar_entradas(const FilaDetalle& row, EntradasElectronicas& entradas) {
    for (std::size_t i = 0; i < entradas.size(); ++i) {
        entradas[i].Tipo = row.texto(kTipoDetalle + 2 * i);
        entradas[i].Comando = row.texto(kTipoDetalle + 2 * i + 1);
    }
}

}  // namespace

bool Detalle_Electronico_Linea(core::Contexto& contexto, const FilaDetalle& row,
                               EntradasElectronicas& entradas) {
    llenar_entradas(row, entradas);
    Cuentas cuentas;
    for (auto& entrada : entradas) {
        if (entrada.Comando.empty() || entrada.Tipo.empty()) {
            entrada.Ejecutado = true;
            continue;
        }
        ++cuentas.ejecutadas;
        if (!electronic::Ejecutar_Consulta(contexto, contexto.header.Pl_Folio, contexto.line.Pd_ID,
                                           entrada)) {
            ++cuentas.fallidas;
            cuentas.fallas += texto_de_falla(contexto);
        }
        cuentas.clasificar(entrada);
    }
    if (cuentas.detener()) {
        contexto.Error = cuentas.fallas;
        return false;
    }
    return true;
}

}  // namespace ledgernova::templates
