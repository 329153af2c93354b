#include "db/sql_text.h"

#include <gtest/gtest.h>

namespace ledgernova::db {
namespace {

// Every quote doubled, wherever it stands and however many stand together; nothing else moves.
TEST(SqlTextTest, EscapingDoublesEveryQuoteAndNothingElse) {
    EXPECT_EQ("", esc(""));
    EXPECT_EQ("Compra ñ 100%", esc("Compra ñ 100%"));
    EXPECT_EQ("''", esc("'"));
    EXPECT_EQ("O''Brien", esc("O'Brien"));
    EXPECT_EQ("''''a''''''", esc("''a'''"));
    EXPECT_EQ("'' OR 1=1 --", esc("' OR 1=1 --"));
    EXPECT_EQ(std::string("a\0''b", 5), esc(std::string_view("a\0'b", 4)));
}

}  // namespace
}  // namespace ledgernova::db
