// `ledgernova export-sat`: the program writes the month's XML to a file or to standard output,
// refuses with the problem list on standard error, and writes anyway when forced.

#include <string>
#include <vector>

#include "cli/cli_fixture.h"
#include "export/export_fixture.h"

namespace ledgernova::testing {
namespace {

class ExportSatCliTest : public CliTest {
  protected:
    void SetUp() override {
        LEDGERNOVA_REQUIRE_SAT_SCHEMA();
        CliTest::SetUp();
        ASSERT_EQ(ledger({"init"}).status, 0);
        execute(
            "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion) "
            "VALUES('1101', 'Bancos'), ('6101', 'Gastos generales')");
        execute(
            "INSERT INTO Poliza(Pl_Folio, Em_Cve_Empresa, Pl_Ejercicio, Pl_Periodo, Pl_Tipo, "
            "Pl_Numero, Pl_Fecha, Pl_Comentario) "
            "VALUES('0000000001', '001', '2024', '03', 2, '0000000015', '2024-03-15', 'Pago')");
        execute(
            "INSERT INTO Poliza_Detalle(Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Concepto, "
            "Pd_Tipo, Pd_Importe) VALUES('0000000001', '0001', '6101', 'Papelería', 1, 250), "
            "('0000000001', '0002', '1101', 'Cheque 7', 2, 250)");
        execute(
            "INSERT INTO Poliza_Detalle_Cheque(Pl_Folio, Pd_ID, Pdc_Id, Pdc_Numero, "
            "Pdc_Banco_Emisor_Nacional, Pdc_Cuenta_Origen, Pdc_Fecha, Pdc_Monto, "
            "Pdc_Beneficiario, Pdc_RFC) VALUES('0000000001', '0002', '0001', '7', '002', "
            "'0123456789', '2024-03-15', 250, 'Papelería Central', 'PCE850101AB1')");
    }

    // export-sat of company 001 in 2024 with an order, then `extra`, by default March under RFC
    // LNO010101AB1.
    CliRun export_sat(std::vector<std::string> extra,
                      std::vector<std::string> period = {"--month", "3", "--rfc", "LNO010101AB1"}) {
        std::vector<std::string> arguments = {"export-sat", "--company", "001",
                                              "--year",     "2024",      "--request",
                                              "AF",         "--order",   "ABC1234567/24"};
        arguments.insert(arguments.end(), period.begin(), period.end());
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return ledger(arguments);
    }

    static std::string schema_errors(const std::string& xml) { return polizas_schema_errors(xml); }
};

TEST_F(ExportSatCliTest, WritesTheValidDocumentToTheFileNamed) {
    const CliRun run = export_sat({"--out", "polizas.xml"});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const std::string xml = read_file("polizas.xml");
    EXPECT_EQ(schema_errors(xml), "") << xml;
    EXPECT_TRUE(contains(xml, "<PLZ:Cheque Num=\"7\" BanEmisNal=\"002\""));
}

TEST_F(ExportSatCliTest, TheRfcIsTheCompanysWhenNoneIsGiven) {
    execute("INSERT INTO Empresa(Em_Cve_Empresa, Em_R_F_C) VALUES('001', 'EMP010101AB1')");
    const CliRun run = export_sat({"--out", "."}, {"--month", "3"});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(read_file("EMP010101AB1202403PL.xml"), " RFC=\"EMP010101AB1\" "));
}

TEST_F(ExportSatCliTest, WritesToStandardOutputWithoutAFile) {
    const CliRun run = export_sat({});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(schema_errors(run.out), "") << run.out;
}

TEST_F(ExportSatCliTest, RefusesWithTheProblemsOnStandardErrorAndWritesNoFile) {
    execute("UPDATE Poliza_Detalle_Cheque SET Pdc_Banco_Emisor_Nacional = '077', Pdc_RFC = 'x'");

    const CliRun run = export_sat({"--out", "polizas.xml"});

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "ledgernova: the XML was not written (2 problems):\n"
              "  folio 0000000001, line 0002, Cheque 0001, BanEmisNal \"077\": not a bank code of "
              "the c_Banco catalogue\n"
              "  folio 0000000001, line 0002, Cheque 0001, RFC \"x\": not a valid RFC: 3 or 4 "
              "capitals (A-Z, Ñ, &), a date yymmdd and up to 3 capitals or digits, 12 or 13 "
              "characters\n");
    EXPECT_FALSE(exists("polizas.xml"));
}

TEST_F(ExportSatCliTest, ForceWritesTheFileAndStillReportsTheProblems) {
    execute("UPDATE Poliza_Detalle_Cheque SET Pdc_Banco_Emisor_Nacional = '077'");

    const CliRun run = export_sat({"--out", "polizas.xml", "--force"});

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "ledgernova: written anyway (--force), although the schema will refuse it (1 "
              "problem):\n"
              "  folio 0000000001, line 0002, Cheque 0001, BanEmisNal \"077\": not a bank code of "
              "the c_Banco catalogue\n");
    EXPECT_TRUE(contains(read_file("polizas.xml"), "BanEmisNal=\"077\""));
}

TEST_F(ExportSatCliTest, BothOrderAndProcedureOrAMonthOutsideTheYearAreUsageErrors) {
    const CliRun both = export_sat({"--procedure", "AB123456789012"});
    EXPECT_EQ(both.status, 2);
    EXPECT_EQ(both.out, "");
    EXPECT_TRUE(contains(both.err, "excludes"));

    const CliRun month = export_sat({}, {"--month", "13", "--rfc", "LNO010101AB1"});
    EXPECT_EQ(month.status, 2);
    EXPECT_EQ(month.out, "");
}

}  // namespace
}  // namespace ledgernova::testing
