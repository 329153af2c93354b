#include <gtest/gtest.h>

#include "templates/detail_query.h"
#include "templates/template_store.h"

namespace ledgernova::templates {
namespace {

using testing::kNoElectronicDetail;
using testing::LineaPlantilla;

const Date k5Mar2024 = Date::from_ymd(2024, 3, 5);

const std::string kComment = "----------------------------------------\r\n";

// Purchases posted by movement (Compras.Folio) from relation Compras.
class DetailQueryTest : public testing::TemplateStore {
  protected:
    DetailQueryTest() {
        add_table();
        add_template();
    }
    std::string detalle(const std::string& sValor = "A-17", const std::string& condicion = "") {
        return GetSQL_Detalle(contexto, "CMP", k5Mar2024, sValor, condicion);
    }
};

TEST_F(DetailQueryTest, TwoLinesOneSummedAndGroupedOneNot) {
    add_line({.id = 1,
              .descripcion = "Compras",
              .cuenta = "'5101'",
              .centro = "",
              .concepto = "'Compra ' || Compras.Proveedor || '.'",
              .referencia = "(SELECT MAX(Folio) FROM Compras)",
              .cargo = "SUM(Compras.Importe)",
              .condicion = "Compras.Importe > 0\r\n  AND Compras.Iva >= 0"});
    add_electronic(1, 1, "Comprobante", "'SELECT ''' || Compras.Folio || ''' AS UUID'");
    add_electronic(1, 2, "cheque", "'SELECT 1 AS X'");
    add_electronic(1, 3, "CHEQUE", "'SELECT 2 AS X'");
    add_line({.id = 2,
              .descripcion = "Proveedor",
              .cuenta = "Proveedores.Cuenta",
              .centro = "'ADM'",
              .concepto = "Compras.Proveedor",
              .referencia = "Compras.Folio",
              .abono = "Compras.Importe + Compras.Iva",
              .relacion = "INNER JOIN Proveedores ON Proveedores.Clave = Compras.Proveedor",
              .condicion = "  \r\n  "});
    EXPECT_EQ(kComment + "--Compras\r\n" + kComment +
                  "SELECT \r\n"
                  "'5101' as Cc_Cve_Cuenta_Contable, \r\n"
                  "'' as Pd_Centro_Costo, \r\n"
                  "'Compra ' || Compras.Proveedor || '.' as Pd_Concepto, \r\n"
                  "(SELECT MAX(Folio) FROM Compras) as Pd_Referencia, \r\n"
                  "'Comprobante' as Pcd_Tipo_Detalle_1, \r\n"
                  "'SELECT ''' || Compras.Folio || ''' AS UUID' as Pcd_Comando_Detalle_1,  \r\n"
                  "'CHEQUE' as Pcd_Tipo_Detalle_2, \r\n"
                  "'SELECT 2 AS X' as Pcd_Comando_Detalle_2, \r\n"
                  " ''  as Pcd_Tipo_Detalle_3, \r\n"
                  " ''  as Pcd_Comando_Detalle_3,  \r\n"
                  " ''  as Pcd_Tipo_Detalle_4, \r\n"
                  " ''  as Pcd_Comando_Detalle_4,  \r\n"
                  " ''  as Pcd_Tipo_Detalle_5, \r\n"
                  " ''  as Pcd_Comando_Detalle_5, \r\n"
                  " ''  as Pcd_Tipo_Detalle_6,\r\n"
                  " ''  as Pcd_Comando_Detalle_6, \r\n"
                  "1 as Pd_Tipo, \r\n"
                  "SUM(Compras.Importe) as Pd_Importe \r\n"
                  "FROM \r\n"
                  "Compras\r\n"
                  "\r\n"
                  "WHERE \r\n"
                  "Compras.Folio = 'A-17' AND \r\n"
                  "Compras.Empresa = '01'\r\n"
                  " AND Compras.Importe > 0\r\n  AND Compras.Iva >= 0\r\n"
                  "GROUP BY \r\n"
                  "'Compra ' || Compras.Proveedor || '.', \r\n"
                  "'SELECT ''' || Compras.Folio || ''' AS UUID'"
                  "\r\n\r\n UNION ALL \r\n\r\n" +
                  kComment + "--Proveedor\r\n" + kComment +
                  "SELECT \r\n"
                  "Proveedores.Cuenta as Cc_Cve_Cuenta_Contable, \r\n"
                  "'ADM' as Pd_Centro_Costo, \r\n"
                  "Compras.Proveedor as Pd_Concepto, \r\n"
                  "Compras.Folio as Pd_Referencia, \r\n" +
                  kNoElectronicDetail +
                  "2 as Pd_Tipo, \r\n"
                  "Compras.Importe + Compras.Iva as Pd_Importe \r\n"
                  "FROM \r\n"
                  "Compras\r\n"
                  "INNER JOIN Proveedores ON Proveedores.Clave = Compras.Proveedor\r\n"
                  "WHERE \r\n"
                  "Compras.Folio = 'A-17' AND \r\n"
                  "Compras.Empresa = '01'\r\n",
              detalle("A-17", "Compras.Empresa = '01'"));
    EXPECT_EQ("", contexto.Error);
    // The voucher condition (its table and parameter), the lines, then each line's detail.
    ASSERT_EQ(5U, statements().size());
    EXPECT_EQ(
        "SELECT    Poliza_Configuracion_Detalle.Pcd_ID,    Poliza_Configuracion.Pc_Relacion,    "
        "Poliza_Configuracion_Detalle.Pcd_Descripcion,    "
        "Poliza_Configuracion_Detalle.Pcd_Condicion,    "
        "Poliza_Configuracion_Detalle.Pcd_Cuenta_Contable,    "
        "Poliza_Configuracion_Detalle.Pcd_Centro_Costo,    "
        "Poliza_Configuracion_Detalle.Pcd_Concepto,    "
        "Poliza_Configuracion_Detalle.Pcd_Referencia,    Poliza_Configuracion_Detalle.Pcd_Cargo,  "
        "  Poliza_Configuracion_Detalle.Pcd_Abono,    Poliza_Configuracion_Detalle.Pcd_Relacion,  "
        "  Poliza_Configuracion_Detalle.Pcd_Tipo_Detalle,    "
        "Poliza_Configuracion_Detalle.Pcd_Comando_Detalle FROM    Poliza_Configuracion_Detalle  "
        "  INNER JOIN Poliza_Configuracion ON "
        "Poliza_Configuracion_Detalle.Pc_Cve_Poliza_Configuracion = "
        "Poliza_Configuracion.Pc_Cve_Poliza_Configuracion WHERE    "
        "Poliza_Configuracion.Pc_Cve_Poliza_Configuracion = 'CMP' ORDER BY    "
        "Poliza_Configuracion_Detalle.Pcd_ID",
        statements()[2]);
    EXPECT_NE(std::string::npos, statements()[3].find("Pcd_Id = '1'"));
    EXPECT_NE(std::string::npos, statements()[4].find("Pcd_Id = '2'"));
}

TEST_F(DetailQueryTest, WithoutAGeneralConditionTheLineFilterFollowsTheVoucherCondition) {
    add_line({.cuenta = "'5101'", .cargo = "Compras.Importe", .condicion = "Compras.Importe > 0"});
    EXPECT_EQ(kComment + "--\r\n" + kComment +
                  "SELECT \r\n"
                  "'5101' as Cc_Cve_Cuenta_Contable, \r\n"
                  "'' as Pd_Centro_Costo, \r\n"
                  "'' as Pd_Concepto, \r\n"
                  "'' as Pd_Referencia, \r\n" +
                  kNoElectronicDetail +
                  "1 as Pd_Tipo, \r\n"
                  "Compras.Importe as Pd_Importe \r\n"
                  "FROM \r\n"
                  "Compras\r\n"
                  "\r\n"
                  "WHERE \r\n"
                  "Compras.Folio = 'A-17'\r\n"
                  " AND Compras.Importe > 0\r\n",
              detalle());
}

TEST_F(DetailQueryTest, ChargeOrCreditAndWhenALineIsGrouped) {
    // Only constants: nothing to group by, though the amount is a sum.
    add_line(
        {.id = 1, .cuenta = "'5101'", .concepto = "'Compras'", .cargo = "SUM(Compras.Importe)"});
    // Both amounts filled: a charge, grouped because the unused credit is a sum.
    add_line({.id = 2,
              .concepto = "Compras.Proveedor",
              .cargo = "Compras.Importe",
              .abono = "SUM(Compras.Iva)"});
    // Neither filled: a credit with an empty amount.
    add_line({.id = 3, .concepto = "Compras.Proveedor"});
    // A sum inside a sub-select is no sum; one before a sub-select is.
    add_line({.id = 4, .concepto = "Compras.Proveedor", .abono = "(SELECT SUM(x) FROM y)"});
    add_line({.id = 10, .concepto = "Compras.Proveedor", .abono = "SUM(x) + (SELECT 1 FROM y)"});
    const std::string kFromWhere =
        "FROM \r\n"
        "Compras\r\n"
        "\r\n"
        "WHERE \r\n"
        "Compras.Folio = 'A-17' AND \r\n"
        "X = 1\r\n";
    const std::string kUnion = "\r\n\r\n UNION ALL \r\n\r\n";
    const std::string kHead = kComment + "--\r\n" + kComment + "SELECT \r\n";
    const std::string kProveedor =
        "'' as Cc_Cve_Cuenta_Contable, \r\n"
        "'' as Pd_Centro_Costo, \r\n"
        "Compras.Proveedor as Pd_Concepto, \r\n"
        "'' as Pd_Referencia, \r\n" +
        kNoElectronicDetail;
    EXPECT_EQ(
        kHead +
            "'5101' as Cc_Cve_Cuenta_Contable, \r\n"
            "'' as Pd_Centro_Costo, \r\n"
            "'Compras' as Pd_Concepto, \r\n"
            "'' as Pd_Referencia, \r\n" +
            kNoElectronicDetail + "1 as Pd_Tipo, \r\nSUM(Compras.Importe) as Pd_Importe \r\n" +
            kFromWhere + kUnion + kHead + kProveedor +
            "1 as Pd_Tipo, \r\nCompras.Importe as Pd_Importe \r\n" + kFromWhere +
            "GROUP BY \r\nCompras.Proveedor" + kUnion + kHead + kProveedor +
            "2 as Pd_Tipo, \r\n as Pd_Importe \r\n" + kFromWhere + kUnion + kHead + kProveedor +
            "2 as Pd_Tipo, \r\n(SELECT SUM(x) FROM y) as Pd_Importe \r\n" + kFromWhere + kUnion +
            kHead + kProveedor + "2 as Pd_Tipo, \r\nSUM(x) + (SELECT 1 FROM y) as Pd_Importe \r\n" +
            kFromWhere + "GROUP BY \r\nCompras.Proveedor",
        detalle("A-17", "X = 1"));
}

TEST_F(DetailQueryTest, DateMarkerAndQuotedValue) {
    add_line({.descripcion = "Al <FECHA>",
              .cuenta = "'5101'",
              .cargo = "Compras.Importe",
              .relacion = "INNER JOIN Cortes ON Cortes.Dia = '<FECHA>'",
              .condicion = "Compras.Fecha <= '<FECHA>'"});
    add_electronic(1, 1, "OTRO METODO PAGO", "'SELECT * FROM Pagos WHERE Dia = ''<FECHA>'''");
    EXPECT_EQ(kComment + "--Al 05/Mar/2024\r\n" + kComment +
                  "SELECT \r\n"
                  "'5101' as Cc_Cve_Cuenta_Contable, \r\n"
                  "'' as Pd_Centro_Costo, \r\n"
                  "'' as Pd_Concepto, \r\n"
                  "'' as Pd_Referencia, \r\n"
                  " ''  as Pcd_Tipo_Detalle_1, \r\n"
                  " ''  as Pcd_Comando_Detalle_1,  \r\n"
                  " ''  as Pcd_Tipo_Detalle_2, \r\n"
                  " ''  as Pcd_Comando_Detalle_2, \r\n"
                  " ''  as Pcd_Tipo_Detalle_3, \r\n"
                  " ''  as Pcd_Comando_Detalle_3,  \r\n"
                  " ''  as Pcd_Tipo_Detalle_4, \r\n"
                  " ''  as Pcd_Comando_Detalle_4,  \r\n"
                  " ''  as Pcd_Tipo_Detalle_5, \r\n"
                  " ''  as Pcd_Comando_Detalle_5, \r\n"
                  "'OTRO METODO PAGO' as Pcd_Tipo_Detalle_6,\r\n"
                  "'SELECT * FROM Pagos WHERE Dia = ''05/Mar/2024''' as Pcd_Comando_Detalle_6, \r\n"
                  "1 as Pd_Tipo, \r\n"
                  "Compras.Importe as Pd_Importe \r\n"
                  "FROM \r\n"
                  "Compras\r\n"
                  "INNER JOIN Cortes ON Cortes.Dia = '05/Mar/2024'\r\n"
                  "WHERE \r\n"
                  "Compras.Folio = 'O''Brien' AND \r\n"
                  "Compras.Corte = '05/Mar/2024'\r\n"
                  " AND Compras.Fecha <= '05/Mar/2024'\r\n",
              detalle("O'Brien", "Compras.Corte = '<FECHA>'"));
}

TEST_F(DetailQueryTest, AnUnknownKindLeavesItsErrorAndTheLineWithoutDetailColumns) {
    add_line({.cuenta = "'5101'", .cargo = "Compras.Importe"});
    add_electronic(1, 1, "CHEQUES", "'SELECT 1'");
    EXPECT_EQ(kComment + "--\r\n" + kComment +
                  "SELECT \r\n"
                  "'5101' as Cc_Cve_Cuenta_Contable, \r\n"
                  "'' as Pd_Centro_Costo, \r\n"
                  "'' as Pd_Concepto, \r\n"
                  "'' as Pd_Referencia, \r\n"
                  "1 as Pd_Tipo, \r\n"
                  "Compras.Importe as Pd_Importe \r\n"
                  "FROM \r\n"
                  "Compras\r\n"
                  "\r\n"
                  "WHERE \r\n"
                  "Compras.Folio = 'A-17'\r\n",
              detalle());
    EXPECT_EQ("Get_Detalle_Electronico()\r\nDetalle electrónico no programado: CHEQUES",
              contexto.Error);
}

TEST_F(DetailQueryTest, NullsReadAsTextFailTheBuilder) {
    const char* const columns[] = {
        "Pcd_Cuenta_Contable", "Pcd_Centro_Costo", "Pcd_Concepto", "Pcd_Referencia",
        "Pcd_Condicion",       "Pcd_Cargo",        "Pcd_Abono"};
    for (const char* column : columns) {
        SCOPED_TRACE(column);
        execute("DELETE FROM Poliza_Configuracion_Detalle");
        // The concept gives the line a GROUP BY list, so both amounts are read as text.
        add_line({.concepto = "Compras.Proveedor", .cargo = "SUM(Compras.Importe)"});
        execute(std::string("UPDATE Poliza_Configuracion_Detalle SET ") + column + " = NULL");
        contexto.Error.clear();
        EXPECT_EQ("", detalle());
        EXPECT_EQ("ledgerNova.dll - GetSQL_Detalle()\r\nInvalid use of Null", contexto.Error);
    }
}

TEST_F(DetailQueryTest, NullsOnlyConcatenatedAreWrittenAsNothing) {
    add_line({.cuenta = "'5101'", .abono = "Compras.Importe"});
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Descripcion = NULL, Pcd_Relacion = NULL, "
        "Pcd_Cargo = NULL");
    execute("UPDATE Poliza_Configuracion SET Pc_Relacion = NULL");
    EXPECT_EQ(kComment + "--\r\n" + kComment +
                  "SELECT \r\n"
                  "'5101' as Cc_Cve_Cuenta_Contable, \r\n"
                  "'' as Pd_Centro_Costo, \r\n"
                  "'' as Pd_Concepto, \r\n"
                  "'' as Pd_Referencia, \r\n" +
                  kNoElectronicDetail +
                  "2 as Pd_Tipo, \r\n"
                  "Compras.Importe as Pd_Importe \r\n"
                  "FROM \r\n"
                  "\r\n"
                  "\r\n"
                  "WHERE \r\n"
                  "Compras.Folio = 'A-17'\r\n",
              detalle());
    execute("UPDATE Poliza_Configuracion_Detalle SET Pcd_Abono = NULL");
    EXPECT_NE(std::string::npos, detalle().find("2 as Pd_Tipo, \r\n as Pd_Importe \r\n"));
    EXPECT_EQ("", contexto.Error);
}

TEST_F(DetailQueryTest, ATemplateWithoutLinesGivesTheEmptyText) {
    contexto.Error = "earlier";
    add_line({.clave = "OTRA", .cuenta = "'5101'"});
    EXPECT_EQ("", detalle());
    EXPECT_EQ("earlier", contexto.Error);
}

}  // namespace
}  // namespace ledgernova::templates
