// The program's voucher commands: voucher --file and show, over a ledger with two accounts.

#include <nlohmann/json.hpp>

#include <string>

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

constexpr const char* kBalanced = R"({
  "header": {"Pl_Fecha": "2024-03-15", "Pl_Tipo_Poliza": 3, "Em_Cve_Empresa": "001",
             "Pl_Referencia": "R-7", "Pl_Comentario": "Pago de renta"},
  "lines": [
    {"Cc_Cve_Cuenta_Contable": "1101", "Pd_Concepto": "Renta marzo", "Pd_Referencia": "F-1",
     "Pd_Tipo": 1, "Pd_Importe": 1500.5},
    {"Cc_Cve_Cuenta_Contable": "2101", "Pd_Concepto": "Renta marzo", "Pd_Centro_Costo": "ADM",
     "Pd_Tipo": 2, "Pd_Importe": 1500.50}
  ]
})";

// The balanced voucher with one value of a line replaced.
std::string with_line_value(const std::string& from, const std::string& to) {
    std::string text = kBalanced;
    text.replace(text.find(from), from.size(), to);
    return text;
}

class CliVoucherTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        ASSERT_EQ(ledger({"init"}).status, 0);
        execute(
            "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Registro, "
            "Cc_Resultado) VALUES('1101', 'Caja', 'SI', 'NO'), ('2101', 'Proveedores', 'SI', "
            "'NO')");
    }

    CliRun post(const std::string& voucher) {
        write_file("voucher.json", voucher);
        return ledger({"--operator", "ana", "voucher", "--file", "voucher.json"});
    }

    std::string stored_vouchers() {
        return query(
            "SELECT Pl_Folio, Pl_Numero, Pl_Ejercicio, Pl_Periodo, Pl_Tipo, Pl_Fecha, "
            "Em_Cve_Empresa, Oper_Alta, Es_Cve_Estado FROM Poliza ORDER BY Pl_Folio");
    }

    std::string stored_lines() {
        return query(
            "SELECT Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Centro_Costo, "
            "Pd_Concepto, Pd_Referencia, Pd_Tipo, Pd_Importe FROM Poliza_Detalle "
            "ORDER BY Pl_Folio, Pd_ID");
    }
};

TEST_F(CliVoucherTest, BalancedVoucherIsStoredAndPrintsItsFolioAndNumber) {
    const CliRun posted = post(kBalanced);
    ASSERT_EQ(posted.status, 0) << posted.err;
    EXPECT_EQ(posted.out, "folio 0000000001 number 0000000001\n");
    EXPECT_EQ(posted.err, "");
    EXPECT_EQ(stored_vouchers(), "0000000001|0000000001|2024|03|3|2024-03-15|001|ana|AC\n");
    EXPECT_EQ(stored_lines(),
              "0000000001|0001|1101||Renta marzo|F-1|1|1500.5\n"
              "0000000001|0002|2101|ADM|Renta marzo||2|1500.5\n");
}

