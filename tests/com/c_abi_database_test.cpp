// The database a C caller chooses, its parameters, its vouchers read back as JSON and its
// export, through the C interface alone, on real SQLite files.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "com/ln_values.h"
#include "export/sat_schema.h"
#include "ledgernova/connection.h"
#include "ledgernova/ledgernova.h"
#include "ledgernova/module.h"

namespace ledgernova {
namespace {

using testing::number;
using testing::text;
using testing::whole;

// Taken from the library, freed on scope exit.
struct Text {
    char* value = nullptr;
    ~Text() { ln_free_text(value); }
    std::string str() const { return value == nullptr ? "<NULL>" : value; }
    // For the next call: what the last one gave is freed.
    char** out() {
        ln_free_text(value);
        value = nullptr;
        return &value;
    }
};

class CAbiDatabase : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("ledgernova-c-db-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        ln_release(object);
        Termina_Modulo();
        std::filesystem::remove_all(folder);
    }

    std::string path(const char* name) const { return (folder / name).string(); }

    // A ledger file with its tables, chosen for what the thread creates next, with accounts.
    void open(const char* name = "ledger.db") {
        file = path(name);
        ASSERT_EQ(LN_OK, ln_open_database(file.c_str())) << ln_get_error(nullptr);
        EXPECT_STREQ("", ln_get_error(nullptr));
        const auto direct = db::open_sqlite(file);
        direct->Execute(
            "INSERT INTO Cuenta_Contable (Cc_Cve_Cuenta_Contable, Cc_Descripcion) VALUES "
            "('1101', 'Caja'), ('2101', 'Proveedores')");
        ln_release(object);
        object = nullptr;
        ASSERT_EQ(LN_OK, ln_create("ledgerNova.Polizas", &object));
    }

    static std::string rows(const std::string& file, const std::string& sql) {
        const auto direct = db::open_sqlite(file);
        std::string out;
        for (auto rows = direct->Execute(sql); !rows.Eof(); rows.MoveNext()) {
            for (std::size_t i = 0; i < rows.Count(); ++i) {
                out += (i == 0 ? "" : "|") + rows.Fields(i).Value.to_text();
            }
            out += "\n";
        }
        return out;
    }

    int post(double credit, const std::vector<ln_electronic_row>& electronic = {}) {
        const std::vector<ln_variant> header = {
            text(""), text(""), text(""),  whole(3),      text(""), text("15/03/2024"),
            text(""), text(""), text("R"), text("Renta"), text(""), text("001")};
        const std::vector<ln_variant> lines = {
            text(""), text("1101"), text("Pago"), text(""), whole(1), number(10),     text(""),
            text(""), text("2101"), text("Pago"), text(""), whole(2), number(credit), text("")};
        std::int32_t posted = -1;
        last_status =
            electronic.empty()
                ? ln_post_voucher(object, header.data(), lines.data(), 2, &posted)
                : ln_post_voucher_electronic(object, header.data(), lines.data(), 2,
                                             electronic.data(), electronic.size(), &posted);
        return posted;
    }

    // The export of `status` accepted without problems, its document holding `fragment`.
    void expect_accepted(int status, const std::string& fragment) {
        ASSERT_EQ(LN_OK, status) << ln_get_error(nullptr);
        EXPECT_EQ(1, ok) << problems.str();
        EXPECT_EQ("", problems.str());
        EXPECT_NE(std::string::npos, xml.str().find(fragment)) << xml.str();
    }

    // The export of `status` refused with exactly `reasons`, no document.
    void expect_refused(int status, const std::string& reasons) {
        ASSERT_EQ(LN_OK, status) << ln_get_error(nullptr);
        EXPECT_EQ(0, ok);
        EXPECT_EQ("", xml.str());
        EXPECT_EQ(reasons, problems.str());
    }

    int last_status = LN_OK;  // of the last post
    std::int32_t ok = -1;     // and the out values of the last export
    Text xml;
    Text problems;

