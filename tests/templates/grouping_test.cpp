#include <gtest/gtest.h>

#include "templates/grouping.h"

namespace ledgernova::templates {
namespace {

TEST(GroupingTest, ColumnsJoinTheListOneLineEach) {
    EXPECT_EQ("Clientes.Nombre", Agrega_Campo_Group_By("  Clientes.Nombre  ", ""));
    EXPECT_EQ("A.X, \r\nClientes.Nombre", Agrega_Campo_Group_By("Clientes.Nombre ", "A.X"));
    // Text joined to columns is grouped like a column: it has more quotes than one constant.
    EXPECT_EQ("A.X, \r\n'A' + Clientes.Nombre + 'B'",
              Agrega_Campo_Group_By("'A' + Clientes.Nombre + 'B'", "A.X"));
    // Only blanks are trimmed: the tab stays with the expression.
    EXPECT_EQ("\tA.Y", Agrega_Campo_Group_By("\tA.Y", ""));
}

TEST(GroupingTest, BlanksConstantsAndSubSelectsLeaveTheListAlone) {
    EXPECT_EQ("A.X", Agrega_Campo_Group_By("   ", "A.X"));
    EXPECT_EQ("A.X", Agrega_Campo_Group_By("", "A.X"));
    EXPECT_EQ("A.X", Agrega_Campo_Group_By("'Ventas'", "A.X"));
    EXPECT_EQ("A.X", Agrega_Campo_Group_By("''", "A.X"));
    EXPECT_EQ("A.X", Agrega_Campo_Group_By("'\r\nVentas\t'", "A.X"));
    EXPECT_EQ("A.X", Agrega_Campo_Group_By("(SELECT MAX(x) FROM y) + A.Z", "A.X"));
    EXPECT_EQ("A.X", Agrega_Campo_Group_By("(select max(x) from y)", "A.X"));
    // A constant-shaped text with quotes of its own is grouped even when it names a SELECT.
    EXPECT_EQ("'SELECT ''' + A.F + ''''", Agrega_Campo_Group_By("'SELECT ''' + A.F + ''''", ""));
}

TEST(GroupingTest, SumsOutsideSubSelectsCount) {
    EXPECT_TRUE(Es_Campo_Suma("SUM(Documentos.Importe)"));
    EXPECT_TRUE(Es_Campo_Suma("  sum(x)\r\n * 2"));
    EXPECT_TRUE(Es_Campo_Suma("SUM(x) + (SELECT MAX(y) FROM z)"));
    EXPECT_TRUE(Es_Campo_Suma("SU\r\nM(x)"));  // line breaks are removed before looking
    // Without FROM the text is no sub-select, wherever the SELECT stands.
    EXPECT_TRUE(Es_Campo_Suma("'SELECT ' + SUM(x)"));
    EXPECT_FALSE(Es_Campo_Suma("(SELECT SUM(x) FROM y)"));
    EXPECT_FALSE(Es_Campo_Suma("Documentos.Importe"));
    EXPECT_FALSE(Es_Campo_Suma("SUM (x)"));
    EXPECT_FALSE(Es_Campo_Suma(""));
}

}  // namespace
}  // namespace ledgernova::templates
