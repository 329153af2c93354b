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

// The program's refusal of a voucher the library would not post.
CliRun not_posted(const std::string& problem) {
    return cli_error(
        1, "ledgernova: the voucher was not posted:\nledgerNova.dll - post_voucher()\r\n" +
               problem + "\n");
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

TEST_F(CliVoucherTest, BalancedVoucherIsStoredAndShownAsTextAndAsJson) {
    ASSERT_EQ(post(kBalanced), cli_ok("folio 0000000001 number 0000000001\n"));
    EXPECT_EQ(stored_vouchers(), "0000000001|0000000001|2024|03|3|2024-03-15|001|ana|AC\n");
    EXPECT_EQ(stored_lines(),
              "0000000001|0001|1101||Renta marzo|F-1|1|1500.5\n"
              "0000000001|0002|2101|ADM|Renta marzo||2|1500.5\n");

    const std::string at = scalar("SELECT Fecha_Alta FROM Poliza");
    const std::string stamps =
        "Fecha_Alta        " + at + "\nOper_Ult_Modif    ana\nFecha_Ult_Modif   " + at + "\n";
    EXPECT_EQ(ledger({"show", "0000000001"}),
              cli_ok("Pl_Folio          0000000001\n"
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
                     "Oper_Alta         ana\n" +
                     stamps +
                     "Es_Cve_Estado     AC\n"
                     "Oper_Baja\n"
                     "Fecha_Baja\n"
                     "\n"
                     "ID    Account  Cost centre  Concept      Reference   Charge   Credit\n"
                     "----  -------  -----------  -----------  ---------  -------  -------\n"
                     "0001  1101                  Renta marzo  F-1        1500.50\n"
                     "0002  2101     ADM          Renta marzo                      1500.50\n"
                     "----  -------  -----------  -----------  ---------  -------  -------\n"
                     "                                         Totals     1500.50  1500.50\n"));

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
    EXPECT_EQ(ledger({"show", "0000000099"}),
              cli_error(1, "ledgernova: there is no voucher with folio 0000000099\n"));
}

TEST_F(CliVoucherTest, ClosedOperatingPeriodRefusesTheFirstLine) {
    ASSERT_EQ(ledger({"param", "set", "GEN_VALIDAR_PERIODO_OPERATIVO", "1"}).status, 0);
    ASSERT_EQ(ledger({"period", "open", "CONTABILIDAD", "2024-03-01", "2024-03-31"}).status, 0);
    EXPECT_EQ(post(kBalanced).status, 0);

    ASSERT_EQ(ledger({"period", "close", "CONTABILIDAD", "2024-03-01", "2024-03-31"}).status, 0);
    EXPECT_EQ(
        post(kBalanced),
        not_posted("Línea 1:\r\nledgerNova.dll - Add_Poliza_Detalle()\r\n"
                   "El período operativo correspondiente a la fecha: 15-03-2024, está cerrado o no "
                   "existe!"));
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza"), "1\n");
}

TEST_F(CliVoucherTest, MissingVoucherFileIsAUsageError) {
    EXPECT_EQ(ledger({"voucher", "--file", "nowhere.json"}),
              cli_error(2, "ledgernova: cannot read the voucher file nowhere.json\n"));
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

// Each file is refused before anything is stored or a folio is spent.
TEST_F(CliVoucherTest, RefusedVoucherFilesLeaveNothingBehind) {
    const auto usage = [](const std::string& problem) {
        return cli_error(2, "ledgernova: voucher file voucher.json: " + problem + "\n");
    };
    const std::string nul = " must not contain the NUL character (\\u0000)";
    const struct {
        const char* name;
        std::string voucher;
        CliRun expected;
    } rows[] = {
        {"unknown account", with_line_value("\"2101\"", "\"9999\""),
         not_posted("Línea 2:\r\nledgerNova.dll - Add_Poliza_Detalle()\r\n"
                    "La cuenta contable:9999, no existe")},
        {"unbalanced", with_line_value("1500.50", "1400"),
         not_posted("Póliza desbalanceada! Cargos: 1500.50 Abonos: 1400.00")},
        {"no type", with_line_value("\"Pl_Tipo_Poliza\": 3, ", ""),
         usage("header: key \"Pl_Tipo_Poliza\" is required")},
        {"no company", with_line_value("\"Em_Cve_Empresa\": \"001\",", ""),
         usage("header: key \"Em_Cve_Empresa\" is required")},
        {"blank company", with_line_value("\"001\"", "\"  \""),
         not_posted("No se especifico la empresa")},
        {"header key", with_line_value("\"Pl_Referencia\"", "\"Pl_Reference\""),
         usage("header: key \"Pl_Reference\" is not a field of the voucher header")},
        {"line key", with_line_value("\"Pd_Centro_Costo\"", "\"Pd_Centro\""),
         usage("line 2: key \"Pd_Centro\" is not a field of a voucher line")},
        {"amount as text", with_line_value("1500.5}", "\"1500.5\"}"),
         usage("line 1: key \"Pd_Importe\" must be a number")},
        {"NUL in a line", with_line_value("\"Renta marzo\", \"Pd_", "\"Renta\\u0000marzo\", \"Pd_"),
         usage("line 1: key \"Pd_Concepto\"" + nul)},
        {"NUL in the header", with_line_value("\"R-7\"", "\"R-\\u0000\""),
         usage("header: key \"Pl_Referencia\"" + nul)},
        {"electronic object", with_electronic("[]", "{}"),
         usage("line 2: key \"electronic\" must be an array")},
        {"electronic number", with_electronic("[]", "[7]"),
         usage("line 2, electronic row 1 is not an object")},
        {"electronic without kind", with_electronic("[]", R"([{"Pdc_UUID": "U"}])"),
         usage("line 2, electronic row 1: key \"kind\" must be present and be a string")},
        {"electronic boolean",
         with_electronic("[]", R"([{"kind": "COMPROBANTE", "Pdc_Monto": true}])"),
         usage("line 2, electronic row 1: key \"Pdc_Monto\" must be a string or a number")},
        {"electronic row refused", with_electronic("[]", R"([{"kind": "CHEQUE", "Pdc_Numero": "17",
                                    "Pdc_Banco_Emisor_Nacional": "002"}])"),
         not_posted("Línea 2, comprobante 1:\r\n"
                    "No se encontró la columna en el comando especificado o esta vacía: \r\n"
                    "=> COLUMNA: CUENTA_ORIGEN\r\n=> POLIZA: 0000000001\r\n=> ID: 0002\r\n"
                    "=> TIPO: CHEQUE\r\n=> SQL: ")},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(post(row.voucher), row.expected) << row.name;
    }
    for (const std::string& voucher :
         {with_line_value("\"Pl_Tipo_Poliza\": 3", "\"Pl_Tipo_Poliza\": \"3\""),
          with_line_value("\"Pl_Tipo_Poliza\": 3", "\"Pl_Tipo_Poliza\": 4"),
          with_line_value("\"Pd_Tipo\": 1", "\"Pd_Tipo\": 1.5"),
          with_line_value("2024-03-15", "15/03/2024"), with_line_value("\"lines\"", "\"rows\""),
          std::string("{\"header\": {}, \"lines\": []}"), std::string("{\"header\": ")}) {
        EXPECT_EQ(post(voucher).status, 2) << voucher;
    }
    EXPECT_EQ(stored_vouchers() + stored_lines() +
                  query("SELECT COUNT(*) FROM Poliza_Detalle_Comprobante"),
              "0\n");
    EXPECT_EQ(post(kBalanced).out, "folio 0000000001 number 0000000001\n") << "nothing was spent";
}

}  // namespace
}  // namespace ledgernova::testing
