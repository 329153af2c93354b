#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "electronic/execution_fixture.h"
#include "support/host_wrappers.h"

namespace ledgernova {
namespace {

using testing::kE;
using testing::kM;
using testing::mensaje;

const std::string kM2 = kM + " ";
const std::string kE2 = kE + " ";
const std::string kV =
    "No se encontró la columna en el comando especificado o tiene un valor invalido para su tipo:";
const std::string kV2 = kV + " ";
const std::string kA =
    "No se encontró alguna de la(s) columna(s) en el comando especificado o están vacías: ";
const std::string kS = "No se encontró la(s) columna(s) en el comando especificado:";

const std::string kTablaCheque = "Poliza_Detalle_Cheque";
const std::string kTablaTransferencia = "Poliza_Detalle_Transferencia";
const std::string kTablaOtroPago = "Poliza_Detalle_Otro_Metodo_Pago";

// (alias, expression) pairs of a command's select list.
using Columnas = std::vector<std::pair<std::string, std::string>>;

// What each kind needs, read from a payment of the test's Pago table.
const Columnas kCheque = {
    {"CH_REFERENCIA", "Pa_Referencia"},
    {"BANCO_EMISOR_NACIONAL", "Pa_Banco"},
    {"CUENTA_ORIGEN", "Pa_Cuenta"},
    {"CH_FECHA", "Pa_Fecha"},
    {"CH_IMPORTE", "Pa_Importe"},
    {"CH_BENEFICIARIO", "Pa_Beneficiario"},
    {"RFC", "Pa_RFC"},
};
const Columnas kTransferencia = {
    {"BANCO_ORIGEN_NACIONAL", "Pa_Banco"},
    {"CUENTA_ORIGEN", "Pa_Cuenta"},
    {"CH_BANCO_DESTINO", "Pa_Banco_Destino"},
    {"BANCO_DESTINO_EXTRANJERO", "Pa_Banco_Destino_Ext"},
    {"CH_CUENTA_DESTINO", "Pa_Cuenta_Destino"},
    {"FECHA", "Pa_Fecha"},
    {"MONTO", "Pa_Importe"},
    {"BENEFICIARIO", "Pa_Beneficiario"},
    {"RFC_TERCERO", "Pa_RFC"},
};
const Columnas kOtroPago = {
    {"METODO_PAGO", "Pa_Metodo"},  {"FECHA", "Pa_Fecha"},   {"BENEFICIARIO", "Pa_Beneficiario"},
    {"CD_RFC_RECEPTOR", "Pa_RFC"}, {"MONTO", "Pa_Importe"},
};

// The command over payment `id` that selects `base` with `cambios` applied: a change replaces the
// expression of its alias (an empty expression drops the column) or adds the column.
std::string comando(Columnas base, const Columnas& cambios, int id = 1) {
    for (const auto& cambio : cambios) {
        const std::string& alias = cambio.first;  // clang 14 captures no structured binding
        const std::string& expresion = cambio.second;
        auto columna =
            std::find_if(base.begin(), base.end(), [&](const auto& c) { return c.first == alias; });
        if (columna == base.end()) {
            base.emplace_back(alias, expresion);
        } else if (expresion.empty()) {
            base.erase(columna);
        } else {
            columna->second = expresion;
        }
    }
    std::string lista;
    for (const auto& [alias, expresion] : base) {
        lista += (lista.empty() ? "" : ", ") + expresion + " AS " + alias;
    }
    return "SELECT " + lista + " FROM Pago WHERE Pa_Id = " + std::to_string(id);
}

// Counts the dates the host is asked to write.
class FechasContadas : public testing::DelegatingDatos {
  public:
    FechasContadas(std::shared_ptr<ServiciosDatos> inner, int& veces)
        : DelegatingDatos(std::move(inner)), veces_(veces) {}
    std::string Formato_Fecha_SQL(Date Fecha) override {
        ++veces_;
        return DelegatingDatos::Formato_Fecha_SQL(Fecha);
    }

