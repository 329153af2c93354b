// The demo ledger (the demo catalogue loaded, its documents posted by `ledgernova demo`): every
// month it has vouchers in exports a document the schema accepts, and its trial balance validates
// and agrees, account by account, with the lines of the vouchers posted and not cancelled.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "export/balance_ledger.h"
#include "export/export_fixture.h"
#include "export/trial_balance.h"
#include "ledgernova/export_balance.h"
#include "util/decimal.h"

namespace ledgernova::testing {
namespace {

std::string text(const db::Field& field) {
    return field.Value.is_null() ? std::string() : field.Value.to_text();
}

class ExportDemoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LEDGERNOVA_REQUIRE_SAT_SCHEMA();
        const auto path = folder_ / "demo.db";
        const std::string command = std::string("'") + LEDGERNOVA_CLI_PATH + "' --db '" +
                                    path.string() + "' demo >/dev/null 2>&1";
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command;
        ledger_ = db::open_sqlite(path.string());
    }

    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_ = make_temp_folder();
    std::shared_ptr<db::Connection> ledger_;
};

TEST_F(ExportDemoTest, EveryMonthOfTheDemoLedgerExportsAValidDocument) {
    auto months = ledger_->Execute(
        "SELECT DISTINCT Em_Cve_Empresa, Pl_Ejercicio, "
        "CASE WHEN Pl_Periodo = '13' THEN '12' ELSE Pl_Periodo END AS Mes "
        "FROM Poliza WHERE Es_Cve_Estado <> 'CA' ORDER BY 1, 2, 3");
    ASSERT_FALSE(months.Eof()) << "the demo posted no voucher";
    for (; !months.Eof(); months.MoveNext()) {
        // The request for the month under the company's own RFC.
        ExportRequest request;
        request.company = text(months.Fields("Em_Cve_Empresa"));
        request.year = std::stoi(text(months.Fields("Pl_Ejercicio")));
        request.month = std::stoi(text(months.Fields("Mes")));
        auto company = ledger_->Execute("SELECT Em_R_F_C FROM Empresa WHERE Em_Cve_Empresa = '" +
                                        request.company + "'");
        request.rfc = company.Eof() ? std::string() : text(company.Fields(0));
        request.request_type = "AF";
        request.order_number = "ABC1234567/24";
        SCOPED_TRACE(request.company + " " + std::to_string(request.year) + "-" +
                     std::to_string(request.month));

        const ExportResult result = export_polizas_periodo(*ledger_, request);

        EXPECT_TRUE(result.ok);
        EXPECT_EQ(described(result), "");
        EXPECT_EQ(polizas_schema_errors(result.xml), "");
    }
}

TEST_F(ExportDemoTest, MarchBalanceAgreesWithThePostedVouchersAndValidates) {
    if (!ledger_->Execute("SELECT 1 FROM Cuenta_Contable WHERE Cc_Naturaleza = ''").Eof()) {
        GTEST_SKIP() << "the demo catalogue does not give every account its nature";
    }
    // Each account's charges and credits in March 2024, added from the lines' own text.
    struct Sides {
        util::Decimal debe;
        util::Decimal haber;
    };
    std::map<std::string, Sides> lines;
    auto rows = ledger_->Execute(
        "SELECT d.Cc_Cve_Cuenta_Contable, d.Pd_Tipo, CAST(d.Pd_Importe AS TEXT) FROM "
        "Poliza_Detalle d JOIN Poliza p ON p.Pl_Folio = d.Pl_Folio WHERE "
        "p.Es_Cve_Estado <> 'CA' AND p.Pl_Ejercicio = '2024' AND p.Pl_Periodo = '03'");
    for (; !rows.Eof(); rows.MoveNext()) {
        Sides& account = lines[rows.Fields(0).Value.to_text()];
        util::Decimal& side = rows.Fields(1).Value.to_long() == 1 ? account.debe : account.haber;
        side = side + util::Decimal::parse(rows.Fields(2).Value.to_text());
    }
    const std::string company =
        ledger_->Execute("SELECT MIN(Em_Cve_Empresa) FROM Poliza").Fields(0).Value.to_text();
    const sat::TrialBalance trial = sat::compute_trial_balance(
        sat::read_balance_ledger(*ledger_, company, 2024, 3), sat::period_key(2024, 3));
    ASSERT_EQ(described(trial), "");

    util::Decimal debe;
    util::Decimal haber;
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
    ASSERT_TRUE(result.ok) << described(result);
    EXPECT_EQ(schema_errors(sat::Schema::BalanzaComprobacion, result.xml), "");
}

}  // namespace
}  // namespace ledgernova::testing
