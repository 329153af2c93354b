#include <gtest/gtest.h>

#include "templates/purchases_ledger.h"

namespace ledgernova::testing {
namespace {

// Template expressions whose value is the command: SQL text literals.
const std::string kBroken = "'SELECT FROM'";
const std::string kNoColumns = "'SELECT 1 AS X'";

// The failure text of one entry of the supplier line of A-1 (line 2 of template CMP).
std::string failure(const std::string& reason) {
    return "ledgerNova.dll - Genera_Poliza()\r\nNo se pudo ejecutar la consulta para el detalle!"
           "\r\n" +
           reason +
           "\r\n=>Configuración:CMP\r\n=>Fecha:05/03/2024\r\n=>Cuenta:2101\r\n=>Ce.Co.:\r\n"
           "=>Concepto:Proveedor\r\n=>Referencia:\r\n=>Importe:100\r\n=>Tipo:ABONO";
}

// kBroken as the database describes it: SQLite, or PostgreSQL through psqlODBC.
const std::string kBrokenInvoice = failure(
    "Ejecutar_Consulta() - COMPROBANTE EXTRANJERO\r\n" +
    std::string(Ledger::on_server() ? "[SQLSTATE 42601] ERROR: syntax error at end of input;\n"
                                      "Error while executing the query (native error 1)"
                                    : "near \"FROM\": syntax error"));

class LineDetailTest : public PurchasesLedger {
  protected:
    // An entry on the supplier line (template line 3) of the purchase template.
    void entry(int id, const std::string& tipo, const std::string& comando) {
        add_electronic(3, id, tipo, comando, "CMP");
    }
};

TEST_F(LineDetailTest, ACompletedEntryWritesItsRowsForTheLine) {
    entry(1, "comprobante", kInvoice);
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    EXPECT_EQ("0000000001|0002|0001|11111111-2222-3333-4444-555555555555\n", invoices());
}

TEST_F(LineDetailTest, ALoneFailedEntryStopsAndLeavesNothingBehind) {
    entry(1, "COMPROBANTE EXTRANJERO", kBroken);
    EXPECT_FALSE(post("A-1"));
    EXPECT_EQ(kBrokenInvoice, object.get_Error());
    EXPECT_EQ("", everything());
}

TEST_F(LineDetailTest, ACompletedInvoiceCoversAFailedOne) {
    entry(1, "COMPROBANTE", kInvoice);
    entry(2, "COMPROBANTE EXTRANJERO", kBroken);
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    EXPECT_EQ("0000000001|0002|0001|11111111-2222-3333-4444-555555555555\n", invoices());
    EXPECT_EQ("", object.get_Error());
}

TEST_F(LineDetailTest, ACompletedInvoiceDoesNotCoverAFailedCheque) {
    entry(1, "COMPROBANTE", kInvoice);
    entry(2, "CHEQUE", kNoColumns);
    EXPECT_FALSE(post("A-1"));
    EXPECT_TRUE(object.get_Error().starts_with(
        "ledgerNova.dll - Genera_Poliza()\r\nNo se pudo ejecutar la consulta para el detalle!\r\n"
        "No se encontró la columna en el comando especificado"))
        << object.get_Error();
    EXPECT_EQ("", everything());
    EXPECT_EQ("", invoices());
}

TEST_F(LineDetailTest, TwoFailuresAreJoinedWithoutASeparator) {
    entry(1, "COMPROBANTE EXTRANJERO", kBroken);
    entry(2, "CHEQUE", kNoColumns);
    EXPECT_FALSE(post("A-1"));
    const std::string error = object.get_Error();
    // Entries run in the kinds' fixed order: the cheque (second) before the foreign invoice.
    EXPECT_TRUE(error.ends_with("=>Tipo:ABONO" + kBrokenInvoice)) << error;
    EXPECT_TRUE(error.starts_with("ledgerNova.dll - Genera_Poliza()")) << error;
}

TEST_F(LineDetailTest, AnEntryWithoutACommandIsNotRun) {
    entry(1, "COMPROBANTE", "");
    ledger.recorder().clear();
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    for (const auto& statement : statements()) {
        EXPECT_EQ(std::string::npos, statement.find("Poliza_Detalle_Comprobante")) << statement;
    }
}

}  // namespace
}  // namespace ledgernova::testing
