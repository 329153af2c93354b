#include <gtest/gtest.h>

#include "templates/conditions.h"
#include "templates/template_store.h"

namespace ledgernova::templates {
namespace {

using ConditionsTest = testing::TemplateStore;

const std::string kReadConditions =
    "SELECT * FROM Poliza_Configuracion_Condicion WHERE Pc_Cve_Poliza_Configuracion = 'CMP' "
    "ORDER BY Pcc_ID";

const std::string kReadTable =
    "SELECT    Poliza_Configuracion_Tabla.Pc_Modulo,    Poliza_Configuracion_Tabla.Pc_Campo_Dia,  "
    "  Poliza_Configuracion_Tabla.Pc_Campo_Movimiento,    "
    "Poliza_Configuracion_Tabla.Pc_Contabiliza_Linea, "
    "Poliza_Configuracion_Tabla.Pc_Modo_Contabiliza FROM    Poliza_Configuracion    INNER JOIN "
    "Poliza_Configuracion_Tabla ON Poliza_Configuracion.Pc_Tabla = "
    "Poliza_Configuracion_Tabla.Pc_Tabla WHERE    Pc_Cve_Poliza_Configuracion = 'CMP'";

TEST_F(ConditionsTest, TwoConditionsJoinWithTheCompanyInPlace) {
    add_condition(2, "Compras.Empresa = '<EMPRESA>' OR '<EMPRESA>' = ''");
    add_condition(1, "Compras.Estado = 'AC'");
    EXPECT_EQ("Compras.Estado = 'AC' AND \r\nCompras.Empresa = '01' OR '01' = ''",
              GetSQL_Condicion_General(contexto, "CMP", "01"));
    EXPECT_EQ(std::vector<std::string>{kReadConditions}, statements());
    // No company: the marker is replaced by nothing; a quote in it cannot end the literal.
    EXPECT_EQ("Compras.Estado = 'AC' AND \r\nCompras.Empresa = '' OR '' = ''",
              GetSQL_Condicion_General(contexto, "CMP", ""));
    EXPECT_EQ("Compras.Estado = 'AC' AND \r\nCompras.Empresa = 'O''Brien' OR 'O''Brien' = ''",
              GetSQL_Condicion_General(contexto, "CMP", "O'Brien"));
    EXPECT_EQ("", contexto.Error);
}

TEST_F(ConditionsTest, EachRowBecomesOneLineTrimmedOfBlanks) {
    add_condition(1, "");
    add_condition(2, "  Compras.Estado = 'AC' AND\r\nCompras.Total > 0  ");
    add_condition(3, "");
    add_condition(4, "\tCompras.Iva >= 0 ");
    add_condition(5, "compras.empresa = '<empresa>'");  // the marker is upper case only
    EXPECT_EQ(
        "Compras.Estado = 'AC' ANDCompras.Total > 0 AND \r\n AND \r\n\tCompras.Iva >= 0 AND \r\n"
        "compras.empresa = '<empresa>'",
        GetSQL_Condicion_General(contexto, "CMP", "01"));
}

TEST_F(ConditionsTest, GeneralConditionWithoutRowsOrWithANullRow) {
    contexto.Error = "earlier";
    add_condition(1, "Otra.Plantilla = 1", "OTRA");
    EXPECT_EQ("", GetSQL_Condicion_General(contexto, "CMP", "01"));
    EXPECT_EQ("earlier", contexto.Error);

    add_condition(1, "Compras.Estado = 'AC'");
    add_condition(2, "");
    execute("UPDATE Poliza_Configuracion_Condicion SET Pcc_Valor = NULL WHERE Pcc_ID = 2");
    EXPECT_EQ("", GetSQL_Condicion_General(contexto, "CMP", "01"));
    EXPECT_EQ("GetSQL_Condicion_General()\r\nInvalid use of Null", contexto.Error);
}

TEST_F(ConditionsTest, KeysAreQuotedSafelyInTheReadingStatements) {
    add_condition(1, "X = 1", "C'1");
    add_table();
    add_template({.clave = "C'1"});
    EXPECT_EQ("X = 1", GetSQL_Condicion_General(contexto, "C'1", ""));
    EXPECT_EQ("Compras.Folio = 'A-17'", GetSQL_Condicion_Poliza(contexto, "C'1", "A-17"));
    ASSERT_EQ(3U, statements().size());
    EXPECT_EQ(
        "SELECT * FROM Poliza_Configuracion_Condicion WHERE Pc_Cve_Poliza_Configuracion = "
        "'C''1' ORDER BY Pcc_ID",
        statements()[0]);
    EXPECT_EQ(kReadTable.substr(0, kReadTable.size() - 5) + "'C''1'", statements()[1]);
}

TEST_F(ConditionsTest, VoucherConditionReadsTheTableThenTheModulesPostingMode) {
    add_table({.contabiliza_linea = "NO"});
    add_template();
    EXPECT_EQ("Compras.Fecha = 'A-17'", GetSQL_Condicion_Poliza(contexto, "CMP", "A-17"));
    ASSERT_EQ(2U, statements().size());
    EXPECT_EQ(kReadTable, statements()[0]);
    EXPECT_NE(std::string::npos, statements()[1].find("'CON_MODO_CONEXION_COM'"));
    // The value is quoted by the component: a quote in it is doubled.
    EXPECT_EQ("Compras.Fecha = 'O''Brien'", GetSQL_Condicion_Poliza(contexto, "CMP", "O'Brien"));
    EXPECT_EQ("", contexto.Error);
}

TEST_F(ConditionsTest, PostingModeChoosesTheMovementOrTheDayField) {
    struct Case {
        const char* parametro;  // nullptr: not set, so 1
        const char* contabiliza_linea;
        const char* modo_contabiliza;
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, "SI", "", "Compras.Folio = 'A-17'"},
        {nullptr, "NO", "", "Compras.Fecha = 'A-17'"},
        {"1", "si", "", "Compras.Fecha = 'A-17'"},  // exact comparison
        {"2", "NO", "", "Compras.Folio = 'A-17'"},
        {"3", "NO", "", "Compras.Folio = 'A-17'"},  // any mode but 1 posts by movement
        {"2", "NO", "1", "Compras.Fecha = 'A-17'"},
        {"2", "SI", "1", "Compras.Folio = 'A-17'"},
        {"1", "NO", "2", "Compras.Folio = 'A-17'"},
        {"1", "NO", "3", "Compras.Fecha = 'A-17'"},
        {"2", "NO", "01", "Compras.Folio = 'A-17'"},
        {"1.6", "NO", "", "Compras.Folio = 'A-17'"},  // 2 once rounded to a whole number
    };
    add_table();
    add_template();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.parametro ? c.parametro : "unset") + " " + c.contabiliza_linea +
                     " '" + c.modo_contabiliza + "'");
        execute("DELETE FROM Parametro");
        if (c.parametro != nullptr) {
            ledger.set_param("CON_MODO_CONEXION_COM", c.parametro);
        }
        execute("UPDATE Poliza_Configuracion_Tabla SET Pc_Contabiliza_Linea = " +
                q(c.contabiliza_linea) + ", Pc_Modo_Contabiliza = " + q(c.modo_contabiliza));
        EXPECT_EQ(c.expected, GetSQL_Condicion_Poliza(contexto, "CMP", "A-17"));
    }
    EXPECT_EQ("", contexto.Error);
}

