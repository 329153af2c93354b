// A statement that comes again with other values takes the parameterized text of an earlier one
// of its kind: whatever the second text, the result is what parameterizing it afresh gives.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "db/parameterizer.h"
#include "db/statement_shapes.h"

namespace ledgernova::db {
namespace {

// The parameterized text, then each value and where it was written.
std::string shown(const Parameterized& result) {
    if (!result.usable) {
        return "unusable";
    }
    std::string out = result.text;
    for (std::size_t i = 0; i < result.values.size(); ++i) {
        const auto& source = result.sources[i];
        out += "\n" + std::string(result.values[i]) + " @" + std::to_string(source.offset) + "+" +
               std::to_string(source.length) + "/" + std::to_string(static_cast<int>(source.token));
    }
    return out;
}

std::string afresh(std::string_view sql, ParameterStyle style) {
    Parameterized result;
    parameterize(sql, style, result);
    return shown(result);
}

// Parameterizes `first` then `second` through one set of shapes: the second must come out as it
// does afresh, and take the first's shape or not as `reused` says.
void expect_second(ParameterStyle style, std::string_view first, std::string_view second,
                   bool reused) {
    StatementShapes shapes(style);
    Parameterized result;
    shapes.parameterize(first, result);
    shapes.parameterize(second, result);
    EXPECT_EQ(afresh(second, style), shown(result)) << first << "\nthen\n" << second;
    EXPECT_EQ(reused ? 1 : 0, shapes.reused()) << first << "\nthen\n" << second;
}

constexpr auto kLite = ParameterStyle::SQLite;
constexpr auto kServer = ParameterStyle::PostgreSQL;

TEST(StatementShapesTest, OtherValuesOfTheSameTokenKindsTakeTheKeptShape) {
    for (const auto style : {kLite, kServer}) {
        expect_second(style,
                      "INSERT INTO Poliza_Detalle(Pl_Folio, Pd_ID, Pd_Tipo, Pd_Importe) "
                      "VALUES('0000000019', '0001', 1, 555.50)",
                      "INSERT INTO Poliza_Detalle(Pl_Folio, Pd_ID, Pd_Tipo, Pd_Importe) "
                      "VALUES('00000000200', 'O''Brien ñ', 1, 1245.0)",
                      true);
        expect_second(style, "SELECT a FROM t WHERE k = 'x' AND n = 5e3 ORDER BY 2 -- 'c'",
                      "SELECT a FROM t WHERE k = '' AND n = 12E-3 ORDER BY 2 -- 'c'", true);
    }
    // Whatever the values, a second text of another kind, or the same one, still comes out right.
    expect_second(kLite, "SELECT 'a'", "SELECT 'a'", true);
    expect_second(kLite, "SELECT 'a'", "UPDATE t SET a = 'b'", false);
}

TEST(StatementShapesTest, ATokenOfAnotherKindOrOtherCodeIsParameterizedAfresh) {
    for (const auto style : {kLite, kServer}) {
        SCOPED_TRACE(static_cast<int>(style));
        for (const char* second :
             {// A whole number that becomes a real one, or too long to be bound.
              "UPDATE t SET n = 5.5 WHERE k = 'a'",
              "UPDATE t SET n = 1234567890123456789 WHERE k = 'a'",
              // A value glued to a word, a text where a number stood, an unclosed quote.
              "UPDATE t SET n = 5e WHERE k = 'a'", "UPDATE t SET n = '5' WHERE k = 'a'",
              "UPDATE t SET n = 5 WHERE k = 'a",
              // The code between the values, or after the last one, differs.
              "UPDATE t SET n = 5 WHERE j = 'a'", "UPDATE t SET n = 5 WHERE k = 'a' OR 1 = 1"}) {
            expect_second(style, "UPDATE t SET n = 5 WHERE k = 'a'", second, false);
        }
    }
}

TEST(StatementShapesTest, OnTheServerJoinedTextsAndTheValuesOfAnInsertKeepTheirMeaning) {
    // Joined texts share a parameter only while they are the same text.
    expect_second(kServer, "SELECT 'A' || f AS c FROM t GROUP BY 'A' || f",
                  "SELECT 'A' || f AS c FROM t GROUP BY 'B' || f", false);
    expect_second(kServer, "SELECT 'A' || f AS c, 'k' AS k FROM t GROUP BY 'A' || f",
                  "SELECT 'A' || f AS c, 'j' AS k FROM t GROUP BY 'A' || f", true);
    // A number listed after VALUES is a value: a text whose first VALUES stands in a value could
    // move it, and is never kept.
    expect_second(kServer, "INSERT INTO t (a, b) SELECT 'x', 7 FROM u",
                  "INSERT INTO t (a, b) SELECT 'VALUES', 7 FROM u", false);
    expect_second(kServer, "INSERT INTO t (a, b) VALUES ('x', 7)",
                  "INSERT INTO t (a, b) VALUES ('VALUES', 8)", true);
}

// The kind is read eight bytes at a time: letters of other alphabets (whose bytes look like digits
// and quotes once their high bit is dropped) are code, and so is code past the first word.
TEST(StatementShapesTest, TheKindOfATextIsTheCodeBeforeItsFirstValue) {
    for (const char* code : {"SELECT a FROM t WHERE k = ", "SELECT ñ§ FROM t WHERE k = ",
                             "UPDATE Poliza_Detalle_Comprobante_Extranjero SET Pdce_Monto = "}) {
        expect_second(kLite, std::string(code) + "'a'", std::string(code) + "'bcd'", true);
        expect_second(kLite, std::string(code) + "'a'", std::string(code) + "1", false);
    }
}

TEST(StatementShapesTest, EachKindKeepsItsLastText) {
    StatementShapes shapes(kLite);
    Parameterized result;
    for (const char* sql : {"SELECT a FROM t WHERE k = 'a'", "SELECT b FROM u WHERE k = 'a'",
                            "SELECT a FROM t WHERE k = 'bb'", "SELECT b FROM u WHERE k = 'ccc'"}) {
        shapes.parameterize(sql, result);
    }
    EXPECT_EQ(2, shapes.reused());
    EXPECT_EQ("SELECT b FROM u WHERE k = ?1\nccc @26+5/0", shown(result));
}

// The lines of a voucher share a kind but not always their code (a debit or credit type written as
// it is): a kind keeps its last four shapes, the oldest giving way to a fifth.
TEST(StatementShapesTest, AKindKeepsItsLastFourShapes) {
    StatementShapes shapes(kLite);
    Parameterized result;
    const auto line = [](int type, const char* amount) {
        return "INSERT INTO Poliza_Detalle(Pd_ID, Pd_Tipo, Pd_Importe) VALUES('0001', " +
               std::to_string(type) + ", " + amount + ")";
    };
    for (const char* amount : {"10.00", "20.50"}) {
        for (int type = 1; type <= 4; ++type) {
            const std::string sql = line(type, amount);  // the result points into it
            shapes.parameterize(sql, result);
            EXPECT_EQ(afresh(sql, kLite), shown(result));
        }
    }
    EXPECT_EQ(4, shapes.reused());
    shapes.parameterize(line(5, "1.00"), result);
    shapes.parameterize(line(1, "1.00"), result);
    EXPECT_EQ(4, shapes.reused()) << "the fifth shape took the place of the first";
    shapes.parameterize(line(5, "2.00"), result);
    EXPECT_EQ(5, shapes.reused());
}

}  // namespace
}  // namespace ledgernova::db
