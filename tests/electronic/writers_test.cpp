#include <functional>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "core/contexto.h"
#include "electronic/writers.h"
#include "host/module_state.h"
#include "ledgernova/polizas.h"
#include "support/database_error.h"
#include "support/host_wrappers.h"
#include "support/ledger.h"

namespace ledgernova {
namespace {

using namespace electronic;
using testing::Ledger;

constexpr const char* kFolio = "0000000007";

// The records below put `q` after every text but the unquoted exchange rate, so one call can show
// both plain values and quoted ones.

tPdComprobante comprobante(const std::string& q) {
    return {"6F9619FF-8B86-D011-B42D-00C04FC964FF" + q,
            0.1 + 0.2,
            "AAA010101AAA" + q,
            "MXN" + q,
            "1",
            "PUE" + q};
}

tPdComprobanteOtro comprobante_otro(const std::string& q) {
    return {"A" + q, "123" + q, "BBB010101BBB" + q, 250.75, "USD" + q, 17.5, "PPD" + q};
}

tPdComprobanteExtranjero comprobante_extranjero(const std::string& q) {
    return {"INV-9" + q, "98-7654321" + q, 100.0, "EUR" + q, 20.125, "PUE" + q};
}

tPdCheque cheque(const std::string& q) {
    return {"1001" + q,
            "002" + q,
            "0123456789" + q,
            "2024-03-15" + q,
            1500.0,
            "Juan Pérez" + q,
            "PEJJ800101AAA" + q,
            q,
            "MXN" + q,
            1.0};
}

tPdTransferencia transferencia(const std::string& q) {
    return {"012" + q,
            "0123456789" + q,
            "999" + q,
            "GB29NWBK60161331926819" + q,
            "2024-03-16" + q,
            1234.5,
            "ACME Ltd" + q,
            "XEXX010101000" + q,
            q,
            "Barclays" + q,
            "USD" + q,
            17.25};
}

tPdOtroMetodoPago otro_metodo_pago(const std::string& q) {
    return {"04" + q, "2024-03-17" + q, "Caja" + q, "CCC010101CCC" + q, 99.99, "MXN" + q, "1"};
}

using Escritura =
    std::function<bool(core::Contexto&, const std::string& folio, const std::string& q)>;

struct Caso {
    const char* tabla;
    Escritura escribir;            // one row under line 0003 of the folio
    std::string sentencia;         // for kFolio and plain values
    std::string renglon;           // the row it leaves
    std::string renglon_comillas;  // the row for folio O'7 with a quote after every text
};

std::vector<Caso> casos() {
    return {
        {"Poliza_Detalle_Comprobante",
         [](core::Contexto& c, const std::string& f, const std::string& q) {
             return Insertar_Comprobante(c, f, "0003", comprobante(q));
         },
         "INSERT INTO Poliza_Detalle_Comprobante (    Pl_Folio ,    Pd_ID ,    Pdc_Id , "
         "   Pdc_UUID ,    Pdc_Monto ,    Pdc_RFC,    Pdc_Moneda,    Pdc_Metodo_Pago, "
         "   Pdc_Tipo_Cambio ) Values ( '0000000007', '0003', '0001', "
         "'6F9619FF-8B86-D011-B42D-00C04FC964FF', 0.3 , 'AAA010101AAA', 'MXN', 'PUE', 1  )",
         "0000000007|0003|0001|6F9619FF-8B86-D011-B42D-00C04FC964FF|0.3|AAA010101AAA|MXN|PUE|1\n",
         "O'7|0003|0001|6F9619FF-8B86-D011-B42D-00C04FC964FF'|0.3|AAA010101AAA'|MXN'|PUE'|1\n"},
        {"Poliza_Detalle_Comprobante_Nacional_Otro",
         [](core::Contexto& c, const std::string& f, const std::string& q) {
             return Insertar_Comprobante_Otro(c, f, "0003", comprobante_otro(q));
         },
         "INSERT INTO Poliza_Detalle_Comprobante_Nacional_Otro  (    Pl_Folio ,    Pd_ID , "
         "   Pdco_Id ,    Pdco_Serie ,    Pdco_Folio ,    Pdco_RFC,    Pdco_Monto , "
         "   Pdco_Moneda,    Pdco_Metodo_Pago,    Pdco_Tipo_Cambio ) Values ( '0000000007', "
         "'0003', '0001', 'A', '123', 'BBB010101BBB', 250.75 , 'USD', 'PPD', 17.5  )",
         "0000000007|0003|0001|A|123|BBB010101BBB|250.75|USD|PPD|17.5\n",
         "O'7|0003|0001|A'|123'|BBB010101BBB'|250.75|USD'|PPD'|17.5\n"},
        {"Poliza_Detalle_Comprobante_extranjero",
         [](core::Contexto& c, const std::string& f, const std::string& q) {
             return Insertar_Comprobante_Extranjero(c, f, "0003", comprobante_extranjero(q));
         },
         "INSERT INTO Poliza_Detalle_Comprobante_extranjero  (    Pl_Folio ,    Pd_ID , "
         "   Pdce_Id ,    Pdce_Numero_Factura ,    Pdce_Tax_Id ,    Pdce_Monto , "
         "   Pdce_Moneda,    Pdce_Metodo_Pago,    Pdce_Tipo_Cambio ) Values ( '0000000007', "
         "'0003', '0001', 'INV-9', '98-7654321', 100 , 'EUR', 'PUE', 20.125  )",
         "0000000007|0003|0001|INV-9|98-7654321|100|EUR|PUE|20.125\n",
         "O'7|0003|0001|INV-9'|98-7654321'|100|EUR'|PUE'|20.125\n"},
        {"Poliza_Detalle_Cheque",
         [](core::Contexto& c, const std::string& f, const std::string& q) {
             return Insertar_Cheque(c, f, "0003", cheque(q));
         },
         "INSERT INTO Poliza_Detalle_Cheque (   Pl_Folio,    Pd_ID,    Pdc_Id, "
         "   Pdc_Numero,    Pdc_Banco_Emisor_Nacional,    Pdc_Cuenta_Origen,    Pdc_Fecha, "
         "   Pdc_Monto,    Pdc_Beneficiario,    Pdc_RFC,    Pdc_Banco_Emisor_Extranjero, "
         "   Pdc_Moneda,    Pdc_Tipo_Cambio  ) Values  ( '0000000007', '0003', '0001', "
         "'1001', '002', '0123456789', '2024-03-15', 1500, 'Juan Pérez', 'PEJJ800101AAA', "
         "'', 'MXN', 1 )",
         "0000000007|0003|0001|1001|002|0123456789|2024-03-15|1500|Juan Pérez|PEJJ800101AAA||MXN|"
         "1\n",
         "O'7|0003|0001|1001'|002'|0123456789'|2024-03-15'|1500|Juan Pérez'|PEJJ800101AAA'|'|MXN'|"
         "1\n"},
        {"Poliza_Detalle_Transferencia",
         [](core::Contexto& c, const std::string& f, const std::string& q) {
             return Insertar_Transferencia(c, f, "0003", transferencia(q));
         },
         "INSERT INTO Poliza_Detalle_Transferencia  (    Pl_Folio,    Pd_ID,    Pdt_Id, "
         "   Pdt_Banco_Origen_Nacional,    Pdt_Cuenta_Origen, "
         "   Pdt_Banco_Destino_Nacional,    Pdt_Cuenta_Destino,    Pdt_Fecha,    Pdt_Monto, "
         "   Pdt_Beneficiario,    Pdt_RFC,    Pdt_Banco_Origen_Extranjero, "
         "   Pdt_Banco_Destino_Extranjero,    Pdt_Moneda, "
         "   Pdt_Tipo_Cambio ) Values ( '0000000007', '0003', '0001', '012', '0123456789', "
         "'999', 'GB29NWBK60161331926819', '2024-03-16', 1234.5,   'ACME Ltd', "
         "'XEXX010101000', '', 'Barclays', 'USD', 17.25 )",
         "0000000007|0003|0001|012|0123456789|999|GB29NWBK60161331926819|2024-03-16|1234.5|"
         "ACME Ltd|XEXX010101000||Barclays|USD|17.25\n",
         "O'7|0003|0001|012'|0123456789'|999'|GB29NWBK60161331926819'|2024-03-16'|1234.5|"
         "ACME Ltd'|XEXX010101000'|'|Barclays'|USD'|17.25\n"},
        {"Poliza_Detalle_Otro_Metodo_Pago",
         [](core::Contexto& c, const std::string& f, const std::string& q) {
             return Insertar_Otro_Metodo_Pago(c, f, "0003", otro_metodo_pago(q));
         },
         "INSERT INTO Poliza_Detalle_Otro_Metodo_Pago  (    Pl_Folio ,    Pd_ID , "
         "   Pdo_Id ,    Pdo_Metodo_Pago ,    Pdo_Fecha ,    Pdo_Beneficiario , "
         "   Pdo_RFC ,    Pdo_Monto ,    Pdo_Moneda, "
         "   Pdo_Tipo_Cambio ) Values ( '0000000007', '0003', '0001', '04', '2024-03-17', "
         "'Caja', 'CCC010101CCC', 99.99 , 'MXN', 1  )",
         "0000000007|0003|0001|04|2024-03-17|Caja|CCC010101CCC|99.99|MXN|1\n",
         "O'7|0003|0001|04'|2024-03-17'|Caja'|CCC010101CCC'|99.99|MXN'|1\n"},
    };
}

class WritersTest : public ::testing::Test {
  protected:
    Ledger ledger;
    Polizas polizas;
    core::Contexto contexto{polizas};

