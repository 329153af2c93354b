#include <gtest/gtest.h>

#include "templates/detail_query.h"
#include "templates/template_store.h"

namespace ledgernova::templates {
namespace {

using testing::kNoElectronicDetail;
using testing::LineaPlantilla;

const Date k5Mar2024 = Date::from_ymd(2024, 3, 5);

const std::string kComment = "----------------------------------------\r\n";

// How the part of one template line begins, up to its electronic-detail columns.
std::string head(const std::string& descripcion, const std::string& cuenta,
                 const std::string& concepto = "''", const std::string& referencia = "''",
                 const std::string& centro = "''") {
    return kComment + "--" + descripcion + "\r\n" + kComment + "SELECT \r\n" + cuenta +
           " as Cc_Cve_Cuenta_Contable, \r\n" + centro + " as Pd_Centro_Costo, \r\n" + concepto +
           " as Pd_Concepto, \r\n" + referencia + " as Pd_Referencia, \r\n";
}

// `columns` with the blank kind and command of entry `n` replaced: the spacing around them stays.
std::string detail(std::string columns, int n, const std::string& tipo,
                   const std::string& comando) {
    for (const auto& [column, value] : {std::pair{"Tipo", tipo}, std::pair{"Comando", comando}}) {
        const std::string name = std::string(" as Pcd_") + column + "_Detalle_" + std::to_string(n);
        columns.replace(columns.find(" '' " + name), name.size() + 4, value + name);
    }
    return columns;
}

// The relation and the voucher condition of the purchase A-17.
const std::string kFromWhere = "FROM \r\nCompras\r\n\r\nWHERE \r\nCompras.Folio = 'A-17'";

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
    const std::string kUuid = "'SELECT ''' || Compras.Folio || ''' AS UUID'";
    EXPECT_EQ(
        head("Compras", "'5101'", "'Compra ' || Compras.Proveedor || '.'",
             "(SELECT MAX(Folio) FROM Compras)") +
            detail(detail(kNoElectronicDetail, 1, "'Comprobante'", kUuid), 2, "'CHEQUE'",
                   "'SELECT 2 AS X'") +
            "1 as Pd_Tipo, \r\n"
            "SUM(Compras.Importe) as Pd_Importe \r\n" +
            kFromWhere +
            " AND \r\n"
            "Compras.Empresa = '01'\r\n"
            " AND Compras.Importe > 0\r\n  AND Compras.Iva >= 0\r\n"
            "GROUP BY \r\n"
            "'Compra ' || Compras.Proveedor || '.', \r\n" +
            kUuid + "\r\n\r\n UNION ALL \r\n\r\n" +
            head("Proveedor", "Proveedores.Cuenta", "Compras.Proveedor", "Compras.Folio", "'ADM'") +
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
    EXPECT_EQ(head("", "'5101'") + kNoElectronicDetail +
                  "1 as Pd_Tipo, \r\nCompras.Importe as Pd_Importe \r\n" + kFromWhere +
                  "\r\n AND Compras.Importe > 0\r\n",
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
    const std::string kWhere = kFromWhere + " AND \r\nX = 1\r\n";
    const std::string kUnion = "\r\n\r\n UNION ALL \r\n\r\n";
    const std::string kProveedor = head("", "''", "Compras.Proveedor") + kNoElectronicDetail;
    EXPECT_EQ(head("", "'5101'", "'Compras'") + kNoElectronicDetail +
                  "1 as Pd_Tipo, \r\nSUM(Compras.Importe) as Pd_Importe \r\n" + kWhere + kUnion +
                  kProveedor + "1 as Pd_Tipo, \r\nCompras.Importe as Pd_Importe \r\n" + kWhere +
                  "GROUP BY \r\nCompras.Proveedor" + kUnion + kProveedor +
                  "2 as Pd_Tipo, \r\n as Pd_Importe \r\n" + kWhere + kUnion + kProveedor +
                  "2 as Pd_Tipo, \r\n(SELECT SUM(x) FROM y) as Pd_Importe \r\n" + kWhere + kUnion +
                  kProveedor + "2 as Pd_Tipo, \r\nSUM(x) + (SELECT 1 FROM y) as Pd_Importe \r\n" +
                  kWhere + "GROUP BY \r\nCompras.Proveedor",
              detalle("A-17", "X = 1"));
}

TEST_F(DetailQueryTest, DateMarkerAndQuotedValue) {
    add_line({.descripcion = "Al <FECHA>",
              .cuenta = "'5101'",
              .cargo = "Compras.Importe",
              .relacion = "INNER JOIN Cortes ON Cortes.Dia = '<FECHA>'",
              .condicion = "Compras.Fecha <= '<FECHA>'"});
    add_electronic(1, 1, "OTRO METODO PAGO", "'SELECT * FROM Pagos WHERE Dia = ''<FECHA>'''");
    EXPECT_EQ(head("Al 05/Mar/2024", "'5101'") +
                  detail(kNoElectronicDetail, 6, "'OTRO METODO PAGO'",
                         "'SELECT * FROM Pagos WHERE Dia = ''05/Mar/2024'''") +
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
    EXPECT_EQ(head("", "'5101'") + "1 as Pd_Tipo, \r\nCompras.Importe as Pd_Importe \r\n" +
                  kFromWhere + "\r\n",
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
    EXPECT_EQ(head("", "'5101'") + kNoElectronicDetail +
                  "2 as Pd_Tipo, \r\nCompras.Importe as Pd_Importe \r\n"
                  "FROM \r\n\r\n\r\nWHERE \r\nCompras.Folio = 'A-17'\r\n",
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