  private:
    int& veces_;
};

// Payments of the source documents, with the company's bank accounts, the cheque register and
// the parties whose taxpayer codes are looked up.
class PaymentsTest : public testing::ExecutionFixture {
  protected:
    PaymentsTest() {
        ledger.direct().Execute(
            "INSERT INTO Banco(Bn_Cve_Banco, Bn_Codigo, Es_Cve_Estado) VALUES ('B1', '002', 'AC');"
            "INSERT INTO Empresa(Em_Cve_Empresa, Em_R_F_C, Es_Cve_Estado)"
            " VALUES ('E1', 'EMP010101AB1', 'AC');"
            "INSERT INTO Banco_Cuenta(Bc_Cve_Banco_Cuenta, Bc_Cuenta, Bn_Cve_Banco,"
            " Em_Cve_Empresa, Es_Cve_Estado) VALUES"
            " ('BC1', '0123456789', 'B1', 'E1', 'AC'), ('BC3', NULL, 'B1', 'E1', 'AC');"
            "INSERT INTO Cheque(Ch_Folio, Bc_Cve_Banco_Cuenta, Ch_Transferencia) VALUES"
            " ('CH-1', 'BC1', 'NO'), ('TR-1', 'BC1', 'SI'), ('CH-3', 'BC3', 'NO');"
            "INSERT INTO Tipo_Cheque(Tc_Cve_Tipo_Cheque, Tc_Solicitar) VALUES"
            " ('T01', '01'), ('T06', '06');"
            "INSERT INTO Proveedor(Pv_Cve_Proveedor, Pv_R_F_C, Es_Cve_Estado)"
            " VALUES ('P1', 'PRO010101AA1', 'AC');"
            "CREATE TABLE Pago (Pa_Id INTEGER PRIMARY KEY, Pa_Folio TEXT, Pa_Referencia TEXT,"
            " Pa_Banco TEXT, Pa_Banco_Ext TEXT, Pa_Cuenta TEXT, Pa_Fecha TEXT, Pa_Dia DATE,"
            " Pa_Importe NUMERIC, Pa_Beneficiario TEXT, Pa_RFC TEXT, Pa_Banco_Destino TEXT,"
            " Pa_Banco_Destino_Ext TEXT, Pa_Cuenta_Destino TEXT, Pa_Solicitar TEXT,"
            " Pa_Tipo_Cheque TEXT, Pa_Metodo TEXT);"
            "INSERT INTO Pago VALUES"
            " (1, 'CH-1', '1001', '072', 'HSBC UK', '5555', '2024-03-15', '2024-03-15', 1500,"
            "  'Juan O''Brien', 'PEJJ800101AAA', '012', 'Barclays', '0123456789', 'P1', 'T01',"
            "  '03'),"
            " (2, 'TR-1', '2002', '999', 'Citibank NA', '7777', '2024-02-29', '2024-02-29', 99.99,"
            "  'ACME Ltd', 'XEXX010101000', '999', 'Barclays', 'GB29NWBK', 'P1', '', '28');");
    }

