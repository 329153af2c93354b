#include <gtest/gtest.h>

#include "templates/conditions.h"
#include "templates/detail_query.h"
#include "templates/header_query.h"
#include "templates/template_store.h"

namespace ledgernova::templates {
namespace {

using TemplatesRunTest = testing::TemplateStore;

// A purchase A-17 of two items from supplier P01, another purchase, and a third of another
// company. The template posts each purchase: the items summed on the expense and VAT lines,
// one supplier credit per item with its own invoice command.
TEST_F(TemplatesRunTest, ComposedStatementsSelectTheVoucherOfOnePurchase) {
    execute(
        "CREATE TABLE Compras(Folio TEXT, Fecha TEXT, Proveedor TEXT, Importe NUMERIC, "
        "Iva NUMERIC, Empresa TEXT)");
    execute(
        "INSERT INTO Compras VALUES ('A-17', '2024-03-05', 'P01', 1000, 160, '01'), "
        "('A-17', '2024-03-05', 'P01', 500.5, 80.08, '01'), "
        "('A-18', '2024-03-05', 'P02', 200, 32, '01'), "
        "('A-17', '2024-03-05', 'P09', 999, 99, '02')");
    add_table();  // posted by movement, Compras.Folio
    add_template({.comentario = "'Compra ' || Compras.Proveedor"});  // type 2, from Compras
    add_condition(1, "Compras.Empresa = '<EMPRESA>'");
    add_condition(2, "Compras.Importe\r\n > 0");
    add_line({.id = 1,
              .descripcion = "Gasto",
              .cuenta = "'5101'",
              .concepto = "'Compra ' || Compras.Proveedor",
              .referencia = "Compras.Folio",
              .cargo = "SUM(Compras.Importe)"});
    add_electronic(1, 1, "Cheque", "'SELECT 1'");
    add_line({.id = 2,
              .descripcion = "IVA",
              .cuenta = "'1190'",
              .concepto = "'IVA'",
              .referencia = "Compras.Folio",
              .cargo = "SUM(Compras.Iva)"});
    add_line({.id = 3,
              .descripcion = "Proveedor",
              .cuenta = "'2101'",
              .concepto = "Compras.Proveedor",
              .referencia = "Compras.Folio",
              .abono = "Compras.Importe + Compras.Iva"});
    add_electronic(3, 1, "COMPROBANTE", "'SELECT ''' || Compras.Folio || ''' AS UUID'");

    const Date fecha = Date::from_ymd(2024, 3, 5);
    const std::string general = GetSQL_Condicion_General(contexto, "CMP", "01");
    const std::string header = GetSQL_Encabezado(contexto, "CMP", fecha, "A-17", general);
    const std::string detail = GetSQL_Detalle(contexto, "CMP", fecha, "A-17", general);
    ASSERT_EQ("", contexto.Error);

    EXPECT_EQ("2|A-17|Compra P01\n", ledger.rows(header));
    // Account|cost centre|concept|reference|six kinds and commands|type|amount.
    EXPECT_EQ(
        "5101||Compra P01|A-17|||Cheque|SELECT 1|||||||||1|1500.5\n"
        "1190||IVA|A-17|||||||||||||1|240.08\n"
        "2101||P01|A-17|COMPROBANTE|SELECT 'A-17' AS UUID|||||||||||2|1160\n"
        "2101||P01|A-17|COMPROBANTE|SELECT 'A-17' AS UUID|||||||||||2|580.58\n",
        ledger.rows(detail));
}

}  // namespace
}  // namespace ledgernova::templates
