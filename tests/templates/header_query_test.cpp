#include <gtest/gtest.h>

#include "support/database_error.h"
#include "templates/header_query.h"
#include "templates/template_store.h"
#include "util/dates.h"

namespace ledgernova::templates {
namespace {

using testing::Plantilla;
using testing::TablaFuente;

const Date k5Mar2024 = Date::from_ymd(2024, 3, 5);

// The documents template of the illustration: type 3, reference Documentos.Folio, no comment,
// relation Documentos; posted by movement on field Folio.
class HeaderQueryTest : public testing::TemplateStore {
  protected:
    void add_documents(Plantilla plantilla = {}) {
        add_table({.tabla = "Documentos",
                   .modulo = "DOC",
                   .campo_dia = "Fecha",
                   .campo_movimiento = "Folio",
                   .contabiliza_linea = "SI"});
        plantilla.clave = "DOC";
        plantilla.tabla = "Documentos";
        add_template(plantilla);
    }
    static Plantilla illustration() {
        return {.descripcion = "Documentos del día",
                .tipo = "3",
                .referencia = "Documentos.Folio",
                .comentario = "",
                .relacion = "Documentos"};
    }
};

// Everything a template composes before its conditions.
std::string head(const std::string& descripcion, const std::string& tipo,
                 const std::string& referencia, const std::string& comentario,
                 const std::string& relacion) {
    const std::string line = "----------------------------------------\r\n";
    return line + "--" + descripcion + "\r\n" + line + "SELECT TOP 1 \r\n" + tipo +
           " as Pl_Tipo, \r\n" + referencia + " as Pl_Referencia, \r\n" + comentario +
           " as Pl_Comentario \r\nFROM \r\n" + relacion + "\r\nWHERE \r\n";
}
const std::string kIllustratedHead =
    head("Documentos del día", "3", "Documentos.Folio", "''", "Documentos");

TEST_F(HeaderQueryTest, TheIllustratedTemplate) {
    add_documents(illustration());
    EXPECT_EQ(kIllustratedHead + "Folio = 'A-17' AND \r\nDocumentos.Estado = 'AC'\r\n",
              GetSQL_Encabezado(contexto, "DOC", k5Mar2024, "A-17", "Documentos.Estado = 'AC'"));
    ASSERT_EQ(3U, statements().size());  // the template, then the voucher condition's two reads
    EXPECT_EQ(
        "SELECT    Poliza_Configuracion.Pc_Descripcion,    Poliza_Configuracion.Pc_Comentario,    "
        "Poliza_Configuracion.Pc_Referencia,    Poliza_Configuracion.Pc_Relacion,    "
        "Poliza_Configuracion.Pc_Tipo,    Poliza_Configuracion_Tabla.Pc_Campo_Dia,    "
        "Poliza_Configuracion_Tabla.Pc_Campo_Movimiento FROM    Poliza_Configuracion    INNER "
        "JOIN Poliza_Configuracion_Tabla ON Poliza_Configuracion.Pc_Tabla = "
        "Poliza_Configuracion_Tabla.Pc_Tabla WHERE    Pc_Cve_Poliza_Configuracion = 'DOC'",
        statements()[0]);
    EXPECT_EQ("", contexto.Error);
    // Without a general condition the WHERE ends with the voucher condition.
    EXPECT_EQ(kIllustratedHead + "Folio = 'A-17'\r\n",
              GetSQL_Encabezado(contexto, "DOC", k5Mar2024, "A-17", ""));
    // A failed voucher condition leaves its error and an empty condition.
    ledger.set_param("CON_MODO_CONEXION_DOC", "uno");
    EXPECT_EQ(kIllustratedHead + " AND \r\nDocumentos.Estado = 'AC'\r\n",
              GetSQL_Encabezado(contexto, "DOC", k5Mar2024, "A-17", "Documentos.Estado = 'AC'"));
    EXPECT_EQ("ledgerNova.dll - GetSQL_Condicion_Poliza()\r\nType mismatch", contexto.Error);
}

TEST_F(HeaderQueryTest, ExpressionsAreCopiedVerbatimAndNullsWrittenAsNothing) {
    Plantilla plantilla = illustration();
    plantilla.tipo = "CASE WHEN Documentos.Total < 0\r\n  THEN 1 ELSE 2 END";
    plantilla.referencia = " ";
    add_documents(plantilla);
    execute("UPDATE Poliza_Configuracion SET Pc_Descripcion = NULL, Pc_Comentario = NULL");
    // The value is quoted by the component; a quote in it is doubled.
    EXPECT_EQ(
        head("", "CASE WHEN Documentos.Total < 0\r\n  THEN 1 ELSE 2 END", " ", "", "Documentos") +
            "Folio = 'O''Brien' AND \r\n"
            " Documentos.Estado = 'AC' \r\n",
        GetSQL_Encabezado(contexto, "DOC", k5Mar2024, "O'Brien", " Documentos.Estado = 'AC' "));
    EXPECT_EQ("", contexto.Error);
}

TEST_F(HeaderQueryTest, TheDateMarkerIsReplacedWherever) {
    Plantilla plantilla = illustration();
    plantilla.descripcion = "Corte al <FECHA>";
    plantilla.tipo = "CASE WHEN Documentos.Fecha = '<FECHA>' THEN 3 ELSE 1 END";
    plantilla.comentario = "'Del <FECHA> <fecha>'";
    plantilla.relacion = "Documentos INNER JOIN Cortes ON Cortes.Dia = '<FECHA>'";
    add_documents(plantilla);
    EXPECT_EQ(
        head("Corte al 05/Mar/2024", "CASE WHEN Documentos.Fecha = '05/Mar/2024' THEN 3 ELSE 1 END",
             "Documentos.Folio", "'Del 05/Mar/2024 <fecha>'",
             "Documentos INNER JOIN Cortes ON Cortes.Dia = '05/Mar/2024'") +
            "Folio = 'A-17' AND \r\n"
            "Documentos.Fecha <= '05/Mar/2024'\r\n",
        GetSQL_Encabezado(contexto, "DOC", k5Mar2024, "A-17", "Documentos.Fecha <= '<FECHA>'"));
}

TEST_F(HeaderQueryTest, MissingTemplateOrFailingDatabase) {
    contexto.Error = "earlier";
    EXPECT_EQ("", GetSQL_Encabezado(contexto, "DOC", k5Mar2024, "A-17", ""));
    EXPECT_EQ("earlier", contexto.Error);
    EXPECT_EQ(1U, statements().size());

    execute("DROP TABLE Poliza_Configuracion_Tabla");
    EXPECT_EQ("", GetSQL_Encabezado(contexto, "DOC", k5Mar2024, "A-17", ""));
    EXPECT_TRUE(testing::database_error_is("ledgerNova.dll - GetSQL_Encabezado()\r\n",
                                           "no such table: Poliza_Configuracion_Tabla", "42P01",
                                           contexto.Error));
}

TEST(TemplatesDateTest, DayEnglishMonthAbbreviationAndYear) {
    EXPECT_EQ("05/Mar/2024", util::format_dd_mmm_yyyy(Date::from_ymd(2024, 3, 5, 23, 59, 59)));
    EXPECT_EQ("01/Jan/2025", util::format_dd_mmm_yyyy(Date::from_ymd(2025, 1, 1)));
    EXPECT_EQ("31/Dec/1999", util::format_dd_mmm_yyyy(Date::from_ymd(1999, 12, 31)));
    EXPECT_EQ("29/Feb/2024", util::format_dd_mmm_yyyy(Date::from_ymd(2024, 2, 29)));
    EXPECT_EQ("30/Sep/2024", util::format_dd_mmm_yyyy(Date::from_ymd(2024, 9, 30)));
}

}  // namespace
}  // namespace ledgernova::templates
