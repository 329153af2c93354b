#include <gtest/gtest.h>

#include <memory>

#include "support/faulty_connection.h"
#include "support/host_wrappers.h"
#include "templates/purchases_ledger.h"

namespace ledgernova::testing {
namespace {

// The component's connection fails where the test says; everything else is the real ledger.
class SistemaWithFaults : public DelegatingSistema {
  public:
    SistemaWithFaults(std::shared_ptr<ServiciosSistema> inner, FaultyConnection& connection)
        : DelegatingSistema(std::move(inner)), connection_(connection) {}
    db::Connection& Get_Conexion() override { return connection_; }

  private:
    FaultyConnection& connection_;
};

class FaultsTest : public PurchasesLedger {
  protected:
    FaultsTest() {
        ledger.wrap_host([this](HostObjects real) {
            return HostObjects{std::make_shared<SistemaWithFaults>(real.sistema, faults),
                               real.datos};
        });
    }

    // Whatever is stored is whole: every voucher has lines, balances and is linked; no line or
    // link is left without its voucher.
    void expect_nothing_half_posted() {
        EXPECT_EQ(
            "", ledger.rows("SELECT Pl_Folio FROM Poliza p WHERE NOT EXISTS (SELECT 1 FROM "
                            "Poliza_Detalle d WHERE d.Pl_Folio = p.Pl_Folio) OR NOT EXISTS (SELECT "
                            "1 FROM Poliza_Control c WHERE c.Pl_Folio = p.Pl_Folio) OR (SELECT "
                            "SUM(CASE WHEN Pd_Tipo = 1 THEN Pd_Importe ELSE -Pd_Importe END) FROM "
                            "Poliza_Detalle d WHERE d.Pl_Folio = p.Pl_Folio) <> 0"));
        EXPECT_EQ("", ledger.rows("SELECT Pl_Folio FROM Poliza_Detalle WHERE Pl_Folio NOT IN "
                                  "(SELECT Pl_Folio FROM Poliza) UNION ALL SELECT Pl_Folio FROM "
                                  "Poliza_Control WHERE Pl_Folio NOT IN (SELECT Pl_Folio FROM "
                                  "Poliza)"));
    }

    // Starts the ledger over without its vouchers, folios and numbers, and with nothing kept
    // from the last call: on a server the statement on the parameters moves the configuration
    // version, as the deletions move SQLite's counters.
    void forget_postings() {
        for (const char* table :
             {"Poliza", "Poliza_Detalle", "Poliza_Control", "Folio_Tabla", "Consecutivo"}) {
            execute(std::string("DELETE FROM ") + table);
        }
        execute("UPDATE Parametro SET Pa_Valor = Pa_Valor WHERE 1 = 0");
    }

    std::string posted() {
        return ledger.rows(
            "SELECT p.Pl_Configuracion, p.Pl_Numero, COUNT(*) FROM Poliza p JOIN Poliza_Detalle "
            "d ON d.Pl_Folio = p.Pl_Folio GROUP BY p.Pl_Folio ORDER BY p.Pl_Configuracion");
    }

    FaultyConnection faults{ledger.recorder()};
};

TEST_F(FaultsTest, AFailureAtAnyStatementLeavesNothingHalfPostedAndTheNextCallPostsCleanly) {
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    const int total = faults.executed();
    const std::string clean = posted();
    ASSERT_EQ("CMP|0000000001|2\nCMP2|0000000002|2\n", clean);
    for (int n = 1; n <= total; ++n) {
        SCOPED_TRACE("statement " + std::to_string(n) + " of " + std::to_string(total));
        forget_postings();
        faults.fail_at(n);
        if (n == 1 && Ledger::on_server()) {
            // The read of the configuration version: failing, it only makes the call read
            // everything again.
            ASSERT_TRUE(post("A-1")) << object.get_Error();
            EXPECT_EQ(clean, posted());
            continue;
        }
        EXPECT_FALSE(post("A-1")) << "a failed statement was reported as success";
        EXPECT_NE("", object.get_Error());
        expect_nothing_half_posted();
        faults.heal();
        ASSERT_TRUE(post("A-1")) << object.get_Error();
        EXPECT_EQ(clean, posted());
    }
}

TEST_F(FaultsTest, AFailedConditionReadStopsInsteadOfPostingForeignDocuments) {
    // On a server each call first reads the configuration version.
    const int version = Ledger::on_server() ? 1 : 0;
    faults.fail_at(version + 2);  // the template list, then the first template's conditions
    EXPECT_FALSE(post("A-1", "02"));
    EXPECT_EQ("GetSQL_Condicion_General()\r\ndisk I/O error", object.get_Error());
    // The conditions again, read by the generation itself after the documents (the template
    // list is kept from the first call).
    faults.fail_at(version + 4);
    EXPECT_FALSE(post("A-1", "02"));
    EXPECT_EQ("GetSQL_Condicion_General()\r\ndisk I/O error", object.get_Error());
    EXPECT_EQ("", everything());
    ASSERT_TRUE(post("A-1", "02")) << object.get_Error();
    EXPECT_EQ("CMP2|0000000001|2\n", posted());  // the purchase template is for company 01
}

TEST_F(FaultsTest, AFullDiskRefusesThePostingUntilThereIsRoom) {
    faults.fail_writes();
    EXPECT_FALSE(post("A-1"));
    EXPECT_NE(std::string::npos, object.get_Error().find("database or disk is full"))
        << object.get_Error();
    EXPECT_EQ("", everything());
    faults.heal();
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    EXPECT_EQ("CMP|0000000001|2\nCMP2|0000000002|2\n", posted());
}

}  // namespace
}  // namespace ledgernova::testing