    std::filesystem::path folder;
    std::string file;  // the last one opened
    ln_object* object = nullptr;
};

TEST_F(CAbiDatabase, ObjectsCreatedAfterTheChoiceWriteIntoTheChosenFile) {
    open("first.db");
    ASSERT_EQ(1, post(10)) << ln_get_error(object);
    open("second.db");
    ASSERT_EQ(1, post(10)) << ln_get_error(object);
    ASSERT_EQ(1, post(10)) << ln_get_error(object);
    EXPECT_EQ("0000000001|2024-03-15\n",
              rows(path("first.db"), "SELECT Pl_Folio, Pl_Fecha FROM Poliza"));
    EXPECT_EQ("0000000001\n0000000002\n",
              rows(file, "SELECT Pl_Folio FROM Poliza ORDER BY Pl_Folio"));
}

TEST_F(CAbiDatabase, InitDatabaseAlsoChoosesTheFile) {
    file = path("init.db");
    ASSERT_EQ(LN_OK, ln_init_database(file.c_str())) << ln_get_error(nullptr);
    ASSERT_EQ(LN_OK, ln_set_parameter("CON_X", "1"));
    EXPECT_EQ("CON_X|0|1\n", rows(file, "SELECT Pa_Nombre, Pa_Ambito, Pa_Valor FROM Parametro"));
}

TEST_F(CAbiDatabase, AFileThatCannotBeOpenedKeepsThePreviousChoice) {
    open();
    EXPECT_EQ(LN_E_DATABASE, ln_open_database(path("missing/ledger.db").c_str()));
    EXPECT_STRNE("", ln_get_error(nullptr));
    EXPECT_EQ(LN_E_DATABASE, ln_open_server("Driver=No Such Driver;Server=127.0.0.1;"));
    EXPECT_STRNE("", ln_get_error(nullptr));
    ln_release(object);
    object = nullptr;
    ASSERT_EQ(LN_OK, ln_create("ledgerNova.Polizas", &object));
    ASSERT_EQ(1, post(10)) << ln_get_error(object);
    EXPECT_EQ("1\n", rows(file, "SELECT COUNT(*) FROM Poliza"));
    EXPECT_EQ(LN_E_INVALIDARG, ln_open_database(nullptr));
    EXPECT_EQ(LN_E_INVALIDARG, ln_open_server(nullptr));
}

TEST_F(CAbiDatabase, ParametersAreSetReplacedAndReadBack) {
    open();
    Text value;
    ASSERT_EQ(LN_OK, ln_get_parameter("CON_IMPORTE_MAXIMO_REDONDEO", value.out()));
    EXPECT_EQ(nullptr, value.value);
    ASSERT_EQ(LN_OK, ln_set_parameter("CON_IMPORTE_MAXIMO_REDONDEO", "0.05"));
    ASSERT_EQ(LN_OK, ln_set_parameter("CON_IMPORTE_MAXIMO_REDONDEO", "O'Brien"));
    ASSERT_EQ(LN_OK, ln_get_parameter("con_importe_maximo_redondeo", value.out()));
    EXPECT_EQ("O'Brien", value.str());
    EXPECT_EQ("CON_IMPORTE_MAXIMO_REDONDEO|0|O'Brien\n",
              rows(file, "SELECT Pa_Nombre, Pa_Ambito, Pa_Valor FROM Parametro"));
    EXPECT_EQ(LN_E_INVALIDARG, ln_set_parameter("X", nullptr));
    EXPECT_EQ(LN_E_INVALIDARG, ln_get_parameter("X", nullptr));
}

TEST_F(CAbiDatabase, AVoucherReadsBackAsJsonWithEscapedTextAndItsElectronicRows) {
    open();
    ASSERT_EQ(1, post(10)) << ln_get_error(object);
    Text json;
    ASSERT_EQ(LN_OK, ln_read_voucher("0000000001", json.out())) << ln_get_error(nullptr);
    std::string text = json.str();
    EXPECT_EQ(0U, text.find("{\"header\":{\"Pl_Folio\":\"0000000001\",\"Em_Cve_Empresa\":"
                            "\"001\",\"Pl_Ejercicio\":\"2024\",\"Pl_Periodo\":\"03\","
                            "\"Pl_Tipo\":3,\"Pl_Numero\":\"0000000001\",\"Pl_Fecha\":"
                            "\"2024-03-15\",\"Pl_Tabla\":\"\",\"Pl_Documento\":\"\","
                            "\"Pl_Referencia\":\"R\",\"Pl_Comentario\":\"Renta\""))
        << text;
    const std::string lines = text.substr(text.find(",\"lines\":"));
    EXPECT_EQ(
        ",\"lines\":[{\"Pl_Folio\":\"0000000001\",\"Pd_ID\":\"0001\","
        "\"Cc_Cve_Cuenta_Contable\":\"1101\",\"Pd_Centro_Costo\":\"\",\"Pd_Concepto\":"
        "\"Pago\",\"Pd_Referencia\":\"\",\"Pd_Tipo\":1,\"Pd_Importe\":10,\"electronic\":"
        "[]},"
        "{\"Pl_Folio\":\"0000000001\",\"Pd_ID\":\"0002\",\"Cc_Cve_Cuenta_Contable\":"
        "\"2101\",\"Pd_Centro_Costo\":\"\",\"Pd_Concepto\":\"Pago\","
        "\"Pd_Referencia\":\"\",\"Pd_Tipo\":2,\"Pd_Importe\":10,\"electronic\":[]}]}",
        lines);
    ASSERT_EQ(LN_OK, ln_read_voucher("0000000002", json.out()));
    EXPECT_EQ(nullptr, json.value);

    const auto direct = db::open_sqlite(file);
    direct->Execute("UPDATE Poliza SET Pl_Comentario = 'a\"b\\c' || char(10) || char(1)");
    direct->Execute(
        "INSERT INTO Poliza_Detalle_Cheque (Pl_Folio, Pd_ID, Pdc_Id, Pdc_Numero, Pdc_Monto) "
        "VALUES ('0000000001', '0002', '0002', '77', 10), ('0000000001', '0002', '0001', '76', "
        "5), ('0000000002', '0001', '0001', '99', 1)");
    ASSERT_EQ(LN_OK, ln_read_voucher("0000000001", json.out()));
    text = json.str();
    EXPECT_NE(std::string::npos, text.find("\"Pl_Comentario\":\"a\\\"b\\\\c\\n\\u0001\"")) << text;
    EXPECT_NE(std::string::npos, text.find("\"Pd_Importe\":10,\"electronic\":[]},{")) << text;
    const std::string second = text.substr(text.find("\"Pd_ID\":\"0002\""));
    EXPECT_EQ(0U, second.find("\"Pd_ID\":\"0002\",\"Cc_Cve_Cuenta_Contable\":\"2101\"")) << second;
    const auto electronic = second.find("\"electronic\":[");
    ASSERT_NE(std::string::npos, electronic) << text;
    const std::string rows = second.substr(electronic);
    EXPECT_EQ(0U, rows.find("\"electronic\":[{\"table\":\"Poliza_Detalle_Cheque\","
                            "\"Pl_Folio\":\"0000000001\",\"Pd_ID\":\"0002\",\"Pdc_Id\":"
                            "\"0001\",\"Pdc_Numero\":\"76\""))
        << rows;
    EXPECT_NE(std::string::npos, rows.find("},{\"table\":\"Poliza_Detalle_Cheque\","
                                           "\"Pl_Folio\":\"0000000001\",\"Pd_ID\":"
                                           "\"0002\",\"Pdc_Id\":\"0002\",\"Pdc_Numero\":"
                                           "\"77\""))
        << rows;
    EXPECT_EQ(std::string::npos, text.find("\"99\"")) << text;
    EXPECT_EQ("]}]}", text.substr(text.size() - 4));
}

// An invoice row on `line` with the first `fields` of its fields, as a C caller holds them.
const char* const kInvoiceNames[] = {"Pdc_UUID", "Pdc_Monto", "Pdc_RFC"};
const char* const kInvoiceValues[] = {"6F9619FF-8B86-D011-B42D-00C04FC964FF", "10", "AAA010101AAA"};
ln_electronic_row invoice(std::size_t line, std::size_t fields = 3) {
    return {line, "COMPROBANTE", kInvoiceNames, kInvoiceValues, fields};
}

TEST_F(CAbiDatabase, ElectronicRowsArePostedWithTheirLine) {
    open();
    ASSERT_EQ(1, post(10, {invoice(2)})) << ln_get_error(object);
    EXPECT_EQ(LN_OK, last_status);
    EXPECT_EQ("0000000001|0002|0001|6F9619FF-8B86-D011-B42D-00C04FC964FF|10|AAA010101AAA|MXN||1\n",
              rows(file, "SELECT * FROM Poliza_Detalle_Comprobante"));

    // Two fields only: the RFC is missing, so the voucher is refused whole.
    EXPECT_EQ(0, post(10, {invoice(1, 2)}));
    EXPECT_EQ(LN_OK, last_status);
    EXPECT_STREQ(
        "ledgerNova.dll - post_voucher()\r\nLínea 1, comprobante 1:\r\n"
        "No se encontró la columna en el comando especificado o esta vacía:\r\n"
        "=> COLUMNA: RFC_TERCERO\r\n=> POLIZA: 0000000002\r\n=> ID: 0001\r\n"
        "=> TIPO: COMPROBANTE\r\n=> SQL: ",
        ln_get_error(object));
    EXPECT_EQ("1\n1\n", rows(file,
                             "SELECT COUNT(*) FROM Poliza UNION ALL "
                             "SELECT COUNT(*) FROM Poliza_Detalle_Comprobante"));
}

TEST_F(CAbiDatabase, ElectronicRowsThatNameNoLineOrHoldNullAreRefusedBeforePosting) {
    open();
    EXPECT_EQ(0, post(10, {invoice(3)}));
    EXPECT_EQ(LN_E_INVALIDARG, last_status);
    EXPECT_STREQ("Electronic row 1 names no line of the voucher.", ln_get_error(object));

    const std::vector<const char*> null_value = {nullptr};
    const ln_electronic_row holes{1, "COMPROBANTE", kInvoiceNames, null_value.data(), 1};
    EXPECT_EQ(0, post(10, {invoice(1), holes}));
    EXPECT_EQ(LN_E_INVALIDARG, last_status);
    EXPECT_STREQ("Electronic row 2 has a NULL text.", ln_get_error(object));
    EXPECT_EQ("0\n", rows(file, "SELECT COUNT(*) FROM Poliza"));
}

TEST_F(CAbiDatabase, TheExportGivesTheDocumentOrItsProblems) {
    open();
    ASSERT_EQ(1, post(10)) << ln_get_error(object);
    expect_accepted(ln_export_sat("001", 2024, 3, "LNO010101AB1", "AF", "ABC1234567/24", nullptr, 0,
                                  &ok, xml.out(), problems.out()),
                    "<PLZ:Poliza NumUnIdenPol=\"3-0000000001\" Fecha=\"2024-03-15\" "
                    "Concepto=\"Renta\">");

    ASSERT_EQ(LN_OK, ln_export_sat("001", 2024, 3, "LNO010101AB1", "AF", nullptr, nullptr, 0, &ok,
                                   xml.out(), problems.out()));
    EXPECT_EQ(0, ok);
    EXPECT_EQ("", xml.str());
    EXPECT_NE(std::string::npos, problems.str().find("NumOrden")) << problems.str();
    EXPECT_EQ('\n', problems.str().back());
    EXPECT_EQ(LN_E_INVALIDARG,
              ln_export_sat("001", 2024, 3, "X", "AF", "", "", 0, &ok, nullptr, nullptr));
}

TEST_F(CAbiDatabase, TheVoucherExportTakesTheCompanysRfcWhenNoneIsGiven) {
    open();
    db::open_sqlite(file)->Execute(
        "INSERT INTO Empresa (Em_Cve_Empresa, Em_R_F_C) VALUES ('001', 'LNO010101AB1')");
    ASSERT_EQ(1, post(10)) << ln_get_error(object);
    expect_accepted(ln_export_sat("001", 2024, 3, nullptr, "AF", "ABC1234567/24", nullptr, 0, &ok,
                                  xml.out(), problems.out()),
                    " RFC=\"LNO010101AB1\" ");
}

// The chart and trial balance exports, over the company 001 with its RFC and a posted voucher.
class CAbiChartExport : public CAbiDatabase {
  protected:
    void SetUp() override {
        LEDGERNOVA_REQUIRE_SAT_SCHEMA();
        CAbiDatabase::SetUp();
        open("chart.db");
        const auto direct = db::open_sqlite(file);
        direct->Execute(
            "INSERT INTO Empresa (Em_Cve_Empresa, Em_R_F_C) VALUES ('001', 'LNO010101AB1')");
        direct->Execute(
            "UPDATE Cuenta_Contable SET Cc_Codigo_Agrupador = '101.01', Cc_Naturaleza = 'D' WHERE "
            "Cc_Cve_Cuenta_Contable = '1101'");
        direct->Execute(
            "UPDATE Cuenta_Contable SET Cc_Codigo_Agrupador = '201.01', Cc_Naturaleza = 'A' WHERE "
            "Cc_Cve_Cuenta_Contable = '2101'");
        ASSERT_EQ(1, post(10)) << ln_get_error(object);
    }
};

TEST_F(CAbiChartExport, TheCatalogueCarriesTheCompanysRfcOrTheOneGiven) {
    expect_accepted(
        ln_export_catalogue("001", 2024, 3, nullptr, &ok, xml.out(), problems.out()),
        "Version=\"1.3\" RFC=\"LNO010101AB1\" Mes=\"03\" Anio=\"2024\">\n"
        "  <catalogocuentas:Ctas CodAgrup=\"101.01\" NumCta=\"1101\" Desc=\"Caja\" Nivel=\"1\" "
        "Natur=\"D\"/>\n");
    expect_accepted(
        ln_export_catalogue("001", 2024, 3, "AAA010101AAA", &ok, xml.out(), problems.out()),
        " RFC=\"AAA010101AAA\" ");
}

TEST_F(CAbiChartExport, TheBalanceGivesEachAccountsAmountsByItsNature) {
    expect_accepted(
        ln_export_balance("001", 2024, 3, "", nullptr, nullptr, &ok, xml.out(), problems.out()),
        "RFC=\"LNO010101AB1\" Mes=\"03\" Anio=\"2024\" TipoEnvio=\"N\">\n"
        "  <BCE:Ctas NumCta=\"1101\" SaldoIni=\"0.00\" Debe=\"10.00\" "
        "Haber=\"0.00\" SaldoFin=\"10.00\"/>\n"
        "  <BCE:Ctas NumCta=\"2101\" SaldoIni=\"0.00\" Debe=\"0.00\" "
        "Haber=\"10.00\" SaldoFin=\"10.00\"/>\n");
    expect_accepted(ln_export_balance("001", 2024, 3, nullptr, "C", "2024-04-02", &ok, xml.out(),
                                      problems.out()),
                    "TipoEnvio=\"C\" FechaModBal=\"2024-04-02\">");
}

TEST_F(CAbiChartExport, AnAccountWithoutNatureRefusesBothDocuments) {
    db::open_sqlite(file)->Execute(
        "UPDATE Cuenta_Contable SET Cc_Naturaleza = '' WHERE Cc_Cve_Cuenta_Contable = '2101'");
    expect_refused(ln_export_catalogue("001", 2024, 3, nullptr, &ok, xml.out(), problems.out()),
                   "Ctas 2101, Natur \"\": required, but empty\n");
    expect_refused(ln_export_balance("001", 2024, 3, nullptr, nullptr, nullptr, &ok, xml.out(),
                                     problems.out()),
                   "Ctas, NumCta \"2101\": the account has no nature: Cc_Naturaleza must be D "
                   "(deudora) or A (acreedora)\n");
}

TEST_F(CAbiChartExport, MissingOutPointersAndCompanyAreRefused) {
    EXPECT_EQ(LN_E_INVALIDARG,
              ln_export_catalogue("001", 2024, 3, nullptr, nullptr, xml.out(), problems.out()));
    EXPECT_STREQ("ln_export_catalogue needs its three out pointers.", ln_get_error(nullptr));
    EXPECT_EQ(nullptr, xml.value);
    EXPECT_EQ(LN_E_INVALIDARG, ln_export_balance("001", 2024, 3, nullptr, nullptr, nullptr, &ok,
                                                 xml.out(), nullptr));
    EXPECT_STREQ("ln_export_balance needs its three out pointers.", ln_get_error(nullptr));
    expect_refused(ln_export_catalogue(nullptr, 2024, 3, nullptr, &ok, xml.out(), problems.out()),
                   "Catalogo, RFC \"\": the company  is not in Empresa\n");
}

TEST(CAbiSatFileName, NamesEachKindAndRefusesAnUnknownOne) {
    Text name;
    ASSERT_EQ(LN_OK,
              ln_sat_file_name("LNO010101AB1", 2024, 3, LN_SAT_CATALOGUE, nullptr, name.out()));
    EXPECT_EQ("LNO010101AB1202403CT.xml", name.str());
    ASSERT_EQ(LN_OK,
              ln_sat_file_name("LNO010101AB1", 2024, 12, LN_SAT_VOUCHERS, ".zip", name.out()));
    EXPECT_EQ("LNO010101AB1202412PL.zip", name.str());

    EXPECT_EQ(LN_E_INVALIDARG, ln_sat_file_name("LNO010101AB1", 2024, 3, 4, nullptr, name.out()));
    EXPECT_STREQ("There is no kind of file 4.", ln_get_error(nullptr));
    EXPECT_EQ(nullptr, name.value);
    EXPECT_EQ(LN_E_INVALIDARG, ln_sat_file_name(nullptr, 2024, 3, 0, nullptr, name.out()));
    EXPECT_STREQ("ln_sat_file_name needs an RFC and an out pointer.", ln_get_error(nullptr));
}

TEST_F(CAbiDatabase, PostedFoliosAreNoneBeforeAnyDocument) {
    open();
    ln_variant* results = nullptr;
    size_t count = 7;
    ASSERT_EQ(LN_OK, ln_posted_folios(object, &results, &count));
    EXPECT_EQ(nullptr, results);
    EXPECT_EQ(0U, count);
    EXPECT_EQ(LN_E_INVALIDARG, ln_posted_folios(nullptr, &results, &count));
    EXPECT_EQ(LN_E_INVALIDARG, ln_posted_folios(object, nullptr, &count));
}

}  // namespace
}  // namespace ledgernova
