// `ledgernova demo`: the whole cycle on a demo ledger of its own.

#include <string>

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

using CliDemoTest = CliTest;

constexpr const char* kSummary =
    "Summary\n"
    "  documents   13 posted for company 01 (1 with nothing to post)\n"
    "  vouchers    13 posted, 1 cancelled\n"
    "  lines       38, with 13 electronic detail rows\n"
    "  balance     every voucher balances: charges equal credits\n";

// The refusal to replace a ledger the demo did not make.
constexpr const char* kRefusal =
    "ledgernova: ledger.db exists and was not made by the demo; it is left untouched (use --force "
    "to replace it)\n";

// Every line of the text that begins with "== ", in order.
std::string headings(const std::string& text) {
    std::string found;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        if (line.starts_with("== ")) {
            found += line + "\n";
        }
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return found;
}

TEST_F(CliDemoTest, DemoPostsEveryDocumentIntoABalancedLedgerThatItAloneReplaces) {
    const CliRun demo = ledger({"--operator", "demo", "demo"});
    ASSERT_EQ(demo.status, 0) << demo.err;
    EXPECT_EQ(demo.err, "");  // progress goes to a terminal only
    EXPECT_TRUE(demo.out.starts_with(
        "ledgerNova demo: ledger.db recreated with the demo catalogue\n"
        "\n"
        "== Compras C-0001 (2024-03-01): folio 0000000001 number 0000000001 template COM-NAC\n"
        "Pl_Folio          0000000001\n"))
        << demo.out;
    EXPECT_EQ(
        headings(demo.out),
        "== Compras C-0001 (2024-03-01): folio 0000000001 number 0000000001 template COM-NAC\n"
        "== Compras C-0002 (2024-03-04): folio 0000000002 number 0000000002 template COM-NAC\n"
        "== Cheque CH-0001 (2024-03-05): folio 0000000003 number 0000000001 template "
        "CHQ-CHEQUE\n"
        "== Compras C-0003 (2024-03-06): folio 0000000004 number 0000000003 template COM-NAC\n"
        "== Compras C-0004 (2024-03-08): folio 0000000005 number 0000000004 template COM-EXT\n"
        "== Compras C-0005 (2024-03-11): folio 0000000006 number 0000000005 template COM-NAC\n"
        "== Cheque CH-0002 (2024-03-12): folio 0000000007 number 0000000002 template "
        "CHQ-TRANSF\n"
        "== Compras C-0006 (2024-03-14): folio 0000000008 number 0000000006 template COM-NAC\n"
        "== Cheque CH-0003 (2024-03-15): folio 0000000009 number 0000000003 template "
        "CHQ-CHEQUE\n"
        "== Compras C-0007 (2024-03-19): folio 0000000010 number 0000000007 template COM-NAC\n"
        "== Cheque CH-0004 (2024-03-20): folio 0000000011 number 0000000004 template "
        "CHQ-TRANSF\n"
        "== Compras C-0008 (2024-03-22): nothing to post for company 01\n"
        "== Cheque CH-0005 (2024-03-26): folio 0000000012 number 0000000005 template "
        "CHQ-TRANSF\n"
        "== cancel --document Compras C-0001: cancelled folio 0000000001 number 0000000001 "
        "template COM-NAC\n"
        "== post Compras C-0001 again: folio 0000000013 number 0000000008 template "
        "COM-NAC\n");
    EXPECT_TRUE(demo.out.ends_with(kSummary)) << demo.out;
    // Each voucher is printed with its header.
    for (const std::string folio : {"0000000001", "0000000005", "0000000012", "0000000013"}) {
        EXPECT_NE(demo.out.find("Pl_Folio          " + folio + "\n"), std::string::npos) << folio;
    }

    // The ledger holds balanced vouchers, one in force per document of the company.
    EXPECT_EQ(unbalanced(), "");
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza WHERE Pl_Folio NOT IN "
                    "(SELECT Pl_Folio FROM Poliza_Detalle)"),
              "0\n");
    EXPECT_EQ(query("SELECT Pc_Tabla, Pc_Documento, COUNT(*) FROM Poliza_Control "
                    "WHERE Es_Cve_Estado <> 'CA' GROUP BY Pc_Tabla, Pc_Documento "
                    "ORDER BY Pc_Tabla, Pc_Documento"),
              "CHEQUE|CH-0001|1\nCHEQUE|CH-0002|1\nCHEQUE|CH-0003|1\nCHEQUE|CH-0004|1\n"
              "CHEQUE|CH-0005|1\nCOMPRAS|C-0001|1\nCOMPRAS|C-0002|1\nCOMPRAS|C-0003|1\n"
              "COMPRAS|C-0004|1\nCOMPRAS|C-0005|1\nCOMPRAS|C-0006|1\nCOMPRAS|C-0007|1\n");
    EXPECT_EQ(query("SELECT Poliza.Pl_Folio, Poliza.Es_Cve_Estado, Poliza_Control.Es_Cve_Estado "
                    "FROM Poliza INNER JOIN Poliza_Control "
                    "ON Poliza_Control.Pl_Folio = Poliza.Pl_Folio "
                    "WHERE Poliza.Pl_Documento = 'C-0001' ORDER BY Poliza.Pl_Folio"),
              "0000000001|CA|CA\n0000000013|AC|AC\n");
    EXPECT_EQ(query("SELECT SUM(CASE WHEN Pd_Tipo = 1 THEN Pd_Importe ELSE 0 END), "
                    "SUM(CASE WHEN Pd_Tipo = 2 THEN Pd_Importe ELSE 0 END) FROM Poliza_Detalle"),
              "166256|166256\n");
    EXPECT_EQ(query("SELECT Pa_Ambito, Pa_Valor FROM Parametro WHERE Pa_Nombre = "
                    "'LEDGERNOVA_DEMO'"),
              "0|made by ledgernova demo, which replaces it when run again\n");

    // Run again, it starts afresh.
    execute("INSERT INTO Parametro(Pa_Nombre, Pa_Valor) VALUES('LEFT_OVER', 'x')");
    const CliRun again = ledger({"demo"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_TRUE(again.out.ends_with(kSummary)) << again.out;
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza"), "13\n");
    EXPECT_EQ(query("SELECT COUNT(*) FROM Parametro WHERE Pa_Nombre = 'LEFT_OVER'"), "0\n");

    // A demo ledger is known by its mark, not by its catalogue.
    execute("DELETE FROM Parametro WHERE Pa_Nombre = 'LEDGERNOVA_DEMO'");
    EXPECT_EQ(ledger({"demo"}), cli_error(1, kRefusal));
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza WHERE Es_Cve_Estado = 'CA'"), "1\n");
}

TEST_F(CliDemoTest, DemoUsesItsOwnLedgerUnlessDbNamesOneAndNeverTheDefaultLedger) {
    ASSERT_EQ(run({"init"}).status, 0);
    const CliRun demo = run({"demo"}, "LEDGERNOVA_DB=real.db");
    ASSERT_EQ(demo.status, 0) << demo.err;
    EXPECT_TRUE(demo.out.starts_with("ledgerNova demo: ledgernova-demo.db recreated")) << demo.out;
    EXPECT_TRUE(exists("ledgernova-demo.db"));
    EXPECT_FALSE(exists("real.db"));
    EXPECT_EQ(run({"show", "0000000001"}).status, 1);  // the default ledger got no voucher
    EXPECT_EQ(run({"--connect", "DSN=x", "demo"}).status, 2);
}

// ---- what the demo may replace ------------------------------------------------------------------

TEST_F(CliDemoTest, ALedgerWithVouchersIsRefusedAndLeftAsItWasUnlessForced) {
    ASSERT_EQ(ledger({"init", "--demo"}).status, 0);
    ASSERT_EQ(ledger({"post", "Compras", "C-0001", "--company", "01"}).status, 0);
    const std::string bytes = read_file("ledger.db");
    EXPECT_EQ(ledger({"demo"}), cli_error(1, kRefusal));
    EXPECT_EQ(read_file("ledger.db"), bytes);
    EXPECT_FALSE(exists("ledger.db-wal"));
    EXPECT_FALSE(exists("ledger.db-shm"));
    EXPECT_EQ(query("SELECT Pl_Folio, Pl_Documento FROM Poliza"), "0000000001|C-0001\n");
    const CliRun forced = ledger({"demo", "--force"});
    ASSERT_EQ(forced.status, 0) << forced.err;
    EXPECT_TRUE(forced.out.ends_with(kSummary)) << forced.out;
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza"), "13\n");
}

TEST_F(CliDemoTest, AFileThatIsNoDatabaseIsRefusedAndLeftAsItWasUnlessForced) {
    write_file("ledger.db", "notes that are not a ledger\n");
    EXPECT_EQ(ledger({"demo"}), cli_error(1, kRefusal));
    EXPECT_EQ(read_file("ledger.db"), "notes that are not a ledger\n");
    const CliRun forced = ledger({"demo", "--force"});
    ASSERT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza"), "13\n");
}

}  // namespace
}  // namespace ledgernova::testing
