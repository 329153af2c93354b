#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/contexto.h"
#include "electronic/execution.h"
#include "ledgernova/polizas.h"
#include "support/ledger.h"

namespace ledgernova::testing {

// Electronic detail entries of line 0003 of voucher P0001, run over a fresh ledger.
class ExecutionFixture : public ::testing::Test {
  protected:
    static constexpr const char* kFolio = "P0001";
    static constexpr const char* kLinea = "0003";

    Ledger ledger;
    Polizas polizas;
    core::Contexto contexto{polizas};
    bool ejecutado = false;  // the entry's Ejecutado after the last run

    // The module's validation switch, through the parameter it is read from at start-up.
    void validacion(bool encendida) {
        ledger.set_param("CON_VALIDAR_DATOS_CONTABILIDAD_ELECTRONICA", encendida ? "1" : "0");
        ledger.restart_module();
    }

    bool corre(const std::string& tipo, const std::string& comando) {
        electronic::tPlDetalleElectronico detalle{tipo, comando, true};
        contexto.Error = "error anterior";
        const bool resultado = electronic::Ejecutar_Consulta(contexto, kFolio, kLinea, detalle);
        ejecutado = detalle.Ejecutado;
        return resultado;
    }

    // The rows of a detail table, in row id order.
    std::string filas(const std::string& tabla) {
        return ledger.rows("SELECT * FROM " + tabla + " ORDER BY 3");
    }

    // The statements the component ran that contain `texto`.
    std::vector<std::string> sentencias_con(const std::string& texto) {
        std::vector<std::string> encontradas;
        for (const std::string& sentencia : ledger.recorder().statements()) {
            if (sentencia.find(texto) != std::string::npos) {
                encontradas.push_back(sentencia);
            }
        }
        return encontradas;
    }
};

// Openings of the check messages that both the invoice and the payment kinds give.
inline const std::string kM = "No se encontró la columna en el comando especificado:";
inline const std::string kE = "No se encontró la columna en el comando especificado o esta vacía:";

// The lines every check message ends with, for voucher P0001 and line 0003.
inline std::string bloque(const std::string& tipo, const std::string& comando) {
    return "=> POLIZA: P0001\r\n=> ID: 0003\r\n=> TIPO: " + tipo + "\r\n=> SQL: " + comando;
}

inline std::string mensaje(const std::string& prefijo, const std::string& etiqueta,
                           const std::string& tipo, const std::string& comando) {
    return prefijo + "\r\n" + etiqueta + "\r\n" + bloque(tipo, comando);
}

}  // namespace ledgernova::testing
