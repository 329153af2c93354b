#include <string>

#include <gtest/gtest.h>

#include "ledgernova/connection.h"
#include "templates/detail_row.h"

namespace ledgernova::templates {
namespace {

// Two rows whose columns come in another order than the detail statement's, one of them twice in
// another letter case, and one missing.
class DetailRowTest : public ::testing::Test {
  protected:
    std::shared_ptr<db::Connection> connection = db::open_sqlite(":memory:");
    db::Recordset rows = connection->Execute(
        "SELECT 'X' AS Pcd_Comando_Detalle_6, 10 AS pd_importe, '5101' AS CC_CVE_CUENTA_CONTABLE, "
        "99 AS Pd_Importe "
        "UNION ALL SELECT 'Y', 20, '2101', 98");
};

TEST_F(DetailRowTest, ColumnsAreFoundOnceAndReadByPositionInEveryRow) {
    const FilaDetalle fila(rows);
    EXPECT_EQ("5101", fila.texto(kCuenta));
    EXPECT_EQ("10", fila.texto(kImporte));  // the first of equal names, as a read by name
    EXPECT_EQ("X", fila.texto(kTipoDetalle + 2 * 5 + 1));
    rows.MoveNext();
    EXPECT_EQ("2101", fila.texto(kCuenta));
    EXPECT_EQ("20", fila.texto(kImporte));
}

TEST_F(DetailRowTest, AMissingColumnFailsAsAReadByNameDoes) {
    const FilaDetalle fila(rows);
    try {
        (void)fila.valor(kTipo);
        FAIL() << "a missing column was read";
    } catch (const db::UsageError& failure) {
        EXPECT_STREQ(
            "Item cannot be found in the collection corresponding to the requested name or "
            "ordinal: Pd_Tipo",
            failure.what());
    }
}

}  // namespace
}  // namespace ledgernova::templates
