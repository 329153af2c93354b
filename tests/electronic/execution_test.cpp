#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "electronic/execution_fixture.h"
#include "host/module_state.h"
#include "support/host_wrappers.h"

namespace ledgernova {
namespace {

using testing::bloque;
using testing::kE;
using testing::kM;
using testing::mensaje;

const std::string kSinResultados = "No se encontraron resultados para el detalle electrónico: ";

// Numbers the third detail row of a line with the id the second already has, so that the database
// refuses its insert.
class IdRepetido : public testing::DelegatingDatos {
  public:
    using DelegatingDatos::DelegatingDatos;
    std::string Get_Consecutivo_Detalle(const std::string& Tabla, const std::string& Campo,
                                        const std::string& Llave1, const std::string& Valor1,
                                        const std::string& Llave2,
                                        const std::string& Valor2) override {
        const std::string id =
            DelegatingDatos::Get_Consecutivo_Detalle(Tabla, Campo, Llave1, Valor1, Llave2, Valor2);
        return id == "3" ? "2" : id;
    }
};

class ExecutionTest : public testing::ExecutionFixture {
  protected:
    // The invoices behind the voucher lines, as the template's commands read them.
    ExecutionTest() {
        ledger.direct().Execute(
            "CREATE TABLE Factura (Fa_Folio TEXT PRIMARY KEY, Fa_Serie TEXT, Fa_UUID TEXT,"
            " Fa_Total NUMERIC, Fa_RFC TEXT, Fa_Metodo TEXT, Fa_Moneda TEXT, Fa_Cambio TEXT,"
            " Fa_Tax_Id TEXT);"
            "INSERT INTO Factura VALUES"
            " ('F1', 'A', 'UUID-1', 1500, 'AAA010101AAA', 'PUE', 'USD', '17.250', '98-1'),"
            " ('F2', 'A', 'UUID-2', 250.5, 'BBB010101BBB', 'PPD', '', '', '98-2'),"
            " ('F3', '', '', 99.99, '', '', 'MXN', '1', ''),"
            " ('F4', 'B', 'RECHAZADO', 10, 'DDD010101DDD', 'PUE', 'MXN', '1', '98-4'),"
            " ('F5', 'B', 'UUID-5', 20, 'EEE010101EEE', 'PUE', 'MXN', '1) --', '98-5'),"
            " ('F6', 'C', 'UUID-6', 60, 'FFF010101FFF', '', 'MXN', '1', '98-6'),"
            " ('F7', '', 'UUID-7', 70, 'GGG010101GGG', 'PUE', 'MXN', '1', ''),"
            " ('F8', 'C', NULL, 80, 'HHH010101HHH', 'PUE', 'MXN', '1', '98-8');");
    }