TEST_F(ConditionsTest, NullTableColumnsCountAsEmptyText) {
    add_table();
    add_template();
    execute(
        "UPDATE Poliza_Configuracion_Tabla SET Pc_Modulo = NULL, Pc_Campo_Movimiento = NULL, "
        "Pc_Contabiliza_Linea = NULL, Pc_Modo_Contabiliza = NULL");
    ledger.set_param("CON_MODO_CONEXION_", "2");
    EXPECT_EQ(" = 'A-17'", GetSQL_Condicion_Poliza(contexto, "CMP", "A-17"));
    EXPECT_EQ("", contexto.Error);
}

TEST_F(ConditionsTest, VoucherConditionWithoutTemplateOrWithABadParameter) {
    contexto.Error = "earlier";
    EXPECT_EQ("", GetSQL_Condicion_Poliza(contexto, "CMP", "A-17"));
    EXPECT_EQ("earlier", contexto.Error);

    add_table({.modo_contabiliza = "2"});
    add_template();
    // The parameter is read, and must convert, even when the table overrides it.
    ledger.set_param("CON_MODO_CONEXION_COM", "dos");
    EXPECT_EQ("", GetSQL_Condicion_Poliza(contexto, "CMP", "A-17"));
    EXPECT_EQ("ledgerNova.dll - GetSQL_Condicion_Poliza()\r\nType mismatch", contexto.Error);
}

}  // namespace
}  // namespace ledgernova::templates
