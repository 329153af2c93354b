// How a statement text becomes the key a backend keeps prepared and the values it binds, and how
// the server backend decides what to prepare.

#include <gtest/gtest.h>

#include <string>

#include "db/parameterizer.h"
#include "db/prepared_statements.h"

namespace ledgernova::db {
namespace {

// The key, then each value on a line of its own; "unusable" when the text cannot be kept.
std::string parameterized(std::string_view sql, ParameterStyle style) {
    Parameterized result;
    parameterize(sql, style, result);
    if (!result.usable) {
        return "unusable";
    }
    std::string out = result.text;
    for (const auto value : result.values) {
        out += "\n" + std::string(value);
    }
    return out;
}

std::string for_server(std::string_view sql) {
    return parameterized(sql, ParameterStyle::PostgreSQL);
}

TEST(ParameterizeForTheServer, QuotedValuesAreTakenOutAsWrittenQuotesAndAll) {
    EXPECT_EQ(
        "SELECT Pl_Folio FROM Poliza WHERE Pc_Tabla = $1 AND Pc_Documento IN ($2, $3)\n"
        "'Compras'\n'O''Brien'\n'ñandú € 𝄞'",
        for_server("SELECT Pl_Folio FROM Poliza WHERE Pc_Tabla = 'Compras' AND Pc_Documento IN "
                   "('O''Brien', 'ñandú € 𝄞')"));
}

TEST(ParameterizeForTheServer, OnlyNumbersAfterAnEqualSignOrInsertedAreValues) {
    // The column a value goes into gives it its type.
    // In arithmetic it would take the type of the other operand, a whole number for a whole one.
    EXPECT_EQ(
        "INSERT INTO t (a, b) VALUES($1, NULL, $2, ( $3 ), 2.5 * 3, 9223372036854775807)\n"
        "''\n12.50\n7",
        for_server("INSERT INTO t (a, b) VALUES('', NULL, 12.50, ( 7 ), 2.5 * 3, "
                   "9223372036854775807)"));
    EXPECT_EQ("INSERT INTO t (a, b) SELECT 1, 2", for_server("INSERT INTO t (a, b) SELECT 1, 2"));
    // Elsewhere a number decides the type of its column (numeric, not text) or names a column.
    EXPECT_EQ(
        "UPDATE t SET n = $1, m = n + 1, o = 2 * n WHERE Pd_ID = $2 AND v <= $3 AND w = -1 "
        "ORDER BY 2\n"
        "1234567890123.45\n3\n5e3",
        for_server("UPDATE t SET n = 1234567890123.45, m = n + 1, o = 2 * n WHERE Pd_ID = 3 AND "
                   "v <= 5e3 AND w = -1 ORDER BY 2"));
    EXPECT_EQ("SELECT 1.5 AS x, 2 FROM t LIMIT 1", for_server("SELECT 1.5 AS x, 2 FROM t LIMIT 1"));
    // A whole number of more than 18 digits stays in the text, as for SQLite.
    EXPECT_EQ("SELECT 1 WHERE a = 1234567890123456789",
              for_server("SELECT 1 WHERE a = 1234567890123456789"));
}

TEST(ParameterizeForTheServer, AJoinedTextTakesTheParameterOfTheSameJoinedText) {
    // Only texts joined by || share: the same text compared stays a value of its own, whose
    // type the comparison decides.
    EXPECT_EQ(
        "SELECT $1 || f || $2 || d AS c, $3 AS k FROM t WHERE k = $4 GROUP BY $1 || f || $2 "
        "|| d, $5||f\n"
        "'Compra '\n' - '\n'Compra '\n'Compra '\n'Compra'",
        for_server("SELECT 'Compra ' || f || ' - ' || d AS c, 'Compra ' AS k FROM t WHERE k = "
                   "'Compra ' GROUP BY 'Compra ' || f || ' - ' || d, 'Compra'||f"));
}

TEST(ParameterizeForTheServer, TextsWithTheirOwnParametersOrPrefixedQuotesAreNotKept) {
    EXPECT_EQ("unusable", for_server("SELECT E'a\\n'"));
    EXPECT_EQ("unusable", for_server("SELECT $1"));
    EXPECT_EQ("unusable", for_server("SELECT '2024-01-01'::date"));
    EXPECT_EQ("unusable", for_server("SELECT 'open"));
    EXPECT_EQ("SELECT \"it's\" -- 'no'\nFROM t /* 'x' */ WHERE a = $1\n'y'",
              for_server("SELECT \"it's\" -- 'no'\nFROM t /* 'x' */ WHERE a = 'y'"));
}

TEST(ParameterizeForSqlite, ValuesLoseTheirDoubledQuotesAndNumbersKeepTheirType) {
    EXPECT_EQ("SELECT ?1, +CAST(?2 AS REAL) WHERE a = +CAST(?3 AS INTEGER)\nO'Brien\n1.5\n7",
              parameterized("SELECT 'O''Brien', 1.5 WHERE a = 7", ParameterStyle::SQLite));
}

// Plain code is skipped sixteen bytes at a time: whatever starts a value, a name, a comment or a
// parameter is found at every distance from the start of such a run, also as its last byte.
TEST(ParameterizeForSqlite, EverythingThatIsNotPlainCodeIsFoundWhereverItStands) {
    const auto sqlite = [](std::string_view sql) {
        return parameterized(sql, ParameterStyle::SQLite);
    };
    for (std::size_t k = 0; k < 40; ++k) {
        const std::string plain = "SELECT " + std::string(k, 'x') + " ";
        EXPECT_EQ(plain + "?1, a1 FROM t WHERE b = +CAST(?2 AS REAL) -- 'c'\n\nO'B\n2.5",
                  sqlite(plain + "'O''B', a1 FROM t WHERE b = 2.5 -- 'c'\n"))
            << k;
        EXPECT_EQ(plain + "\"'\", ['], `'`, /* 'x' */ 7",
                  sqlite(plain + "\"'\", ['], `'`, /* 'x' */ 7"))
            << k;
        EXPECT_EQ(plain + "a = +CAST(?1 AS INTEGER)\n12", sqlite(plain + "a = 12")) << k;
        for (const char* own : {"?", ":a", "@a", "#a", "$a"}) {
            EXPECT_EQ("unusable", sqlite(plain + own)) << k << " " << own;
        }
    }
}

TEST(ParameterizeForTheServer, MarkersAreNumberedPastNine) {
    std::string sql = "SELECT 1";
    std::string expected = "SELECT 1";
    std::string values;
    for (int n = 1; n <= 12; ++n) {
        sql += ", 'v" + std::to_string(n) + "'";
        expected += ", $" + std::to_string(n);
        values += "\n'v" + std::to_string(n) + "'";
    }
    EXPECT_EQ(expected + values, for_server(sql));
}

using State = PreparedStatements::State;

TEST(PreparedStatements, ATextIsPreparedTheSecondTimeItComesUnderANameOfItsOwn) {
    PreparedStatements statements;
    EXPECT_EQ(State::New, statements.find("SELECT $1").state);
    auto& again = statements.find("SELECT $1");
    EXPECT_EQ(State::Seen, again.state);
    EXPECT_EQ("ln_p1", again.name);
    again.state = State::Prepared;
    EXPECT_EQ(State::Prepared, statements.find("SELECT $1").state);
    EXPECT_EQ("ln_p2", statements.find("SELECT 2").name);

    statements.refuse(statements.find("SELECT $1"));
    EXPECT_EQ(State::Refused, statements.find("SELECT $1").state);
    EXPECT_EQ(std::vector<std::string>{"ln_p1"}, statements.take_forgotten());
    EXPECT_TRUE(statements.take_forgotten().empty());
}

TEST(PreparedStatements, TheLeastRecentlyUsedIsForgottenAndItsServerStatementDeallocated) {
    PreparedStatements statements;
    statements.find("SELECT 0").state = State::Prepared;  // ln_p1
    for (std::size_t i = 1; i < PreparedStatements::kCapacity; ++i) {
        statements.find("SELECT " + std::to_string(i));
    }
    statements.find("SELECT 1");  // used again: stays
    EXPECT_TRUE(statements.take_forgotten().empty());
    statements.find("SELECT new");  // SELECT 0 goes
    EXPECT_EQ(std::vector<std::string>{"ln_p1"}, statements.take_forgotten());
    statements.find("SELECT newer");  // SELECT 2 goes, which had no server statement
    EXPECT_TRUE(statements.take_forgotten().empty());
    EXPECT_EQ(State::Seen, statements.find("SELECT 1").state);
    EXPECT_EQ(State::New, statements.find("SELECT 0").state);  // forgotten: new again
}

}  // namespace
}  // namespace ledgernova::db