    std::string ids(const std::string& tabla, const std::string& columna) {
        return ledger.rows("SELECT Pl_Folio, Pd_ID, " + columna + " FROM " + tabla +
                           " ORDER BY 1, 2, 3");
    }
};

TEST_F(WritersTest, EachWriterRunsItsStatementAndLeavesItsRow) {
    for (const Caso& caso : casos()) {
        SCOPED_TRACE(caso.tabla);
        contexto.Error = "aviso anterior";  // a warning of the caller outlives a success
        ASSERT_TRUE(caso.escribir(contexto, kFolio, "")) << contexto.Error;
        EXPECT_EQ("aviso anterior", contexto.Error);
        EXPECT_EQ(caso.sentencia, ledger.recorder().statements().back());
        EXPECT_EQ(caso.sentencia, host::modulo().Texto_SQL);
        EXPECT_EQ(caso.renglon, ledger.rows(std::string("SELECT * FROM ") + caso.tabla));
    }
}

TEST_F(WritersTest, QuotesInEveryTextAreStoredIntact) {
    for (const Caso& caso : casos()) {
        SCOPED_TRACE(caso.tabla);
        ASSERT_TRUE(caso.escribir(contexto, "O'7", "'")) << contexto.Error;
        EXPECT_EQ(caso.renglon_comillas, ledger.rows(std::string("SELECT * FROM ") + caso.tabla));
    }
    tPdCheque obrien = cheque("");
    obrien.Pdc_Beneficiario = "O'Brien";
    ASSERT_TRUE(Insertar_Cheque(contexto, kFolio, "0001", obrien)) << contexto.Error;
    EXPECT_NE(std::string::npos, ledger.recorder().statements().back().find(", 'O''Brien', "));
    EXPECT_EQ("O'Brien\n", ledger.rows("SELECT Pdc_Beneficiario FROM Poliza_Detalle_Cheque "
                                       "WHERE Pd_ID = '0001'"));
}

TEST_F(WritersTest, RowIdsCountWithinEachLineAndEachTable) {
    ASSERT_TRUE(Insertar_Cheque(contexto, "F1", "0001", cheque("")));
    ASSERT_TRUE(Insertar_Cheque(contexto, "F1", "0001", cheque("")));
    ASSERT_TRUE(Insertar_Cheque(contexto, "F1", "0002", cheque("")));
    ASSERT_TRUE(Insertar_Cheque(contexto, "F2", "0001", cheque("")));
    // The invoice table names its row id as the cheque table does, yet counts on its own.
    ASSERT_TRUE(Insertar_Comprobante(contexto, "F1", "0001", comprobante("")));
    ASSERT_TRUE(Insertar_Transferencia(contexto, "F1", "0001", transferencia("")));
    ASSERT_TRUE(Insertar_Transferencia(contexto, "F1", "0001", transferencia("")));
    EXPECT_EQ("F1|0001|0001\nF1|0001|0002\nF1|0002|0001\nF2|0001|0001\n",
              ids("Poliza_Detalle_Cheque", "Pdc_Id"));
    EXPECT_EQ("F1|0001|0001\n", ids("Poliza_Detalle_Comprobante", "Pdc_Id"));
    EXPECT_EQ("F1|0001|0001\nF1|0001|0002\n", ids("Poliza_Detalle_Transferencia", "Pdt_Id"));
}

TEST_F(WritersTest, AnIdPastFourDigitsIsWrittenWhole) {
    ledger.direct().Execute(
        "INSERT INTO Poliza_Detalle_Otro_Metodo_Pago(Pl_Folio, Pd_ID, Pdo_Id) "
        "VALUES('F1', '0001', '9999')");
    ASSERT_TRUE(Insertar_Otro_Metodo_Pago(contexto, "F1", "0001", otro_metodo_pago("")));
    EXPECT_EQ("F1|0001|10000\nF1|0001|9999\n", ids("Poliza_Detalle_Otro_Metodo_Pago", "Pdo_Id"));
}

TEST_F(WritersTest, AnEmptyExchangeRateTextIsRefusedByTheDatabase) {
    tPdComprobante sin_tipo = comprobante("");
    sin_tipo.Pdc_Tipo_Cambio = "";
    EXPECT_FALSE(Insertar_Comprobante(contexto, kFolio, "0003", sin_tipo));
    EXPECT_TRUE(testing::database_error_is("Insertar_Comprobante() \r\n",
                                           "near \")\": syntax error", "42601", contexto.Error));
    const std::string& sentencia = ledger.recorder().statements().back();
    EXPECT_EQ(", 'MXN', 'PUE',   )", sentencia.substr(sentencia.size() - 19));
    EXPECT_EQ("", ledger.rows("SELECT * FROM Poliza_Detalle_Comprobante"));

    tPdOtroMetodoPago pago = otro_metodo_pago("");
    pago.Pdo_Tipo_Cambio = "";
    EXPECT_FALSE(Insertar_Otro_Metodo_Pago(contexto, kFolio, "0003", pago));
    EXPECT_TRUE(testing::database_error_is("Insertar_Otro_Metodo_Pago() \r\n",
                                           "near \")\": syntax error", "42601", contexto.Error));
}

// Host data services whose detail numbering answers what the test says.
class NumeracionDatos : public testing::DelegatingDatos {
  public:
    using DelegatingDatos::DelegatingDatos;
    std::function<std::string()> siguiente;
    std::string Get_Consecutivo_Detalle(const std::string&, const std::string&, const std::string&,
                                        const std::string&, const std::string&,
                                        const std::string&) override {
        return siguiente();
    }
};

TEST_F(WritersTest, AFailedNumberingEndsWithTheWritersNameAndNoRow) {
    std::shared_ptr<NumeracionDatos> datos;
    ledger.wrap_host([&](HostObjects real) {
        datos = std::make_shared<NumeracionDatos>(real.datos);
        real.datos = datos;
        return real;
    });
    Polizas otra;  // starts the module over the wrapped host
    core::Contexto contexto_otro{otra};
    ledger.recorder().clear();

    datos->siguiente = []() -> std::string { throw std::runtime_error("Sin consecutivo"); };
    EXPECT_FALSE(Insertar_Transferencia(contexto_otro, kFolio, "0003", transferencia("")));
    EXPECT_EQ("Insertar_Transferencia() \r\nSin consecutivo", contexto_otro.Error);

    datos->siguiente = [] { return std::string("siguiente"); };
    EXPECT_FALSE(
        Insertar_Comprobante_Extranjero(contexto_otro, kFolio, "0003", comprobante_extranjero("")));
    EXPECT_EQ("Insertar_Comprobante_Extranjero() \r\nType mismatch", contexto_otro.Error);

    EXPECT_TRUE(ledger.recorder().statements().empty());
    EXPECT_EQ("", ledger.rows("SELECT * FROM Poliza_Detalle_Transferencia"));
}

}  // namespace
}  // namespace ledgernova
