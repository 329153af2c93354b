// The demo ledger's trial balance: it validates against the schema and agrees, account by
// account, with the lines of the vouchers the demo posted and did not cancel.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "export/balance_ledger.h"
#include "export/sat_schema.h"
#include "export/trial_balance.h"
#include "ledgernova/export_balance.h"
#include "support/ledger.h"
#include "util/decimal.h"

namespace ledgernova::testing {
namespace {

struct Sides {
    util::Decimal debe;
    util::Decimal haber;
};

class ExportBalanceDemoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LEDGERNOVA_REQUIRE_SAT_SCHEMA();
        const auto path = folder_ / "demo.db";
        const std::string command = std::string("'") + LEDGERNOVA_CLI_PATH + "' --db '" +
                                    path.string() + "' demo >/dev/null 2>&1";
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command;
        ledger_ = db::open_sqlite(path.string());
        if (!ledger_->Execute("SELECT 1 FROM Cuenta_Contable WHERE Cc_Naturaleza = ''").Eof()) {
            GTEST_SKIP() << "the demo catalogue does not give every account its nature";
        }
    }

    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Each account's charges and credits in March 2024, added from the lines' own text.
    std::map<std::string, Sides> march_lines() {
        std::map<std::string, Sides> sides;
        auto rows = ledger_->Execute(
            "SELECT d.Cc_Cve_Cuenta_Contable, d.Pd_Tipo, CAST(d.Pd_Importe AS TEXT) FROM "
            "Poliza_Detalle d JOIN Poliza p ON p.Pl_Folio = d.Pl_Folio WHERE "
            "p.Es_Cve_Estado <> 'CA' AND p.Pl_Ejercicio = '2024' AND p.Pl_Periodo = '03'");
        for (; !rows.Eof(); rows.MoveNext()) {
            Sides& account = sides[rows.Fields(0).Value.to_text()];
            util::Decimal& side =
                rows.Fields(1).Value.to_long() == 1 ? account.debe : account.haber;
            side = side + util::Decimal::parse(rows.Fields(2).Value.to_text());
        }
        return sides;
    }

    std::filesystem::path folder_ = make_temp_folder();
    std::shared_ptr<db::Connection> ledger_;
};

TEST_F(ExportBalanceDemoTest, MarchAgreesWithThePostedVouchersAndValidates) {
    const std::string company =
        ledger_->Execute("SELECT MIN(Em_Cve_Empresa) FROM Poliza").Fields(0).Value.to_text();
    const sat::TrialBalance trial = sat::compute_trial_balance(
        sat::read_balance_ledger(*ledger_, company, 2024, 3), sat::period_key(2024, 3));
    ASSERT_TRUE(trial.problems.empty()) << describe(trial.problems.front());

    util::Decimal debe;
    util::Decimal haber;
    const std::map<std::string, Sides> lines = march_lines();
    for (const auto& [account, sides] : lines) {
        bool found = false;
        for (const auto& row : trial.accounts) {
            if (row.account == account) {
                found = true;
                EXPECT_EQ(row.debe.to_fixed(2), sides.debe.to_fixed(2)) << account;
                EXPECT_EQ(row.haber.to_fixed(2), sides.haber.to_fixed(2)) << account;
                EXPECT_EQ(row.opening.to_fixed(2), "0.00") << account;
            }
        }
        EXPECT_TRUE(found) << account;
        debe = debe + sides.debe;
        haber = haber + sides.haber;
    }
    EXPECT_EQ(debe.to_fixed(2), haber.to_fixed(2));

    BalanceRequest request;
    request.company = company;
    request.year = 2024;
    request.month = 3;
    const ExportResult result = export_balanza_comprobacion(*ledger_, request);
    ASSERT_TRUE(result.ok) << (result.problems.empty() ? "" : describe(result.problems.front()));
    EXPECT_EQ(schema_errors(sat::Schema::BalanzaComprobacion, result.xml), "");
}

}  // namespace
}  // namespace ledgernova::testing
