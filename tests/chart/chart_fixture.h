#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/sat_schema.h"
#include "ledgernova/chart.h"
#include "support/ledger.h"

namespace ledgernova::testing {

// A fresh ledger for the chart: its accounts as one text, and the problems of a result one a line.
class ChartTest : public ::testing::Test {
  protected:
    void SetUp() override { LEDGERNOVA_REQUIRE_SAT_SCHEMA(); }

    std::string accounts() {
        return ledger_.rows(
            "SELECT Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Codigo_Agrupador, Cc_Naturaleza, "
            "Cc_Nivel, Cc_Cuenta_Padre, Cc_Registro, Cc_Resultado FROM Cuenta_Contable "
            "ORDER BY Cc_Cve_Cuenta_Contable");
    }

    static std::string problems(const ChartResult& result) {
        std::string text;
        for (const auto& problem : result.problems) {
            text += problem + "\n";
        }
        return text;
    }

    static Account account(std::string key, std::string description, std::string code,
                           std::string nature, std::string parent = "", int level = 0) {
        Account a;
        a.key = std::move(key);
        a.description = std::move(description);
        a.grouping_code = std::move(code);
        a.nature = std::move(nature);
        a.parent = std::move(parent);
        a.level = level;
        return a;
    }

    Ledger ledger_;
};

}  // namespace ledgernova::testing