TEST_F(CliVoucherTest, ShowPrintsTheHeaderAndTheLinesWithTotals) {
    ASSERT_EQ(post(kBalanced).status, 0);
    const std::string stamp = query("SELECT Fecha_Alta FROM Poliza");
    const std::string at = stamp.substr(0, stamp.size() - 1);

    const CliRun shown = ledger({"show", "0000000001"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out,
              "Pl_Folio          0000000001\n"
              "Em_Cve_Empresa    001\n"
              "Pl_Ejercicio      2024\n"
              "Pl_Periodo        03\n"
              "Pl_Tipo           3\n"
              "Pl_Numero         0000000001\n"
              "Pl_Fecha          2024-03-15\n"
              "Pl_Tabla\n"
              "Pl_Documento\n"
              "Pl_Referencia     R-7\n"
              "Pl_Comentario     Pago de renta\n"
              "Pl_Configuracion\n"
              "Oper_Alta         ana\n"
              "Fecha_Alta        " +
                  at +
                  "\n"
                  "Oper_Ult_Modif    ana\n"
                  "Fecha_Ult_Modif   " +
                  at +
                  "\n"
                  "Es_Cve_Estado     AC\n"
                  "Oper_Baja\n"
                  "Fecha_Baja\n"
                  "\n"
                  "ID    Account  Cost centre  Concept      Reference   Charge   Credit\n"
                  "----  -------  -----------  -----------  ---------  -------  -------\n"
                  "0001  1101                  Renta marzo  F-1        1500.50\n"
                  "0002  2101     ADM          Renta marzo                      1500.50\n"
                  "----  -------  -----------  -----------  ---------  -------  -------\n"
                  "                                         Totals     1500.50  1500.50\n");
}

TEST_F(CliVoucherTest, ShowJsonGivesTheHeaderObjectAndTheLinesWithNumericAmounts) {
    ASSERT_EQ(post(kBalanced).status, 0);
    const CliRun shown = ledger({"show", "0000000001", "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto document = nlohmann::json::parse(shown.out);
    EXPECT_EQ(document["header"]["Pl_Folio"], "0000000001");
    EXPECT_EQ(document["header"]["Pl_Tipo"], 3);
    EXPECT_EQ(document["header"]["Pl_Fecha"], "2024-03-15");
    EXPECT_EQ(document["header"]["Oper_Alta"], "ana");
    EXPECT_TRUE(document["header"]["Fecha_Baja"].is_null());
    ASSERT_EQ(document["lines"].size(), 2U);
    EXPECT_EQ(document["lines"][0]["Pd_ID"], "0001");
    EXPECT_EQ(document["lines"][0]["Pd_Tipo"], 1);
    EXPECT_EQ(document["lines"][1]["Cc_Cve_Cuenta_Contable"], "2101");
    EXPECT_EQ(document["lines"][1]["Pd_Centro_Costo"], "ADM");
    ASSERT_TRUE(document["lines"][1]["Pd_Importe"].is_number());
    EXPECT_DOUBLE_EQ(document["lines"][1]["Pd_Importe"].get<double>(), 1500.5);
}

TEST_F(CliVoucherTest, ShowOfAnUnknownFolioFails) {
    const CliRun shown = ledger({"show", "0000000099"});
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.out, "");
    EXPECT_EQ(shown.err, "ledgernova: there is no voucher with folio 0000000099\n");
}

TEST_F(CliVoucherTest, AnUnknownAccountLeavesNothingBehind) {
    const CliRun posted = post(with_line_value("\"2101\"", "\"9999\""));
    EXPECT_EQ(posted.status, 1);
    EXPECT_EQ(posted.out, "");
    EXPECT_EQ(posted.err,
              "ledgernova: the voucher was not posted:\n"
              "ledgerNova.dll - post_voucher()\r\nLínea 2:\r\n"
              "ledgerNova.dll - Add_Poliza_Detalle()\r\nLa cuenta contable:9999, no existe\n");
    EXPECT_EQ(stored_vouchers() + stored_lines(), "");
    EXPECT_EQ(post(kBalanced).out, "folio 0000000001 number 0000000001\n") << "nothing was spent";
}

TEST_F(CliVoucherTest, AnUnbalancedVoucherLeavesNothingForTheExportToDeliver) {
    const CliRun posted = post(with_line_value("1500.50", "1400"));
    EXPECT_EQ(posted.status, 1);
    EXPECT_EQ(posted.out, "");
    EXPECT_EQ(posted.err,
              "ledgernova: the voucher was not posted:\n"
              "ledgerNova.dll - post_voucher()\r\nPóliza desbalanceada! Cargos: 1500.50 Abonos: "
              "1400.00\n");
    EXPECT_EQ(stored_vouchers() + stored_lines(), "");
}

TEST_F(CliVoucherTest, AVoucherFileMustGiveTheTypeAndTheCompany) {
    for (const std::string key : {"Pl_Tipo_Poliza", "Em_Cve_Empresa"}) {
        const std::string field = "\"" + key + "\": ";
        const std::size_t start = std::string(kBalanced).find(field);
        const std::size_t end = std::string(kBalanced).find(", ", start) + 2;
        const CliRun left_out =
            post(with_line_value(std::string(kBalanced).substr(start, end - start), ""));
        EXPECT_EQ(left_out.status, 2);
        EXPECT_EQ(left_out.err, "ledgernova: voucher file voucher.json: header: key \"" + key +
                                    "\" is required\n");
    }
    const CliRun blank_company = post(with_line_value("\"001\"", "\"  \""));
    EXPECT_EQ(blank_company.status, 1);
    EXPECT_EQ(blank_company.err,
              "ledgernova: the voucher was not posted:\n"
              "ledgerNova.dll - post_voucher()\r\nNo se especifico la empresa\n");
    EXPECT_EQ(stored_vouchers(), "");
}

TEST_F(CliVoucherTest, ClosedOperatingPeriodRefusesTheFirstLine) {
    ASSERT_EQ(ledger({"param", "set", "GEN_VALIDAR_PERIODO_OPERATIVO", "1"}).status, 0);
    ASSERT_EQ(ledger({"period", "open", "CONTABILIDAD", "2024-03-01", "2024-03-31"}).status, 0);
    EXPECT_EQ(post(kBalanced).status, 0);

    ASSERT_EQ(ledger({"period", "close", "CONTABILIDAD", "2024-03-01", "2024-03-31"}).status, 0);
    const CliRun posted = post(kBalanced);
    EXPECT_EQ(posted.status, 1);
    EXPECT_EQ(posted.err,
              "ledgernova: the voucher was not posted:\n"
              "ledgerNova.dll - post_voucher()\r\nLínea 1:\r\n"
              "ledgerNova.dll - Add_Poliza_Detalle()\r\n"
              "El período operativo correspondiente a la fecha: 15-03-2024, está cerrado o no "
              "existe!\n");
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza"), "1\n");
}

TEST_F(CliVoucherTest, UnknownKeysAndWrongTypesAreUsageErrorsNamingTheKey) {
    const CliRun header_key = post(with_line_value("\"Pl_Referencia\"", "\"Pl_Reference\""));
    EXPECT_EQ(header_key.status, 2);
    EXPECT_EQ(header_key.err,
              "ledgernova: voucher file voucher.json: header: key \"Pl_Reference\" is not a field "
              "of the voucher header\n");

    const CliRun line_key = post(with_line_value("\"Pd_Centro_Costo\"", "\"Pd_Centro\""));
    EXPECT_EQ(line_key.status, 2);
    EXPECT_EQ(line_key.err,
              "ledgernova: voucher file voucher.json: line 2: key \"Pd_Centro\" is not a field of "
              "a voucher line\n");

    const CliRun amount = post(with_line_value("1500.5}", "\"1500.5\"}"));
    EXPECT_EQ(amount.status, 2);
    EXPECT_EQ(
        amount.err,
        "ledgernova: voucher file voucher.json: line 1: key \"Pd_Importe\" must be a number\n");

    EXPECT_EQ(post(with_line_value("\"Pl_Tipo_Poliza\": 3", "\"Pl_Tipo_Poliza\": \"3\"")).status,
              2);
    EXPECT_EQ(post(with_line_value("\"Pl_Tipo_Poliza\": 3", "\"Pl_Tipo_Poliza\": 4")).status, 2);
    EXPECT_EQ(post(with_line_value("\"Pd_Tipo\": 1", "\"Pd_Tipo\": 1.5")).status, 2);
    EXPECT_EQ(post(with_line_value("2024-03-15", "15/03/2024")).status, 2);
    EXPECT_EQ(post(with_line_value("\"lines\"", "\"rows\"")).status, 2);
    EXPECT_EQ(post("{\"header\": {}, \"lines\": []}").status, 2);
    EXPECT_EQ(post("{\"header\": ").status, 2);
    EXPECT_EQ(stored_vouchers(), "");
}

TEST_F(CliVoucherTest, ANulCharacterInATextIsAUsageErrorNamingTheKey) {
    const CliRun line = post(with_line_value("\"Renta marzo\", \"Pd_Referencia\"",
                                             "\"Renta\\u0000marzo\", \"Pd_Referencia\""));
    EXPECT_EQ(line.status, 2);
    EXPECT_EQ(line.err,
              "ledgernova: voucher file voucher.json: line 1: key \"Pd_Concepto\" must not "
              "contain the NUL character (\\u0000)\n");
    const CliRun header = post(with_line_value("\"R-7\"", "\"R-\\u0000\""));
    EXPECT_EQ(header.status, 2);
    EXPECT_EQ(header.err,
              "ledgernova: voucher file voucher.json: header: key \"Pl_Referencia\" must not "
              "contain the NUL character (\\u0000)\n");
    EXPECT_EQ(stored_vouchers(), "");
}

TEST_F(CliVoucherTest, MissingVoucherFileIsAUsageError) {
    const CliRun posted = ledger({"voucher", "--file", "nowhere.json"});
    EXPECT_EQ(posted.status, 2);
    EXPECT_EQ(posted.err, "ledgernova: cannot read the voucher file nowhere.json\n");
    EXPECT_EQ(ledger({"voucher"}).status, 2);
}

// The balanced voucher with electronic detail rows on its lines.
std::string with_electronic(const std::string& charge, const std::string& credit) {
    std::string text = with_line_value("\"Pd_Importe\": 1500.5}",
                                       "\"Pd_Importe\": 1500.5, \"electronic\": " + charge + "}");
    const std::string last = "\"Pd_Importe\": 1500.50}";
    text.replace(text.find(last), last.size(),
                 "\"Pd_Importe\": 1500.50, \"electronic\": " + credit + "}");
    return text;
}

constexpr const char* kInvoice =
    R"([{"kind": "COMPROBANTE", "Pdc_UUID": "6F9619FF-8B86-D011-B42D-00C04FC964FF",
        "Pdc_Monto": 1500.5, "Pdc_RFC": "AAA010101AAA", "Pdc_Metodo_Pago": "PUE",
        "Pdc_Tipo_Cambio": 1}])";