    // A fiscal-invoice command over the given invoices, in folio order.
    static std::string comprobantes(const std::string& folios) {
        return "SELECT Fa_UUID AS TIMBRE_UUID, Fa_Total AS CD_MONTO, Fa_RFC AS Cd_Rfc_Emisor,"
               " Fa_Metodo AS METODO_PAGO FROM Factura WHERE Fa_Folio IN (" +
               folios + ") ORDER BY Fa_Folio";
    }
};

TEST_F(ExecutionTest, FailedCheckStopsWithTheSixLinesOfItsMessage) {
    const std::string comando = comprobantes("'F1', 'F3'");
    EXPECT_FALSE(corre("COMPROBANTE", comando));
    EXPECT_EQ(
        "No se encontró la columna en el comando especificado o esta vacía:\r\n"
        "=> COLUMNA: UUID\r\n"
        "=> POLIZA: P0001\r\n"
        "=> ID: 0003\r\n"
        "=> TIPO: COMPROBANTE\r\n"
        "=> SQL: " +
            comando,
        contexto.Error);
    EXPECT_FALSE(ejecutado);
    // The row before the one that stopped stays written.
    EXPECT_EQ("P0001|0003|0001|UUID-1|1500|AAA010101AAA|MXN|PUE|1\n",
              filas("Poliza_Detalle_Comprobante"));
}

TEST_F(ExecutionTest, CommandWithoutRowsStopsUnderTheValidationSwitch) {
    validacion(true);
    const std::string comando = comprobantes("'NINGUNA'");
    for (const char* tipo : {"COMPROBANTE", "cheque", "PAGARE"}) {
        SCOPED_TRACE(tipo);
        EXPECT_FALSE(corre(tipo, comando));
        EXPECT_EQ(kSinResultados + "\r\n" + bloque(tipo, comando), contexto.Error);
        EXPECT_FALSE(ejecutado);
        EXPECT_EQ("", host::modulo().Texto_SQL);
    }
    EXPECT_TRUE(sentencias_con("INSERT").empty());
}

TEST_F(ExecutionTest, CommandWithoutRowsWritesOneDefaultRowWithTheSwitchOff) {
    validacion(false);
    const std::string comando = comprobantes("'NINGUNA'");
    struct Caso {
        const char* tipo;
        const char* tabla;
        const char* fila;
    };
    const Caso casos[] = {
        {"COMPROBANTE", "Poliza_Detalle_Comprobante", "P0001|0003|0001||0||MXN||1\n"},
        {"Comprobante Otro", "Poliza_Detalle_Comprobante_Nacional_Otro",
         "P0001|0003|0001||||0|MXN||1\n"},
        {"COMPROBANTE EXTRANJERO", "Poliza_Detalle_Comprobante_extranjero",
         "P0001|0003|0001|||0|MXN||1\n"},
        {"cheque", "Poliza_Detalle_Cheque", "P0001|0003|0001|||||0||||MXN|1\n"},
        {"TRANSFERENCIA", "Poliza_Detalle_Transferencia", "P0001|0003|0001||||||0|||||MXN|1\n"},
        {"OTRO METODO PAGO", "Poliza_Detalle_Otro_Metodo_Pago", "P0001|0003|0001|||||0|MXN|1\n"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.tipo);
        EXPECT_TRUE(corre(caso.tipo, comando));
        EXPECT_EQ(kSinResultados + "\r\n" + bloque(caso.tipo, comando), contexto.Error);
        EXPECT_FALSE(ejecutado);
        EXPECT_EQ(caso.fila, filas(caso.tabla));
    }
    EXPECT_TRUE(corre("PAGARE", comando));  // a kind of no table writes nothing
    EXPECT_EQ(kSinResultados + "\r\n" + bloque("PAGARE", comando), contexto.Error);
    EXPECT_EQ(6U, sentencias_con("INSERT").size());
}

TEST_F(ExecutionTest, EmptyCommandRunsNothing) {
    EXPECT_TRUE(corre("COMPROBANTE", ""));
    EXPECT_EQ("", contexto.Error);
    EXPECT_FALSE(ejecutado);
    EXPECT_TRUE(sentencias_con("Poliza_Detalle").empty());
}

TEST_F(ExecutionTest, WarningChecksLeaveTheirMessageAndStillWrite) {
    struct Caso {
        const char* tipo;
        std::string comando;
        const char* tabla;
        const char* fila;
        const char* etiqueta;
    };
    const Caso casos[] = {
        {"COMPROBANTE", comprobantes("'F6'"), "Poliza_Detalle_Comprobante",
         "P0001|0003|0001|UUID-6|60|FFF010101FFF|MXN||1\n", "=> COLUMNA: METODO_PAGO"},
        {"COMPROBANTE OTRO",
         "SELECT Fa_Serie AS SERIE, Fa_Folio AS FOLIO, Fa_RFC AS RFC_TERCERO, Fa_Total AS MONTO,"
         " Fa_Metodo AS METODO_PAGO FROM Factura WHERE Fa_Folio = 'F7'",
         "Poliza_Detalle_Comprobante_Nacional_Otro",
         "P0001|0003|0001||F7|GGG010101GGG|70|MXN|PUE|1\n", "=> COLUMNA: SERIE"},
        {"COMPROBANTE EXTRANJERO",
         "SELECT Fa_Folio AS NUMERO_FACTURA, Fa_Tax_Id AS TAX_ID, Fa_Total AS MONTO,"
         " Fa_Metodo AS METODO_PAGO FROM Factura WHERE Fa_Folio = 'F7'",
         "Poliza_Detalle_Comprobante_extranjero", "P0001|0003|0001|F7||70|MXN|PUE|1\n",
         "=> COLUMNA: TAX_ID"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.tipo);
        EXPECT_TRUE(corre(caso.tipo, caso.comando));
        EXPECT_EQ(mensaje(kE, caso.etiqueta, caso.tipo, caso.comando), contexto.Error);
        EXPECT_TRUE(ejecutado);
        EXPECT_EQ(caso.fila, filas(caso.tabla));
    }
}

TEST_F(ExecutionTest, StoppingChecksWithTheSwitchOffWriteTheValuesAsTheyAre) {
    validacion(false);
    // No amount column; F3 also lacks UUID, RFC and payment method. Only the last message stays.
    const std::string comando =
        "SELECT Fa_UUID AS TIMBRE_UUID, Fa_RFC AS RFC_TERCERO, Fa_Metodo AS METODO_PAGO"
        " FROM Factura WHERE Fa_Folio IN ('F1', 'F3') ORDER BY Fa_Folio DESC";
    EXPECT_TRUE(corre("COMPROBANTE", comando));
    EXPECT_EQ(mensaje(kM, "=> COLUMNA: MONTO", "COMPROBANTE", comando), contexto.Error);
    EXPECT_TRUE(ejecutado);
    EXPECT_EQ(
        "P0001|0003|0001||0||MXN||1\n"
        "P0001|0003|0002|UUID-1|0|AAA010101AAA|MXN|PUE|1\n",
        filas("Poliza_Detalle_Comprobante"));
}

TEST_F(ExecutionTest, WriterFailingOnTheThirdRowLeavesTheFirstTwo) {
    ledger.wrap_host([](HostObjects real) {
        real.datos = std::make_shared<IdRepetido>(real.datos);
        return real;
    });
    EXPECT_FALSE(corre("COMPROBANTE", comprobantes("'F1', 'F2', 'F4', 'F6'")));
    const std::string prefijo = "Ejecutar_Consulta()\r\nInsertar_Comprobante() \r\n";
    EXPECT_EQ(prefijo, contexto.Error.substr(0, prefijo.size()));
    if (!testing::Ledger::on_server()) {
        EXPECT_EQ(prefijo +
                      "UNIQUE constraint failed: Poliza_Detalle_Comprobante.Pl_Folio, "
                      "Poliza_Detalle_Comprobante.Pd_ID, Poliza_Detalle_Comprobante.Pdc_Id",
                  contexto.Error);
    }
    EXPECT_FALSE(ejecutado);
    EXPECT_EQ(
        "P0001|0003|0001|UUID-1|1500|AAA010101AAA|MXN|PUE|1\n"
        "P0001|0003|0002|UUID-2|250.5|BBB010101BBB|MXN|PPD|1\n",
        filas("Poliza_Detalle_Comprobante"));
}

TEST_F(ExecutionTest, CurrencyAndExchangeRateOfEachRow) {
    const std::string sin_moneda =
        "SELECT Fa_Folio AS NUMERO_FACTURA, Fa_Tax_Id AS TAX_ID, Fa_Total AS MONTO,"
        " Fa_Metodo AS METODO_PAGO FROM Factura WHERE Fa_Folio = 'F1'";
    EXPECT_TRUE(corre("COMPROBANTE EXTRANJERO", sin_moneda));
    EXPECT_EQ("MXN", contexto.Moneda_Local);  // the parameter is not set

    ledger.set_param("FIN_MONEDA_LOCAL", "EUR");
    EXPECT_TRUE(corre("COMPROBANTE EXTRANJERO", sin_moneda));
    EXPECT_EQ("EUR", contexto.Moneda_Local);
    EXPECT_EQ(
        "P0001|0003|0001|F1|98-1|1500|MXN|PUE|1\n"
        "P0001|0003|0002|F1|98-1|1500|EUR|PUE|1\n",
        filas("Poliza_Detalle_Comprobante_extranjero"));

    // A currency given empty stays empty; a rate given empty is 1.
    const std::string con_moneda =
        "SELECT Fa_Serie AS SERIE, Fa_Folio AS FOLIO, Fa_RFC AS RFC, Fa_Total AS MONTO,"
        " Fa_Moneda AS MONEDA, Fa_Cambio AS TIPO_CAMBIO, Fa_Metodo AS METODO_PAGO"
        " FROM Factura WHERE Fa_Folio IN ('F1', 'F2') ORDER BY Fa_Folio";
    EXPECT_TRUE(corre("COMPROBANTE OTRO", con_moneda));
    EXPECT_EQ(
        "P0001|0003|0001|A|F1|AAA010101AAA|1500|USD|PUE|17.25\n"
        "P0001|0003|0002|A|F2|BBB010101BBB|250.5||PPD|1\n",
        filas("Poliza_Detalle_Comprobante_Nacional_Otro"));

    // The rate goes into the statement as the number it stands for, never as the column's text.
    const std::string comprobante =
        "SELECT Fa_UUID AS TIMBRE_UUID, Fa_Total AS MONTO, Fa_RFC AS RFC, Fa_Metodo AS METODO_PAGO,"
        " Fa_Moneda AS MONEDA, Fa_Cambio AS TIPO_CAMBIO FROM Factura WHERE Fa_Folio = ";
    EXPECT_TRUE(corre("COMPROBANTE", comprobante + "'F1'"));
    EXPECT_NE(std::string::npos, ledger.recorder().statements().back().find("'PUE', 17.25  )"));
    EXPECT_FALSE(corre("COMPROBANTE", comprobante + "'F5'"));
    EXPECT_EQ("Ejecutar_Consulta() - COMPROBANTE\r\nType mismatch", contexto.Error);
    EXPECT_EQ("P0001|0003|0001|UUID-1|1500|AAA010101AAA|USD|PUE|17.25\n",
              filas("Poliza_Detalle_Comprobante"));
}

TEST_F(ExecutionTest, UnforeseenFailuresNameTheKindAsReceived) {
    EXPECT_FALSE(corre("comprobante", "SELEC Fa_UUID AS TIMBRE_UUID FROM Factura"));
    // The description is the database's own; each database words it its own way.
    const std::string prefijo = "Ejecutar_Consulta() - comprobante\r\n";
    EXPECT_EQ(prefijo, contexto.Error.substr(0, prefijo.size()));
    if (!testing::Ledger::on_server()) {
        EXPECT_EQ(prefijo + "near \"SELEC\": syntax error", contexto.Error);
    }
    EXPECT_FALSE(ejecutado);

    EXPECT_FALSE(corre("Comprobante", comprobantes("'F8'")));
    EXPECT_EQ("Ejecutar_Consulta() - Comprobante\r\nInvalid use of Null", contexto.Error);

    EXPECT_FALSE(corre("COMPROBANTE OTRO",
                       "SELECT Fa_Folio AS FOLIO, Fa_RFC AS RFC, Fa_Tax_Id AS MONTO FROM Factura"
                       " WHERE Fa_Folio = 'F1'"));
    EXPECT_EQ("Ejecutar_Consulta() - COMPROBANTE OTRO\r\nType mismatch", contexto.Error);
    EXPECT_TRUE(sentencias_con("INSERT").empty());
}

TEST_F(ExecutionTest, TypeIsMatchedInAnyLetterCaseButNotTrimmed) {
    EXPECT_TRUE(corre("comprobante", comprobantes("'F1'")));
    EXPECT_TRUE(ejecutado);
    EXPECT_EQ("", contexto.Error);
    EXPECT_TRUE(corre(" COMPROBANTE", comprobantes("'F1', 'F2'")));
    EXPECT_TRUE(ejecutado);
    EXPECT_EQ("", contexto.Error);
    EXPECT_EQ("P0001|0003|0001|UUID-1|1500|AAA010101AAA|MXN|PUE|1\n",
              filas("Poliza_Detalle_Comprobante"));
}

}  // namespace
}  // namespace ledgernova
