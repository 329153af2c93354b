#pragma once

#include <fmt/format.h>

#include <string>

#include "export/balance_ledger.h"
#include "export/export_fixture.h"
#include "export/trial_balance.h"

namespace ledgernova::testing {

// A fresh ledger with a chart of accounts that has natures and parents:
//   1000 D  1100 D (under 1000)  1101 D (under 1100)  1190 A (under 1000)
//   2000 A  2101 A (under 2000)  3000 A  3101 A (under 3000)  4101 A  6101 D
// and the vouchers and opening balances of a test written straight into it.
class BalanceFixture : public ExportSatFixture {
  protected:
    void SetUp() override {
        ExportSatFixture::SetUp();
        chart("1000", "D");
        chart("1100", "D", "1000");
        chart("1101", "D", "1100");
        chart("1190", "A", "1000");
        chart("2000", "A");
        chart("2101", "A", "2000");
        chart("3000", "A");
        chart("3101", "A", "3000");
        chart("4101", "A");
        chart("6101", "D");
    }

    void chart(const std::string& code, const std::string& nature, const std::string& parent = "") {
        if (ledger_
                .rows("SELECT 1 FROM Cuenta_Contable WHERE Cc_Cve_Cuenta_Contable = " +
                      quoted(code))
                .empty()) {
            account(code, "Cuenta " + code);
        }
        ledger_.direct().Execute("UPDATE Cuenta_Contable SET Cc_Naturaleza = " + quoted(nature) +
                                 ", Cc_Cuenta_Padre = " + quoted(parent) +
                                 " WHERE Cc_Cve_Cuenta_Contable = " + quoted(code));
    }

    void opening(const std::string& code, const std::string& year, const std::string& month,
                 const std::string& amount, const std::string& company = "001") {
        ledger_.direct().Execute(fmt::format(
            "INSERT INTO Saldo_Inicial (Em_Cve_Empresa, Cc_Cve_Cuenta_Contable, Si_Ejercicio, "
            "Si_Periodo, Si_Saldo) VALUES ({}, {}, {}, {}, {})",
            quoted(company), quoted(code), quoted(year), quoted(month), amount));
    }

    // A voucher of two lines: `amount` charged to `debit`, credited to `credit`.
    void entry(const std::string& folio, const std::string& date, const std::string& debit,
               const std::string& credit, const std::string& amount, Columns overrides = {}) {
        voucher(folio, 3, folio, date, "Asiento", std::move(overrides));
        line(folio, "0001", debit, 1, amount);
        line(folio, "0002", credit, 2, amount);
    }

    sat::TrialBalance balance(int year, int month) {
        return sat::compute_trial_balance(
            sat::read_balance_ledger(ledger_.direct(), "001", year, month),
            sat::period_key(year, month));
    }

    // One line per account: account, opening, charges, credits, closing.
    static std::string rendered(const sat::TrialBalance& balance) {
        std::string text;
        for (const auto& row : balance.accounts) {
            text += rendered(row) + "\n";
        }
        return text;
    }

    static std::string rendered(const sat::AccountBalance& row) {
        return fmt::format("{} {} {} {} {}", row.account, row.opening.to_fixed(2),
                           row.debe.to_fixed(2), row.haber.to_fixed(2), row.closing.to_fixed(2));
    }
};

}  // namespace ledgernova::testing
