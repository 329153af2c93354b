#include <gtest/gtest.h>

#include "core/voucher_support.h"
#include "db/sql_text.h"
#include "support/database_error.h"

namespace ledgernova {
namespace {

using testing::balanced_voucher;
using testing::header;
using testing::Ledger;

class CancellationTest : public ::testing::Test {
  protected:
    CancellationTest() {
        ledger.add_account("1101");
        ledger.add_account("2101");
    }

    // A stored voucher linked to the given documents of Compras; returns its folio.
    std::string voucher_for(std::initializer_list<const char*> documents) {
        EXPECT_FALSE(balanced_voucher(polizas, header(march15)).starts_with("failed"));
        const std::string folio = polizas.get_Encabezado().Pl_Folio;
        for (const char* documento : documents) {
            ledger.direct().Execute(
                "INSERT INTO Poliza_Control(Pl_Folio, Pc_Tabla, Pc_Documento) VALUES('" + folio +
                "', 'COMPRAS', '" + db::esc(documento) + "')");
        }
        return folio;
    }

    std::string states() {
        return ledger.rows(
                   "SELECT Pl_Folio, Es_Cve_Estado, Oper_Baja, Fecha_Baja FROM Poliza "
                   "ORDER BY Pl_Folio") +
               ledger.rows(
                   "SELECT Pl_Folio, Pc_Documento, Es_Cve_Estado, Oper_Baja FROM "
                   "Poliza_Control ORDER BY Pl_Folio, Pc_Documento");
    }

    Ledger ledger;
    Polizas polizas;
    const Date march15 = Date::from_ymd(2024, 3, 15);
};

TEST_F(CancellationTest, MarksTheVoucherAndItsLinksWithTheExactStatements) {
    const std::string folio = voucher_for({"A-1"});
    ledger.set_now(Date::from_ymd(2024, 4, 2, 9, 0, 0));
    ledger.recorder().clear();
    ASSERT_TRUE(polizas.Cancelar_Poliza(folio)) << polizas.get_Error();
    EXPECT_EQ("", polizas.get_Error());
    const auto& statements = ledger.recorder().statements();
    ASSERT_GE(statements.size(), 3U);
    EXPECT_EQ("SELECT Pl_Fecha, Es_Cve_Estado FROM Poliza WHERE Pl_Folio = '0000000001'",
              statements.front());
    const std::string tail =
        "     Es_Cve_Estado = 'CA',      Oper_Baja = 'OPER',      Oper_Ult_Modif = 'OPER',      "
        "Fecha_Baja = '2024-04-02 09:00:00',     Fecha_Ult_Modif = '2024-04-02 09:00:00' WHERE    "
        "  Pl_Folio = '0000000001' ";
    EXPECT_EQ("UPDATE Poliza SET " + tail, statements[statements.size() - 2]);
    EXPECT_EQ("UPDATE Poliza_Control SET " + tail, statements.back());
    EXPECT_EQ("0000000001|CA|OPER|2024-04-02 09:00:00\n0000000001|A-1|CA|OPER\n", states());
}

// A pending voucher is cancelled as an active one is; a cancelled one is refused.
TEST_F(CancellationTest, RefusesUnknownAndCancelledVouchers) {
    EXPECT_FALSE(polizas.Cancelar_Poliza("NADA'1"));
    EXPECT_EQ("ledgerNova.dll - Cancelar_Poliza()\r\nNo se encontró la póliza especificada: NADA'1",
              polizas.get_Error());
    const std::string folio = voucher_for({});
    ledger.direct().Execute("UPDATE Poliza SET Es_Cve_Estado = 'PD'");
    ASSERT_TRUE(polizas.Cancelar_Poliza(folio)) << polizas.get_Error();
    EXPECT_FALSE(polizas.Cancelar_Poliza(folio));
    EXPECT_EQ("ledgerNova.dll - Cancelar_Poliza()\r\nImposible cancelar póliza desde el estado: CA",
              polizas.get_Error());
}

TEST_F(CancellationTest, AClosedPeriodChangesNothing) {
    const std::string folio = voucher_for({"A-1"});
    ledger.set_param("GEN_VALIDAR_PERIODO_OPERATIVO", "1");
    const std::string before = states();
    EXPECT_FALSE(polizas.Cancelar_Poliza(folio));
    EXPECT_EQ(
        "ledgerNova.dll - Cancelar_Poliza()\r\nEl período operativo correspondiente a la "
        "fecha: 15-03-2024, está cerrado o no existe!",
        polizas.get_Error());
    EXPECT_EQ(before, states());
}

TEST_F(CancellationTest, AFailedLinkUpdateLeavesTheVoucherActive) {
    const std::string folio = voucher_for({"A-1"});
    ledger.refuse_rows("lleno", "UPDATE", "Poliza_Control", "", "disco lleno");
    const std::string before = states();
    EXPECT_FALSE(polizas.Cancelar_Poliza(folio));
    EXPECT_TRUE(testing::database_error_is("ledgerNova.dll - Cancelar_Poliza()\r\n", "disco lleno",
                                           "P0001", polizas.get_Error()));
    EXPECT_EQ(before, states());
    ledger.drop_refusal("lleno", "Poliza_Control");
    EXPECT_TRUE(polizas.Cancelar_Poliza(folio)) << polizas.get_Error();
}

TEST_F(CancellationTest, ByDocument) {
    const std::string single = voucher_for({"A'1"});
    const std::string shared = voucher_for({"B-1", "B-2"});
    EXPECT_TRUE(polizas.Cancelar_Poliza_Documento("Compras", "SIN-POLIZA"));
    EXPECT_EQ("", polizas.get_Error());
    const std::string before = states();
    EXPECT_FALSE(polizas.Cancelar_Poliza_Documento("Compras", "B-1"));
    EXPECT_EQ(
        "ledgerNova.dl - Cancelar_Poliza_Documento()\r\nError al cancelar la póliza. Esta "
        "contiene múltiples documentos",
        polizas.get_Error());
    EXPECT_EQ(before, states());
    EXPECT_TRUE(polizas.Cancelar_Poliza_Documento("compras", "A'1")) << polizas.get_Error();
    EXPECT_EQ("CA\nAC\n", ledger.rows("SELECT Es_Cve_Estado FROM Poliza ORDER BY Pl_Folio"));
    // Its link is cancelled now, so the document is no longer covered.
    EXPECT_TRUE(polizas.Cancelar_Poliza_Documento("Compras", "A'1"));
    EXPECT_EQ("", polizas.get_Error());
    EXPECT_EQ(single + "\n" + shared + "\n", ledger.rows("SELECT Pl_Folio FROM Poliza ORDER BY 1"));
}

}  // namespace
}  // namespace ledgernova
