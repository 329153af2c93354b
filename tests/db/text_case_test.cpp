// Text columns compare without regard to case for accented Latin, Greek and Cyrillic letters as
// well as ASCII, on SQLite (the connection's own NOCASE) and on PostgreSQL (the schema's ICU
// collation), and the component's upper-cased copies of a name find the name again.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "ledgernova/connection.h"
#include "ledgernova/schema.h"
#include "support/ledger.h"
#include "util/text.h"

namespace ledgernova::testing {
namespace {

class TextCaseTest : public ::testing::Test {
  protected:
    void link(const std::string& folio, const std::string& table) {
        (void)ledger.direct().Execute(
            "INSERT INTO Poliza_Control(Pl_Folio, Pc_Tabla, Pc_Documento) VALUES('" + folio +
            "', '" + table + "', 'D')");
    }
    std::string linked(const std::string& table) {
        return ledger.rows("SELECT Pl_Folio FROM Poliza_Control WHERE Pc_Tabla = '" + table +
                           "' ORDER BY Pl_Folio");
    }

    Ledger ledger;
};

TEST_F(TextCaseTest, CapitalsOfEveryAlphabetEqualTheirSmallLettersButAccentsStillCount) {
    link("F1", util::to_upper("Facturación"));
    link("F2", "ΑΘΉΝΑ");
    link("F3", "МОСКВА");
    link("F4", "ÑANDÚ ÆØÅ ŒŸ");
    EXPECT_EQ("F1\n", linked("Facturación"));
    EXPECT_EQ("F1\n", linked("FACTURACIÓN"));
    EXPECT_EQ("F2\n", linked("αθήνα"));
    EXPECT_EQ("F3\n", linked("москва"));
    EXPECT_EQ("F4\n", linked("ñandú æøå œÿ"));
    EXPECT_EQ("", linked("FACTURACION"));
    EXPECT_EQ("", linked("αθηνα"));
}

TEST_F(TextCaseTest, AKeyDifferingOnlyInTheCaseOfAnAccentedLetterIsADuplicate) {
    ledger.add_account("ÁRBOL-Ñ");
    EXPECT_THROW(ledger.add_account("árbol-ñ"), db::Error);
    EXPECT_EQ("1\n", ledger.rows("SELECT COUNT(*) FROM Cuenta_Contable"));
}

// A ledger whose rows were written by a program that compares with SQLite's own NOCASE, which
// folds only A-Z: its index orders 'Ó' (U+00D3) before 'ñ' (U+00F1), the component's fold the
// other way round. Creating the schema again rebuilds the index in the component's order.
TEST(TextCaseIndex, AnIndexWrittenUnderSqlitesOwnNocaseIsRebuiltWhenTheSchemaIsCreated) {
    if (Ledger::on_server()) {
        GTEST_SKIP() << "SQLite's own collation";
    }
    const auto folder = make_temp_folder();
    const std::string path = (folder / "ledger.db").string();
    create_schema(*db::open_sqlite(path));
    sqlite3* other = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &other));
    std::string rows = "BEGIN;";
    for (int i = 0; i < 400; ++i) {
        rows += "INSERT INTO Folio_Tabla(Ft_Tabla, Ft_Ultimo) VALUES('" +
                std::string(i % 2 == 0 ? "Ó" : "ñ") + std::to_string(1000 + i) + "', " +
                std::to_string(i) + ");";
    }
    rows += "COMMIT;";
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(other, rows.c_str(), nullptr, nullptr, nullptr));
    sqlite3_close(other);

    const auto connection = db::open_sqlite(path);
    const auto check = [&] { return render(connection->Execute("PRAGMA integrity_check(1)")); };
    EXPECT_NE("ok\n", check());
    create_schema(*connection);
    EXPECT_EQ("ok\n", check());
    EXPECT_EQ(
        "301\n",
        render(connection->Execute("SELECT Ft_Ultimo FROM Folio_Tabla WHERE Ft_Tabla = 'Ñ1301'")));
    EXPECT_EQ("200\n", render(connection->Execute("SELECT COUNT(*) FROM Folio_Tabla WHERE "
                                                  "Ft_Tabla >= 'ñ' AND Ft_Tabla < 'ó'")));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace ledgernova::testing
