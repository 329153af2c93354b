// `ledgernova export-sat balance`: the month's trial balance written to a file that the schema
// (and xmllint) accepts, or refused with the problem list.

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_fixture.h"
#include "export/export_fixture.h"

namespace ledgernova::testing {
namespace {

class ExportBalanceCliTest : public CliTest {
  protected:
    void SetUp() override {
        LEDGERNOVA_REQUIRE_SAT_SCHEMA();
        CliTest::SetUp();
        ASSERT_EQ(ledger({"init"}).status, 0);
        execute("INSERT INTO Empresa(Em_Cve_Empresa, Em_R_F_C) VALUES('001', 'LNO010101AB1')");
        execute(
            "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Naturaleza, Cc_Cuenta_Padre) "
            "VALUES('1100', 'D', ''), ('1101', 'D', '1100'), ('6101', 'D', '')");
        execute(
            "INSERT INTO Poliza(Pl_Folio, Em_Cve_Empresa, Pl_Ejercicio, Pl_Periodo, Pl_Tipo, "
            "Pl_Numero, Pl_Fecha) VALUES('0000000001', '001', '2024', '03', 2, '1', '2024-03-15')");
        execute(
            "INSERT INTO Poliza_Detalle(Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Tipo, "
            "Pd_Importe) VALUES('0000000001', '0001', '6101', 1, 250.5), "
            "('0000000001', '0002', '1101', 2, 250.5)");
        ASSERT_EQ(ledger({"opening", "set", "--company", "001", "--year", "2024", "--month", "1",
                          "1101", "1000"})
                      .status,
                  0);
    }

    CliRun balance(std::vector<std::string> extra) {
        std::vector<std::string> arguments = {"export-sat", "balance", "--company", "001",
                                              "--year",     "2024",    "--month",   "3"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return ledger(arguments);
    }
};

TEST_F(ExportBalanceCliTest, WritesTheBalanceThatXmllintAccepts) {
    const CliRun run = balance({"--out", "balanza.xml"});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const std::string xml = read_file("balanza.xml");
    EXPECT_EQ(schema_errors(sat::Schema::BalanzaComprobacion, xml), "");
    EXPECT_TRUE(contains(xml,
                         "RFC=\"LNO010101AB1\" Mes=\"03\" Anio=\"2024\" TipoEnvio=\"N\">\n"
                         "  <BCE:Ctas NumCta=\"1100\" SaldoIni=\"1000.00\" Debe=\"0.00\" "
                         "Haber=\"250.50\" SaldoFin=\"749.50\"/>\n"));
    const std::string xsd =
        (sat::schemas_folder() / sat::schema_file(sat::Schema::BalanzaComprobacion)).string();
    const std::string command = "xmllint --noout --nonet --schema '" + xsd + "' '" +
                                (folder() / "balanza.xml").string() + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

TEST_F(ExportBalanceCliTest, ZipsTheFileUnderItsSatNameForTheAuthority) {
    const CliRun run = balance({"--zip", "--type", "C", "--modified", "2024-04-02"});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "wrote LNO010101AB1202403BC.zip\n");
    ASSERT_TRUE(exists("LNO010101AB1202403BC.zip"));
    // Python's zipfile reads the archive as any ZIP reader would.
    const std::string command =
        "cd '" + folder().string() +
        "' && python3 -c 'import zipfile; z = zipfile.ZipFile(\"LNO010101AB1202403BC.zip\"); "
        "open(\"names.txt\", \"w\").write(\"\\n\".join(z.namelist()) + \"\\n\"); "
        "open(\"inside.xml\", \"wb\").write(z.read(z.namelist()[0]))'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(read_file("names.txt"), "LNO010101AB1202403BC.xml\n");
    EXPECT_EQ(schema_errors(sat::Schema::BalanzaComprobacion, read_file("inside.xml")), "");
    EXPECT_TRUE(contains(read_file("inside.xml"), "FechaModBal=\"2024-04-02\""));
}

TEST_F(ExportBalanceCliTest, RefusesWithOneLinePerProblemAndWritesNoFile) {
    execute("UPDATE Cuenta_Contable SET Cc_Naturaleza = '' WHERE Cc_Cve_Cuenta_Contable = '6101'");
    execute("UPDATE Poliza_Detalle SET Pd_Importe = 250.49 WHERE Pd_Tipo = 2");

    const CliRun run = balance({"--out", "balanza.xml", "--type", "C"});

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "ledgernova: the XML was not written (3 problems):\n"
              "  Balanza, FechaModBal \"\": required with TipoEnvio C (a complementary delivery)\n"
              "  Balanza: the month does not balance: charges 250.50, credits 250.49\n"
              "  Ctas, NumCta \"6101\": the account has no nature: Cc_Naturaleza must be D "
              "(deudora) or A (acreedora)\n");
    EXPECT_FALSE(exists("balanza.xml"));
}

TEST_F(ExportBalanceCliTest, RefusesAWrongRfcAndChecksTheOptions) {
    const CliRun rfc = balance({"--rfc", "lno010101ab1"});
    EXPECT_EQ(rfc.status, 1);
    EXPECT_EQ(rfc.err.rfind("ledgernova: the XML was not written (1 problem):\n  Balanza, RFC "
                            "\"lno010101ab1\": not a valid RFC",
                            0),
              0u)
        << rfc.err;

    EXPECT_EQ(
        ledger({"export-sat", "balance", "--company", "001", "--year", "2024", "--month", "14"})
            .status,
        2);
    EXPECT_EQ(balance({"--type", "X"}).status, 2);
}

}  // namespace
}  // namespace ledgernova::testing