    // Runs the kind's command with the changes, over payment `id`.
    bool corre_con(const std::string& tipo, const Columnas& base, const Columnas& cambios,
                   int id = 1) {
        return corre(tipo, comando(base, cambios, id));
    }
};

TEST_F(PaymentsTest, ChequeTakesBankAndAccountFromItsRegisterRecord) {
    EXPECT_TRUE(corre_con("CHEQUE", kCheque, {{"CH_FOLIO", "Pa_Folio"}}));
    EXPECT_EQ("", contexto.Error);
    EXPECT_TRUE(ejecutado);
    const auto consultas = sentencias_con("FROM Cheque");
    ASSERT_EQ(1U, consultas.size());
    EXPECT_EQ(std::string::npos, consultas[0].find("Ch_Transferencia"));

    // A folio the register does not have leaves bank and account to the command's columns, and
    // its message to the error text.
    EXPECT_TRUE(corre_con("CHEQUE", kCheque, {{"CH_FOLIO", "'CH-9'"}}));
    EXPECT_EQ(
        "Get_Info_Banco()\r\nNo fue posible obtener los datos de la cuenta origen para el cheque: "
        "CH-9",
        contexto.Error);
    EXPECT_EQ(
        "P0001|0003|0001|1001|002|0123456789|2024-03-15|1500|Juan O'Brien|PEJJ800101AAA||MXN|1\n"
        "P0001|0003|0002|1001|072|5555|2024-03-15|1500|Juan O'Brien|PEJJ800101AAA||MXN|1\n",
        filas(kTablaCheque));
}

TEST_F(PaymentsTest, TransferLooksUpOnlyRegisterRecordsMarkedAsTransfers) {
    EXPECT_TRUE(corre_con("TRANSFERENCIA", kTransferencia, {{"FOLIO", "Pa_Folio"}}, 2));
    EXPECT_EQ("", contexto.Error);
    EXPECT_TRUE(corre_con("TRANSFERENCIA", kTransferencia, {{"FOLIO", "Pa_Folio"}}, 1));
    EXPECT_EQ(
        "Get_Info_Banco()\r\nNo fue posible obtener los datos de la cuenta origen para la "
        "transferencia: CH-1",
        contexto.Error);
    const auto consultas = sentencias_con("FROM Cheque");
    ASSERT_EQ(2U, consultas.size());
    for (const std::string& consulta : consultas) {
        EXPECT_NE(std::string::npos, consulta.find(" AND Cheque.Ch_Transferencia= 'SI' "));
    }
    EXPECT_EQ(
        "P0001|0003|0001|002|0123456789|999|GB29NWBK|2024-02-29|99.99|ACME Ltd|XEXX010101000||"
        "Barclays|MXN|1\n"
        "P0001|0003|0002|072|5555|012|0123456789|2024-03-15|1500|Juan O'Brien|PEJJ800101AAA|||"
        "MXN|1\n",
        filas(kTablaTransferencia));
}

TEST_F(PaymentsTest, EveryPaymentCheckStopsUnderTheSwitch) {
    struct Falla {
        Columnas cambios;
        std::string prefijo;
        std::string etiqueta;
    };
    struct Tipo {
        const char* tipo;
        const Columnas& base;
        std::vector<Falla> fallas;
    };
    const Tipo tipos[] = {
        {"CHEQUE",
         kCheque,
         {{{{"CH_REFERENCIA", ""}}, kM2, "=> COLUMNA: REFERENCIA"},
          {{{"BANCO_EMISOR_NACIONAL", ""}},
           kA,
           "=> COLUMNAS: BANCO_EMISOR_NACIONAL, FOLIO, BANCO_EMISOR_EXTRANJERO"},
          {{{"BANCO_EMISOR_NACIONAL", "'999'"}, {"BANCO_EMISOR_EXTRANJERO", "''"}},
           kA,
           "=> COLUMNA(S): BANCO_EMISOR_NACIONAL, BANCO_EMISOR_EXTRANJERO"},
          {{{"CUENTA_ORIGEN", ""}}, kE2, "=> COLUMNA: CUENTA_ORIGEN"},
          {{{"CH_FECHA", "''"}}, kV, "=> COLUMNA: FECHA"},
          {{{"CH_IMPORTE", ""}}, kM, "=> COLUMNA: MONTO"},
          {{{"CH_BENEFICIARIO", "''"}}, kM, "=> COLUMNA: BENEFICIARIO"},
          {{{"RFC", ""}, {"TIPO_CHEQUE", "Pa_Tipo_Cheque"}},
           kS,
           "=> COLUMNA(S): SOLICITAR_VALOR, CUENTA_DESTINO, TIPO_CHEQUE, RFC_TERCERO"},
          {{{"RFC", "''"}}, kM, "=> COLUMNA: RFC_TERCERO"}}},
        {"TRANSFERENCIA",
         kTransferencia,
         {{{{"BANCO_ORIGEN_NACIONAL", "''"}},
           kA,
           "=> COLUMNA(S): BANCO_ORIGEN_NACIONAL, FOLIO, BANCO_ORIGEN_EXTRANJERO"},
          {{{"BANCO_ORIGEN_NACIONAL", "'999'"}, {"BANCO_ORIGEN_EXTRANJERO", "''"}},
           kA,
           "=> COLUMNA(S): BANCO_ORIGEN_NACIONAL, BANCO_ORIGEN_EXTRANJERO"},
          {{{"CUENTA_ORIGEN", "''"}}, kE2, "=> COLUMNA: CUENTA_ORIGEN"},
          {{{"CH_BANCO_DESTINO", "'999'"}, {"BANCO_DESTINO_EXTRANJERO", ""}},
           kA,
           "=> COLUMNA(S): BANCO_DESTINO_EXTRANJERO"},
          {{{"CH_BANCO_DESTINO", ""}, {"BANCO_DESTINO_EXTRANJERO", "''"}},
           kA,
           "=> COLUMNA(S): BANCO_DESTINO_NACIONAL, BANCO_DESTINO_EXTRANJERO"},
          {{{"CH_CUENTA_DESTINO", ""}}, kE2, "=> COLUMNA: CUENTA_DESTINO"},
          {{{"FECHA", "'2024-02-30'"}}, kV2, "=> COLUMNA: FECHA"},
          {{{"MONTO", ""}}, kM2, "=> COLUMNA: MONTO"},
          {{{"BENEFICIARIO", "''"}}, kE2, "=> COLUMNA: BENEFICIARIO"},
          {{{"RFC_TERCERO", ""}, {"TIPO_CHEQUE", "Pa_Tipo_Cheque"}},
           kS,
           "=> COLUMNA(S): SOLICITAR_VALOR, CUENTA_DESTINO, TIPO_CHEQUE, RFC_TERCERO "},
          {{{"RFC_TERCERO", "''"}}, kE, "=> COLUMNA: RFC_TERCERO"}}},
        {"OTRO METODO PAGO",
         kOtroPago,
         {{{{"METODO_PAGO", "''"}}, kE, "=> COLUMNA: METODO_PAGO"},
          {{{"FECHA", ""}}, kM, "=> COLUMNA: FECHA"},
          {{{"BENEFICIARIO", "''"}}, kE, "=> COLUMNA: BENEFICIARIO"},
          {{{"CD_RFC_RECEPTOR", ""}}, kE, "=> COLUMNA: RFC_TERCERO"},
          {{{"MONTO", ""}}, kM, "=> COLUMNA: MONTO"}}},
    };
    for (const Tipo& tipo : tipos) {
        for (const Falla& falla : tipo.fallas) {
            const std::string sql = comando(tipo.base, falla.cambios);
            SCOPED_TRACE(sql);
            EXPECT_FALSE(corre(tipo.tipo, sql));
            EXPECT_EQ(mensaje(falla.prefijo, falla.etiqueta, tipo.tipo, sql), contexto.Error);
            EXPECT_FALSE(ejecutado);
        }
    }
    EXPECT_TRUE(sentencias_con("INSERT").empty());
}

TEST_F(PaymentsTest, PlaceholderBankGoesWithTheForeignBank) {
    // Given as "999", the national bank needs the foreign one, which is read only then.
    EXPECT_TRUE(corre_con("CHEQUE", kCheque, {{"BANCO_EMISOR_EXTRANJERO", "Pa_Banco_Ext"}}, 2));
    EXPECT_TRUE(corre_con("CHEQUE", kCheque, {{"BANCO_EMISOR_EXTRANJERO", "Pa_Banco_Ext"}}, 1));
    EXPECT_EQ("", contexto.Error);

    // Without a national bank and without the switch, the row keeps the placeholder alone.
    validacion(false);
    const std::string sin_bancos = comando(kCheque, {{"BANCO_EMISOR_NACIONAL", ""}});
    EXPECT_TRUE(corre("CHEQUE", sin_bancos));
    EXPECT_EQ(mensaje(kA, "=> COLUMNA(S): BANCO_EMISOR_NACIONAL, BANCO_EMISOR_EXTRANJERO", "CHEQUE",
                      sin_bancos),
              contexto.Error);
    EXPECT_EQ(
        "P0001|0003|0001|2002|999|7777|2024-02-29|99.99|ACME Ltd|XEXX010101000|Citibank NA|MXN|1\n"
        "P0001|0003|0002|1001|072|5555|2024-03-15|1500|Juan O'Brien|PEJJ800101AAA||MXN|1\n"
        "P0001|0003|0003|1001|999|5555|2024-03-15|1500|Juan O'Brien|PEJJ800101AAA||MXN|1\n",
        filas(kTablaCheque));
}

TEST_F(PaymentsTest, ChequeNumberColumnIsRequiredButMayBeEmpty) {
    EXPECT_TRUE(corre_con("CHEQUE", kCheque, {{"CH_REFERENCIA", "''"}}));
    EXPECT_EQ("", contexto.Error);
    EXPECT_EQ("P0001|0003|0001||072|5555|2024-03-15|1500|Juan O'Brien|PEJJ800101AAA||MXN|1\n",
              filas(kTablaCheque));
}

TEST_F(PaymentsTest, TaxpayerCodeIsLookedUpWhenTheCommandGivesNone) {
    // A requested value and a destination account alone: the cheque type is empty, so the payee
    // is the company owning that account.
    EXPECT_TRUE(corre_con("CHEQUE", kCheque,
                          {{"RFC", ""},
                           {"CH_SOLICITAR_VALOR", "Pa_Solicitar"},
                           {"CUENTA_DESTINO", "Pa_Cuenta_Destino"}}));
    EXPECT_EQ("", contexto.Error);
    EXPECT_EQ(1U, sentencias_con("WHERE Tc_Cve_Tipo_Cheque = ''").size());
    const auto empresa = sentencias_con("INNER JOIN Empresa");
    ASSERT_EQ(1U, empresa.size());
    EXPECT_NE(std::string::npos, empresa[0].find("Banco_Cuenta.Bc_Cuenta = '0123456789'"));

    // The cheque type says the requested value is a supplier.
    EXPECT_TRUE(corre_con("TRANSFERENCIA", kTransferencia,
                          {{"RFC_TERCERO", ""},
                           {"SOLICITAR_VALOR", "Pa_Solicitar"},
                           {"TC_CVE_TIPO_CHEQUE", "Pa_Tipo_Cheque"}}));
    EXPECT_EQ("", contexto.Error);
    EXPECT_EQ("P0001|0003|0001|1001|072|5555|2024-03-15|1500|Juan O'Brien|EMP010101AB1||MXN|1\n",
              filas(kTablaCheque));
    EXPECT_EQ(
        "P0001|0003|0001|072|5555|012|0123456789|2024-03-15|1500|Juan O'Brien|PRO010101AA1|||MXN|"
        "1\n",
        filas(kTablaTransferencia));

    // A column of the code itself wins over the lookup columns.
    ledger.recorder().clear();
    EXPECT_TRUE(
        corre_con("CHEQUE", kCheque,
                  {{"SOLICITAR_VALOR", "Pa_Solicitar"}, {"TIPO_CHEQUE", "Pa_Tipo_Cheque"}}));
    EXPECT_TRUE(sentencias_con("Proveedor").empty());
}

TEST_F(PaymentsTest, TaxpayerLookupThatFindsNothingOrFailsStops) {
    const Columnas busqueda = {
        {"RFC", ""}, {"SOLICITAR_VALOR", "'P9'"}, {"TIPO_CHEQUE", "Pa_Tipo_Cheque"}};
    const std::string no_encontrado = comando(kCheque, busqueda);
    EXPECT_FALSE(corre("CHEQUE", no_encontrado));
    EXPECT_EQ(mensaje(kM, "=> COLUMNA: RFC_TERCERO", "CHEQUE", no_encontrado), contexto.Error);

    EXPECT_FALSE(corre_con("CHEQUE", kCheque,
                           {{"RFC", ""}, {"SOLICITAR_VALOR", "'P1'"}, {"TIPO_CHEQUE", "'T06'"}}));
    EXPECT_EQ(
        "Ejecutar_Consulta() \r\n Get_RFC() - Command text was not set for the command object.",
        contexto.Error);
    EXPECT_TRUE(sentencias_con("INSERT").empty());
}

TEST_F(PaymentsTest, DateIsWrittenAsTheHostWritesIt) {
    int veces = 0;
    ledger.wrap_host([&veces](HostObjects real) {
        real.datos = std::make_shared<FechasContadas>(real.datos, veces);
        return real;
    });

    // A date column gives a date value, which reads as the short date.
    EXPECT_TRUE(corre_con("OTRO METODO PAGO", kOtroPago,
                          {{"FECHA", "Pa_Dia"}, {"TIPO_CAMBIO", "'17.50'"}}));
    EXPECT_EQ(1, veces);

    validacion(false);
    const std::string sin_fecha = comando(kOtroPago, {{"FECHA", "''"}}, 2);
    EXPECT_TRUE(corre("OTRO METODO PAGO", sin_fecha));
    EXPECT_EQ(mensaje(kM, "=> COLUMNA: FECHA", "OTRO METODO PAGO", sin_fecha), contexto.Error);
    EXPECT_EQ(1, veces);
    EXPECT_EQ(
        "P0001|0003|0001|03|2024-03-15|Juan O'Brien|PEJJ800101AAA|1500|MXN|17.5\n"
        "P0001|0003|0002|28||ACME Ltd|XEXX010101000|99.99|MXN|1\n",
        filas(kTablaOtroPago));

    // Not a date and still written, since the switch is off: it cannot be converted.
    EXPECT_FALSE(corre_con("CHEQUE", kCheque, {{"CH_FECHA", "'15 de marzo'"}}));
    EXPECT_EQ("Ejecutar_Consulta() - CHEQUE\r\nType mismatch", contexto.Error);
    EXPECT_EQ("", filas(kTablaCheque));
}

TEST_F(PaymentsTest, OtherPaymentMethodLooksNothingUp) {
    EXPECT_TRUE(corre_con("Otro Metodo Pago", kOtroPago,
                          {{"FOLIO", "Pa_Folio"},
                           {"SOLICITAR_VALOR", "Pa_Solicitar"},
                           {"TIPO_CHEQUE", "Pa_Tipo_Cheque"},
                           {"CUENTA_DESTINO", "Pa_Cuenta_Destino"}}));
    EXPECT_EQ("", contexto.Error);
    EXPECT_TRUE(sentencias_con("FROM Cheque").empty());
    EXPECT_TRUE(sentencias_con("FROM Tipo_Cheque").empty());
    EXPECT_EQ("P0001|0003|0001|03|2024-03-15|Juan O'Brien|PEJJ800101AAA|1500|MXN|1\n",
              filas(kTablaOtroPago));
}

TEST_F(PaymentsTest, RegisterLookupFailureStopsTheEntry) {
    EXPECT_FALSE(corre_con("CHEQUE", kCheque, {{"FOLIO", "'CH-3'"}}));
    EXPECT_EQ("Ejecutar_Consulta()\r\n Get_Info_Banco() - Invalid use of Null", contexto.Error);
    EXPECT_EQ("", filas(kTablaCheque));
}

}  // namespace
}  // namespace ledgernova
