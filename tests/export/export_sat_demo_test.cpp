// The demo ledger (the demo catalogue loaded, its documents posted by `ledgernova demo`) exports
// every month it has vouchers in as a document the schema accepts.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "export/sat_schema.h"
#include "ledgernova/export_sat.h"
#include "schema/scripts.h"
#include "support/ledger.h"

namespace ledgernova::testing {
namespace {

bool has_demo_script() {
    const auto& scripts = schema::all_scripts();
    return std::any_of(scripts.begin(), scripts.end(),
                       [](const schema::Script& s) { return s.name == "sqlite/demo.sql"; });
}

// Runs `ledgernova --db PATH demo`; its exit status, -1 when it did not exit.
int run_demo(const std::filesystem::path& ledger, const std::filesystem::path& output) {
    const std::string command = std::string("'") + LEDGERNOVA_CLI_PATH + "' --db '" +
                                ledger.string() + "' demo >'" + output.string() + "' 2>&1";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string text(const db::Field& field) {
    return field.Value.is_null() ? std::string() : field.Value.to_text();
}

// The request for one month of a company, under the company's own RFC.
ExportRequest month_request(db::Connection& connection, const db::Recordset& month) {
    ExportRequest request;
    request.company = text(month.Fields("Em_Cve_Empresa"));
    request.year = std::stoi(text(month.Fields("Pl_Ejercicio")));
    request.month = std::stoi(text(month.Fields("Mes")));
    auto company = connection.Execute("SELECT Em_R_F_C FROM Empresa WHERE Em_Cve_Empresa = '" +
                                      request.company + "'");
    request.rfc = company.Eof() ? std::string() : text(company.Fields(0));
    request.request_type = "AF";
    request.order_number = "ABC1234567/24";
    return request;
}

std::string problems_of(const ExportResult& result) {
    std::string lines;
    for (const auto& problem : result.problems) {
        lines += describe(problem) + "\n";
    }
    return lines;
}

class ExportSatDemoTest : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path folder_ = make_temp_folder();
};

TEST_F(ExportSatDemoTest, EveryMonthOfTheDemoLedgerExportsAValidDocument) {
    LEDGERNOVA_REQUIRE_SAT_SCHEMA();
    if (!has_demo_script()) {
        GTEST_SKIP() << "there is no demo script (schema/sqlite/demo.sql) yet";
    }
    const auto ledger = folder_ / "demo.db";
    if (run_demo(ledger, folder_ / "demo.txt") != 0) {
        GTEST_SKIP() << "`ledgernova demo` did not build its ledger";
    }
    const auto connection = db::open_sqlite(ledger.string());

    auto months = connection->Execute(
        "SELECT DISTINCT Em_Cve_Empresa, Pl_Ejercicio, "
        "CASE WHEN Pl_Periodo = '13' THEN '12' ELSE Pl_Periodo END AS Mes "
        "FROM Poliza WHERE Es_Cve_Estado <> 'CA' ORDER BY 1, 2, 3");
    ASSERT_FALSE(months.Eof()) << "the demo posted no voucher";
    for (; !months.Eof(); months.MoveNext()) {
        const ExportRequest request = month_request(*connection, months);
        SCOPED_TRACE(request.company + " " + std::to_string(request.year) + "-" +
                     std::to_string(request.month));

        const ExportResult result = export_polizas_periodo(*connection, request);

        EXPECT_TRUE(result.ok);
        EXPECT_EQ(problems_of(result), "");
        EXPECT_EQ(polizas_schema_errors(result.xml), "");
    }
}

}  // namespace
}  // namespace ledgernova::testing
