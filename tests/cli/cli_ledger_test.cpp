// The program's ledger commands: init, param, period, and the global options.

#include <string>

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

using CliLedgerTest = CliTest;

TEST_F(CliLedgerTest, InitCreatesEveryTableThenKeepsThemAndTheirRows) {
    const CliRun first = ledger({"init"});
    const std::string tables = scalar(
        "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'");
    EXPECT_EQ(first,
              cli_ok("initialised ledger.db: " + tables + " tables created, 0 already present\n"));
    execute("INSERT INTO Parametro(Pa_Nombre, Pa_Valor) VALUES('KEPT', 'yes')");

    EXPECT_EQ(ledger({"init"}),
              cli_ok("initialised ledger.db: 0 tables created, " + tables + " already present\n"));
    EXPECT_EQ(query("SELECT Pa_Nombre, Pa_Valor FROM Parametro"), "KEPT|yes\n");
}

TEST_F(CliLedgerTest, LedgerIsLedgernovaDbHereUnlessLEDGERNOVA_DBOrDbNameAnother) {
    EXPECT_EQ(run({"init"}).status, 0);
    EXPECT_TRUE(exists("ledgernova.db"));
    EXPECT_EQ(run({"init"}, "LEDGERNOVA_DB=from-env.db").status, 0);
    EXPECT_TRUE(exists("from-env.db"));
    EXPECT_EQ(run({"--db", "given.db", "init"}, "LEDGERNOVA_DB=not-used.db").status, 0);
    EXPECT_TRUE(exists("given.db"));
    EXPECT_FALSE(exists("not-used.db"));
}

TEST_F(CliLedgerTest, ConnectReportsTheDriverManagersErrorAndExcludesDb) {
    const CliRun connect = run({"--connect", "DSN=ledgernova-no-such-source", "init"});
    EXPECT_EQ(connect.status, 1);
    EXPECT_TRUE(connect.err.starts_with("ledgernova: [SQLSTATE IM002] ")) << connect.err;
    EXPECT_FALSE(exists("ledgernova.db"));
    EXPECT_EQ(run({"--connect", "DSN=ledger", "--db", "x.db", "init"}).status, 2);
}

TEST_F(CliLedgerTest, BareProgramPrintsUsageAndUnknownCommandsAreUsageErrors) {
    const CliRun bare = run({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_NE(bare.err.find("Usage: ledgernova"), std::string::npos) << bare.err;
    EXPECT_EQ(run({"post-everything"}).status, 2);
    EXPECT_EQ(ledger({"param"}).status, 2);
    EXPECT_EQ(ledger({"param", "set", "ONLY_NAME"}).status, 2);
    EXPECT_EQ(run({"--help"}).status, 0);
}

TEST_F(CliLedgerTest, CommandsOtherThanInitNeedAnExistingLedger) {
    EXPECT_EQ(ledger({"param", "list"}),
              cli_error(1,
                        "ledgernova: there is no ledger at ledger.db: run `ledgernova init` "
                        "first\n"));
    EXPECT_FALSE(exists("ledger.db"));
}

TEST_F(CliLedgerTest, ParamSetReplacesGetPrintsAndListShowsEveryParameter) {
    ASSERT_EQ(ledger({"init"}).status, 0);
    EXPECT_EQ(ledger({"param", "get", "CON_NOT_SET"}),
              cli_error(1, "ledgernova: parameter CON_NOT_SET is not set\n"));
    EXPECT_EQ(ledger({"param", "list"}), (CliRun{0, "", "ledgernova: no parameters are set\n"}));

    EXPECT_EQ(ledger({"param", "set", "FTO_POLIZA", "00000"}).out, "FTO_POLIZA = 00000\n");
    EXPECT_EQ(ledger({"param", "set", "CON_OWNER", "O'Brien"}).status, 0);
    EXPECT_EQ(ledger({"param", "set", "FTO_POLIZA", "000000"}).status, 0);
    execute("INSERT INTO Parametro(Pa_Nombre, Pa_Ambito, Pa_Valor) VALUES('FTO_POLIZA', 7, 'x')");

    EXPECT_EQ(ledger({"param", "get", "FTO_POLIZA"}), cli_ok("000000\n"));
    EXPECT_EQ(ledger({"param", "get", "CON_OWNER"}).out, "O'Brien\n");
    EXPECT_EQ(ledger({"param", "list"}).out,
              "CON_OWNER = O'Brien\nFTO_POLIZA = 000000\nFTO_POLIZA (scope 7) = x\n");
    EXPECT_EQ(query("SELECT Pa_Nombre, Pa_Ambito, Pa_Valor FROM Parametro ORDER BY 1, 2"),
              "CON_OWNER|0|O'Brien\nFTO_POLIZA|0|000000\nFTO_POLIZA|7|x\n");
}

TEST_F(CliLedgerTest, PeriodOpenThenCloseSetsTheStateOfOneRowAndRefusesBadDates) {
    ASSERT_EQ(ledger({"init"}).status, 0);
    EXPECT_EQ(ledger({"period", "open", "CONTABILIDAD", "2024-02-30", "2024-03-31"}).status, 2);
    EXPECT_EQ(ledger({"period", "open", "CONTABILIDAD", "2024-3-1", "2024-03-31"}).status, 2);
    EXPECT_EQ(ledger({"period", "open", "CONTABILIDAD", " 2024-03-1", "2024-03-31"}).status, 2);
    EXPECT_EQ(
        ledger({"period", "open", "CONTABILIDAD", "2024-03-01", "2024-03-31 10:00:00"}).status, 2);
    EXPECT_EQ(ledger({"period", "reopen", "CONTABILIDAD", "2024-03-01", "2024-03-31"}).status, 2);
    EXPECT_EQ(
        ledger({"period", "close", "CONTABILIDAD", "2024-12-31", "2024-01-01"}),
        cli_error(2, "ledgernova: the period ends (2024-01-01) before it starts (2024-12-31)\n"));
    EXPECT_EQ(query("SELECT COUNT(*) FROM Periodo_Operativo"), "0\n");

    EXPECT_EQ(ledger({"period", "open", "CONTABILIDAD", "2024-01-01", "2024-06-30"}),
              cli_ok("period CONTABILIDAD 2024-01-01 to 2024-06-30 open\n"));
    const char* rows =
        "SELECT Po_Modulo, Po_Fecha_Inicial, Po_Fecha_Final, Es_Cve_Estado FROM Periodo_Operativo";
    EXPECT_EQ(query(rows), "CONTABILIDAD|2024-01-01|2024-06-30|AB\n");
    EXPECT_EQ(ledger({"period", "close", "CONTABILIDAD", "2024-01-01", "2024-12-31"}),
              cli_ok("period CONTABILIDAD 2024-01-01 to 2024-12-31 closed\n"));
    EXPECT_EQ(query(rows), "CONTABILIDAD|2024-01-01|2024-12-31|CE\n");
}

}  // namespace
}  // namespace ledgernova::testing
