#include "electronic/manual_rows.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "electronic/execution.h"
#include "util/text.h"

namespace ledgernova::electronic {
namespace {

// A field of a manual row and the result column a command gives the same value under.
struct Campo {
    std::string_view nombre;
    std::string_view columna;
};

// A kind and its fields: those of the record its writer stores (as the detail table names its
// columns) and, for cheques and transfers, the cheque register values that the bank and taxpayer
// lookups start from.
struct Forma {
    std::string_view tipo;
    std::vector<Campo> campos;
};

const std::array<Forma, 6>& formas() {
    static const std::array<Forma, 6> kFormas = {{
        {"COMPROBANTE",
         {{"Pdc_UUID", "TIMBRE_UUID"},
          {"Pdc_Monto", "MONTO"},
          {"Pdc_RFC", "RFC"},
          {"Pdc_Moneda", "MONEDA"},
          {"Pdc_Tipo_Cambio", "TIPO_CAMBIO"},
          {"Pdc_Metodo_Pago", "METODO_PAGO"}}},
        {"COMPROBANTE OTRO",
         {{"Pdco_Serie", "SERIE"},
          {"Pdco_Folio", "FOLIO"},
          {"Pdco_RFC", "RFC"},
          {"Pdco_Monto", "MONTO"},
          {"Pdco_Moneda", "MONEDA"},
          {"Pdco_Tipo_Cambio", "TIPO_CAMBIO"},
          {"Pdco_Metodo_Pago", "METODO_PAGO"}}},
        {"COMPROBANTE EXTRANJERO",
         {{"Pdce_Numero_Factura", "NUMERO_FACTURA"},
          {"Pdce_Tax_Id", "TAX_ID"},
          {"Pdce_Monto", "MONTO"},
          {"Pdce_Moneda", "MONEDA"},
          {"Pdce_Tipo_Cambio", "TIPO_CAMBIO"},
          {"Pdce_Metodo_Pago", "METODO_PAGO"}}},
        {"CHEQUE",
         {{"Pdc_Numero", "REFERENCIA"},
          {"Pdc_Banco_Emisor_Nacional", "BANCO_EMISOR_NACIONAL"},
          {"Pdc_Cuenta_Origen", "CUENTA_ORIGEN"},
          {"Pdc_Fecha", "FECHA"},
          {"Pdc_Monto", "MONTO"},
          {"Pdc_Beneficiario", "BENEFICIARIO"},
          {"Pdc_RFC", "RFC"},
          {"Pdc_Banco_Emisor_Extranjero", "BANCO_EMISOR_EXTRANJERO"},
          {"Pdc_Moneda", "MONEDA"},
          {"Pdc_Tipo_Cambio", "TIPO_CAMBIO"},
          {"Ch_Folio", "FOLIO"},
          {"Ch_Solicitar_Valor", "SOLICITAR_VALOR"},
          {"Ch_Cuenta_Destino", "CUENTA_DESTINO"},
          {"Tc_Cve_Tipo_Cheque", "TIPO_CHEQUE"}}},
        {"TRANSFERENCIA",
         {{"Pdt_Banco_Origen_Nacional", "BANCO_ORIGEN_NACIONAL"},
          {"Pdt_Cuenta_Origen", "CUENTA_ORIGEN"},
          {"Pdt_Banco_Destino_Nacional", "BANCO_DESTINO_NACIONAL"},
          {"Pdt_Cuenta_Destino", "CUENTA_DESTINO"},
          {"Pdt_Fecha", "FECHA"},
          {"Pdt_Monto", "MONTO"},
          {"Pdt_Beneficiario", "BENEFICIARIO"},
          {"Pdt_RFC", "RFC"},
          {"Pdt_Banco_Origen_Extranjero", "BANCO_ORIGEN_EXTRANJERO"},
          {"Pdt_Banco_Destino_Extranjero", "BANCO_DESTINO_EXTRANJERO"},
          {"Pdt_Moneda", "MONEDA"},
          {"Pdt_Tipo_Cambio", "TIPO_CAMBIO"},
          {"Ch_Folio", "FOLIO"},
          {"Ch_Solicitar_Valor", "SOLICITAR_VALOR"},
          {"Tc_Cve_Tipo_Cheque", "TIPO_CHEQUE"}}},
        {"OTRO METODO PAGO",
         {{"Pdo_Metodo_Pago", "METODO_PAGO"},
          {"Pdo_Fecha", "FECHA"},
          {"Pdo_Beneficiario", "BENEFICIARIO"},
          {"Pdo_RFC", "RFC"},
          {"Pdo_Monto", "MONTO"},
          {"Pdo_Moneda", "MONEDA"},
          {"Pdo_Tipo_Cambio", "TIPO_CAMBIO"}}},
    }};
    return kFormas;
}

const Forma* forma_de(const std::string& Tipo) {
    const std::string tipo = util::to_upper(Tipo);
    const auto forma = std::ranges::find(formas(), tipo, &Forma::tipo);
    return forma == formas().end() ? nullptr : &*forma;
}

// The row as a command's one-row result; false, with the error text, for a field the kind lacks.
bool como_resultado(core::Contexto& contexto, const Forma& forma, const tPdElectronico& Fila,
                    db::Recordset& resultado) {
    std::vector<std::string> columnas;
    std::vector<Variant> valores;
    for (const auto& [nombre, valor] : Fila.Campos) {
        const auto campo = std::ranges::find(forma.campos, nombre, &Campo::nombre);
        if (campo == forma.campos.end()) {
            contexto.Error = "El detalle electrónico " + std::string(forma.tipo) +
                             " no tiene el campo " + nombre;
            return false;
        }
        const auto repetida = std::ranges::find(columnas, campo->columna);
        if (repetida != columnas.end()) {
            // As a repeated key of any object: the last value counts.
            valores[static_cast<std::size_t>(repetida - columnas.begin())] = Variant(valor);
            continue;
        }
        columnas.emplace_back(campo->columna);
        valores.emplace_back(valor);
    }
    resultado = db::Recordset(std::move(columnas), {std::move(valores)});
    return true;
}

}  // namespace

bool Insertar_Detalle_Manual(core::Contexto& contexto, const std::string& Pl_Folio,
                             const std::string& Pd_ID, const tPdElectronico& Fila) {
    const Forma* forma = forma_de(Fila.Tipo);
    if (forma == nullptr) {
        contexto.Error = "Tipo de detalle electrónico desconocido: " + Fila.Tipo;
        return false;
    }
    db::Recordset resultado;
    return como_resultado(contexto, *forma, Fila, resultado) &&
           Escribir_Filas(contexto, Pl_Folio, Pd_ID, Fila.Tipo, std::move(resultado));
}

}  // namespace ledgernova::electronic
