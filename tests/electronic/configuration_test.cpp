#include <gtest/gtest.h>

#include "electronic/configuration.h"
#include "templates/template_store.h"

namespace ledgernova::electronic {
namespace {

using ElectronicConfigTest = testing::TemplateStore;

TEST_F(ElectronicConfigTest, ALineWithoutDetailGetsTwelveEmptyColumns) {
    add_electronic(2, 1, "CHEQUE", "'SELECT 1'");  // another line's
    std::string select = "Compras.Folio as Pd_Referencia, \r\n";
    std::string group = "Compras.Folio";
    EXPECT_TRUE(Get_Detalle_Electronico(contexto, "CMP", "1", select, group));
    EXPECT_EQ("Compras.Folio as Pd_Referencia, \r\n" + testing::kNoElectronicDetail, select);
    EXPECT_EQ("Compras.Folio", group);
    EXPECT_EQ(std::vector<std::string>{"SELECT   Pcde_Id,   Pcde_Tipo,   Pcde_Comando FROM   "
                                       "Poliza_Configuracion_Detalle_Electronico WHERE   "
                                       "Pc_Cve_Poliza_Configuracion = 'CMP' AND   Pcd_Id = '1' "
                                       "ORDER BY Pcde_Id "},
              statements());
    EXPECT_EQ("", contexto.Error);
}

TEST_F(ElectronicConfigTest, KindsTakeTheirPositionsAsConfigured) {
    add_electronic(1, 1, "cheque", "'SELECT 1'");
    add_electronic(1, 2, "Cheque",
                   "'SELECT * FROM Pagos WHERE Folio = ''' || Compras.Folio || ''''");
    add_electronic(1, 3, "'Transferencia'", "   (SELECT Cmd FROM Comandos)");
    add_electronic(1, 4, "Comprobante Extranjero", "   ");
    add_electronic(1, 5, "Otro Metodo Pago", "  Compras.Comando");
    add_electronic(1, 6, "comprobante otro", "'SELECT 2'");
    std::string select;
    std::string group;
    EXPECT_TRUE(Get_Detalle_Electronico(contexto, "CMP", "1", select, group));
    EXPECT_EQ(
        " ''  as Pcd_Tipo_Detalle_1, \r\n"
        " ''  as Pcd_Comando_Detalle_1,  \r\n"
        "'Cheque' as Pcd_Tipo_Detalle_2, \r\n"
        "'SELECT * FROM Pagos WHERE Folio = ''' || Compras.Folio || '''' as "
        "Pcd_Comando_Detalle_2, \r\n"
        "'Transferencia' as Pcd_Tipo_Detalle_3, \r\n"
        "   (SELECT Cmd FROM Comandos) as Pcd_Comando_Detalle_3,  \r\n"
        "'comprobante otro' as Pcd_Tipo_Detalle_4, \r\n"
        "'SELECT 2' as Pcd_Comando_Detalle_4,  \r\n"
        "'Comprobante Extranjero' as Pcd_Tipo_Detalle_5, \r\n"
        " ''  as Pcd_Comando_Detalle_5, \r\n"
        "'Otro Metodo Pago' as Pcd_Tipo_Detalle_6,\r\n"
        "  Compras.Comando as Pcd_Comando_Detalle_6, \r\n",
        select);
    // Kinds and plain texts stay out; a text built from columns is grouped, trimmed.
    EXPECT_EQ(
        "'SELECT * FROM Pagos WHERE Folio = ''' || Compras.Folio || '''', \r\n"
        "Compras.Comando",
        group);
    EXPECT_EQ("", contexto.Error);
}

TEST_F(ElectronicConfigTest, AKindOutsideTheSixStopsBeforeAnythingIsWritten) {
    const char* const kinds[] = {"CHEQUE ", "OTRO METODO DE PAGO", "'Cheques'"};
    const char* const messages[] = {"CHEQUE ", "OTRO METODO DE PAGO", "Cheques"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(kinds[i]);
        execute("DELETE FROM Poliza_Configuracion_Detalle_Electronico");
        add_electronic(1, 1, "COMPROBANTE", "'SELECT 1'");
        add_electronic(1, 2, kinds[i], "'SELECT 2'");
        add_electronic(1, 3, "TRANSFERENCIA", "'SELECT 3'");
        std::string select = "kept";
        std::string group = "kept too";
        EXPECT_FALSE(Get_Detalle_Electronico(contexto, "CMP", "1", select, group));
        EXPECT_EQ("kept", select);
        EXPECT_EQ("kept too", group);
        EXPECT_EQ("Get_Detalle_Electronico()\r\nDetalle electrónico no programado: " +
                      std::string(messages[i]),
                  contexto.Error);
    }
}

TEST_F(ElectronicConfigTest, NullKindOrCommandFailsWithItsDescription) {
    for (const char* column : {"Pcde_Tipo", "Pcde_Comando"}) {
        SCOPED_TRACE(column);
        execute("DELETE FROM Poliza_Configuracion_Detalle_Electronico");
        add_electronic(1, 1, "CHEQUE", "'SELECT 1'");
        execute(std::string("UPDATE Poliza_Configuracion_Detalle_Electronico SET ") + column +
                " = NULL");
        contexto.Error.clear();
        std::string select;
        std::string group;
        EXPECT_FALSE(Get_Detalle_Electronico(contexto, "CMP", "1", select, group));
        EXPECT_EQ("", select);
        EXPECT_EQ("Get_Detalle_Electronico()\r\nInvalid use of Null", contexto.Error);
    }
}

TEST_F(ElectronicConfigTest, KeyAndLineAreQuotedSafely) {
    add_electronic(7, 1, "CHEQUE", "'SELECT 1'", "C'1");
    std::string select;
    std::string group;
    EXPECT_TRUE(Get_Detalle_Electronico(contexto, "C'1", "7", select, group));
    EXPECT_NE(std::string::npos, select.find("'CHEQUE' as Pcd_Tipo_Detalle_2, \r\n"));
    EXPECT_EQ(std::vector<std::string>{"SELECT   Pcde_Id,   Pcde_Tipo,   Pcde_Comando FROM   "
                                       "Poliza_Configuracion_Detalle_Electronico WHERE   "
                                       "Pc_Cve_Poliza_Configuracion = 'C''1' AND   Pcd_Id = '7' "
                                       "ORDER BY Pcde_Id "},
              statements());
}

}  // namespace
}  // namespace ledgernova::electronic