constexpr const char* kOtherPayment =
    R"([{"kind": "otro metodo pago", "Pdo_Metodo_Pago": "03", "Pdo_Fecha": "2024-03-15",
        "Pdo_Beneficiario": "Inmobiliaria", "Pdo_RFC": "INM010101AB1", "Pdo_Monto": "1500.50",
        "Pdo_Moneda": "MXN"}])";

TEST_F(CliVoucherTest, ElectronicRowsOfTheFileAreWrittenAndShown) {
    const CliRun posted = post(with_electronic(kInvoice, kOtherPayment));
    ASSERT_EQ(posted.status, 0) << posted.err;
    EXPECT_EQ(query("SELECT * FROM Poliza_Detalle_Comprobante"),
              "0000000001|0001|0001|6F9619FF-8B86-D011-B42D-00C04FC964FF|1500.5|AAA010101AAA|"
              "MXN|PUE|1\n");
    EXPECT_EQ(query("SELECT * FROM Poliza_Detalle_Otro_Metodo_Pago"),
              "0000000001|0002|0001|03|2024-03-15|Inmobiliaria|INM010101AB1|1500.5|MXN|1\n");

    const CliRun shown = ledger({"show", "0000000001"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const std::string section = shown.out.substr(shown.out.find("Electronic detail"));
    EXPECT_EQ(section,
              "Electronic detail\n"
              "Line 0001: Poliza_Detalle_Comprobante 0001\n"
              "  Pdc_UUID         6F9619FF-8B86-D011-B42D-00C04FC964FF\n"
              "  Pdc_Monto        1500.5\n"
              "  Pdc_RFC          AAA010101AAA\n"
              "  Pdc_Moneda       MXN\n"
              "  Pdc_Metodo_Pago  PUE\n"
              "  Pdc_Tipo_Cambio  1\n"
              "Line 0002: Poliza_Detalle_Otro_Metodo_Pago 0001\n"
              "  Pdo_Metodo_Pago   03\n"
              "  Pdo_Fecha         2024-03-15\n"
              "  Pdo_Beneficiario  Inmobiliaria\n"
              "  Pdo_RFC           INM010101AB1\n"
              "  Pdo_Monto         1500.5\n"
              "  Pdo_Moneda        MXN\n"
              "  Pdo_Tipo_Cambio   1\n");
}

TEST_F(CliVoucherTest, ARefusedElectronicRowLeavesNothingBehind) {
    const CliRun posted = post(with_electronic("[]", R"([{"kind": "CHEQUE", "Pdc_Numero": "17",
                                        "Pdc_Banco_Emisor_Nacional": "002"}])"));
    EXPECT_EQ(posted.status, 1);
    EXPECT_EQ(posted.err,
              "ledgernova: the voucher was not posted:\n"
              "ledgerNova.dll - post_voucher()\r\nLínea 2, comprobante 1:\r\n"
              "No se encontró la columna en el comando especificado o esta vacía: \r\n"
              "=> COLUMNA: CUENTA_ORIGEN\r\n=> POLIZA: 0000000001\r\n=> ID: 0002\r\n"
              "=> TIPO: CHEQUE\r\n=> SQL: \n");
    EXPECT_EQ(stored_vouchers() + stored_lines() +
                  query("SELECT COUNT(*) FROM Poliza_Detalle_Comprobante"),
              "0\n");
    EXPECT_EQ(post(kBalanced).out, "folio 0000000001 number 0000000001\n") << "nothing was spent";
}

TEST_F(CliVoucherTest, ElectronicRowsOfTheWrongShapeAreUsageErrors) {
    const auto error_of = [&](const std::string& rows) {
        return post(with_electronic("[]", rows)).err;
    };
    EXPECT_EQ(error_of("{}"),
              "ledgernova: voucher file voucher.json: line 2: key \"electronic\" must be an "
              "array\n");
    EXPECT_EQ(error_of("[7]"),
              "ledgernova: voucher file voucher.json: line 2, electronic row 1 is not an "
              "object\n");
    EXPECT_EQ(error_of(R"([{"Pdc_UUID": "U"}])"),
              "ledgernova: voucher file voucher.json: line 2, electronic row 1: key \"kind\" "
              "must be present and be a string\n");
    EXPECT_EQ(error_of(R"([{"kind": "COMPROBANTE", "Pdc_Monto": true}])"),
              "ledgernova: voucher file voucher.json: line 2, electronic row 1: key "
              "\"Pdc_Monto\" must be a string or a number\n");
    EXPECT_EQ(stored_vouchers(), "");
}

}  // namespace
}  // namespace ledgernova::testing
