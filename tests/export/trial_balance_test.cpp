// The trial balance: opening balances, charges, credits and closing balances per account from the
// vouchers in force, the accounts above them rolled up, and the problems that keep it from being
// delivered.

#include <fmt/format.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "export/balance_fixture.h"
#include "export/balance_ledger.h"

namespace ledgernova::testing {
namespace {

using TrialBalanceTest = BalanceFixture;

TEST_F(TrialBalanceTest, SumsTheVouchersInForceByNatureAndRollsUpTheParents) {
    opening("1101", "2024", "01", "10000");
    opening("1190", "2024", "01", "1500");
    opening("2101", "2024", "01", "4000");
    opening("3101", "2024", "01", "4500");
    entry("F1", "2024-02-10", "6101", "1101", "1200.50");
    entry("F2", "2024-03-05", "1101", "4101", "5000.25");
    entry("F3", "2024-03-20", "6101", "1190", "300.10");
    entry("F4", "2024-03-21", "6101", "1101", "999", {{"Es_Cve_Estado", "'CA'"}});
    entry("F5", "2024-03-22", "6101", "1101", "50", {{"Em_Cve_Empresa", "'002'"}});
    entry("F6", "2024-04-01", "1101", "4101", "1");

    const sat::TrialBalance march = balance(2024, 3);

    EXPECT_EQ(described(march), "");
    EXPECT_EQ(rendered(march),
              "1000 7299.50 5000.25 300.10 11999.65\n"
              "1100 8799.50 5000.25 0.00 13799.75\n"
              "1101 8799.50 5000.25 0.00 13799.75\n"
              "1190 1500.00 0.00 300.10 1800.10\n"
              "2000 4000.00 0.00 0.00 4000.00\n"
              "2101 4000.00 0.00 0.00 4000.00\n"
              "3000 4500.00 0.00 0.00 4500.00\n"
              "3101 4500.00 0.00 0.00 4500.00\n"
              "4101 0.00 0.00 5000.25 5000.25\n"
              "6101 1200.50 300.10 0.00 1500.60\n");
}

TEST_F(TrialBalanceTest, PeriodThirteenIsTheYearEndBalanceOfItsOwn) {
    entry("N1", "2024-11-05", "1101", "4101", "1000");
    entry("D1", "2024-12-15", "6101", "1101", "100");
    voucher("C1", 3, "C1", "2024-12-31", "Cierre", {{"Pl_Periodo", "'13'"}});
    line("C1", "0001", "4101", 1, "1000");
    line("C1", "0002", "6101", 2, "100");
    line("C1", "0003", "3101", 2, "900");
    entry("J1", "2025-01-10", "1101", "4101", "10");

    EXPECT_EQ(rendered(balance(2024, 12)),
              "1000 1000.00 0.00 100.00 900.00\n"
              "1100 1000.00 0.00 100.00 900.00\n"
              "1101 1000.00 0.00 100.00 900.00\n"
              "4101 1000.00 0.00 0.00 1000.00\n"
              "6101 0.00 100.00 0.00 100.00\n");
    EXPECT_EQ(rendered(balance(2024, 13)),
              "1000 900.00 0.00 0.00 900.00\n"
              "1100 900.00 0.00 0.00 900.00\n"
              "1101 900.00 0.00 0.00 900.00\n"
              "3000 0.00 0.00 900.00 900.00\n"
              "3101 0.00 0.00 900.00 900.00\n"
              "4101 1000.00 1000.00 0.00 0.00\n"
              "6101 100.00 0.00 100.00 0.00\n");
    EXPECT_EQ(rendered(balance(2025, 1)),
              "1000 900.00 10.00 0.00 910.00\n"
              "1100 900.00 10.00 0.00 910.00\n"
              "1101 900.00 10.00 0.00 910.00\n"
              "3000 900.00 0.00 0.00 900.00\n"
              "3101 900.00 0.00 0.00 900.00\n"
              "4101 0.00 0.00 10.00 10.00\n");
}

TEST_F(TrialBalanceTest, AnOpeningBalanceStandsForEveryEarlierMovementOfItsAccount) {
    entry("M1", "2024-03-10", "1101", "3101", "777");  // already inside the June openings
    opening("1101", "2024", "06", "5000");
    opening("3101", "2024", "06", "5000");
    opening("3101", "2024", "09", "1");  // after the months asked for
    entry("J1", "2024-06-15", "1101", "4101", "250.75");

    EXPECT_EQ(rendered(balance(2024, 5)),
              "1000 777.00 0.00 0.00 777.00\n"
              "1100 777.00 0.00 0.00 777.00\n"
              "1101 777.00 0.00 0.00 777.00\n"
              "3000 777.00 0.00 0.00 777.00\n"
              "3101 777.00 0.00 0.00 777.00\n");
    EXPECT_EQ(rendered(balance(2024, 6)),
              "1000 5000.00 250.75 0.00 5250.75\n"
              "1100 5000.00 250.75 0.00 5250.75\n"
              "1101 5000.00 250.75 0.00 5250.75\n"
              "3000 5000.00 0.00 0.00 5000.00\n"
              "3101 5000.00 0.00 0.00 5000.00\n"
              "4101 0.00 0.00 250.75 250.75\n");
    EXPECT_EQ(rendered(balance(2024, 7)),
              "1000 5250.75 0.00 0.00 5250.75\n"
              "1100 5250.75 0.00 0.00 5250.75\n"
              "1101 5250.75 0.00 0.00 5250.75\n"
              "3000 5000.00 0.00 0.00 5000.00\n"
              "3101 5000.00 0.00 0.00 5000.00\n"
              "4101 250.75 0.00 0.00 250.75\n");
}

TEST_F(TrialBalanceTest, ListsEveryProblemOnceInOrder) {
    account("7101", "Sin naturaleza");
    chart("1300", "D", "1399");
    chart("8101", "D", "8102");
    chart("8102", "D", "8101");
    opening("1300", "2024", "03", "50");
    opening("8101", "2024", "01", "1");
    entry("P1", "2024-03-01", "7101", "1101", "10");
    entry("P2", "2024-03-02", "9999", "1101", "5");
    entry("P3", "2024-03-03", "7101", "1101", "2");
    voucher("P4", 3, "P4", "2024-03-04", "Descuadrada");
    line("P4", "0001", "6101", 1, "20");
    line("P4", "0002", "6101", 3, "1");

    EXPECT_EQ(described(balance(2024, 3)),
              "folio P4, line 0002, Pd_Tipo \"3\": a line is either a charge (1) or a credit (2)\n"
              "Balanza: the month does not balance: charges 37.00, credits 17.00\n"
              "Ctas, NumCta \"1300\": the parent account 1399 is missing from the chart\n"
              "Ctas, NumCta \"7101\": the account has no nature: Cc_Naturaleza must be D "
              "(deudora) or A (acreedora)\n"
              "Ctas, NumCta \"8102\": the parent account 8101 is also beneath it\n"
              "Ctas, NumCta \"9999\": the account is missing from the chart (Cuenta_Contable)\n");
}

TEST_F(TrialBalanceTest, AMonthWithNothingToReportIsRefused) {
    entry("F1", "2024-03-05", "1101", "4101", "5", {{"Es_Cve_Estado", "'CA'"}});

    const sat::TrialBalance march = balance(2024, 3);

    EXPECT_EQ(rendered(march), "");
    EXPECT_EQ(
        described(march),
        "Balanza: no account to deliver: nothing has a balance or movement up to the month\n");
}

TEST_F(TrialBalanceTest, ReadsTheLedgerWithTheseStatements) {
    (void)sat::read_balance_ledger(ledger_.recorder(), "0'1", 2024, 3);

    EXPECT_EQ(fmt::format("{}", fmt::join(ledger_.recorder().statements(), "\n")),
              "SELECT Cc_Cve_Cuenta_Contable, Cc_Naturaleza, Cc_Cuenta_Padre FROM Cuenta_Contable\n"
              "SELECT Cc_Cve_Cuenta_Contable, Si_Ejercicio, Si_Periodo, Si_Saldo FROM "
              "Saldo_Inicial WHERE Em_Cve_Empresa = '0''1' AND (Si_Ejercicio < '2024' OR "
              "(Si_Ejercicio = '2024' AND Si_Periodo <= '03'))\n"
              "SELECT d.Cc_Cve_Cuenta_Contable, p.Pl_Ejercicio, p.Pl_Periodo, d.Pd_Tipo, "
              "d.Pd_Importe, d.Pl_Folio, d.Pd_ID FROM Poliza_Detalle d JOIN Poliza p ON "
              "p.Pl_Folio = d.Pl_Folio WHERE p.Em_Cve_Empresa = '0''1' AND p.Es_Cve_Estado <> "
              "'CA' AND (p.Pl_Ejercicio < '2024' OR (p.Pl_Ejercicio = '2024' AND p.Pl_Periodo "
              "<= '03'))");
}

// A ledger of random balanced vouchers with cents over a year and its closing period, some
// cancelled, checked against sums kept in whole cents beside it.
class RandomLedgerTest : public BalanceFixture {
  protected:
    struct Leaf {
        std::string code;
        bool debit;
    };
    using Cents = std::int64_t;

    const std::vector<Leaf> leaves_ = {{"1101", true},  {"1190", false}, {"2101", false},
                                       {"3101", false}, {"4101", false}, {"6101", true}};
    std::map<std::string, Cents> opening_;                  // by account, by nature
    std::map<std::pair<std::string, int>, Cents> charges_;  // by account and period
    std::map<std::pair<std::string, int>, Cents> credits_;

    static std::string text(Cents cents) {
        const Cents whole = (cents < 0 ? -cents : cents);
        return fmt::format("{}{}.{:02}", cents < 0 ? "-" : "", whole / 100, whole % 100);
    }

    void post_openings(std::mt19937& random) {
        std::uniform_int_distribution<Cents> amount(0, 5'000'000);
        const Cents bank = amount(random) + 9'000'000;
        const Cents expense = amount(random);
        const Cents suppliers = amount(random);
        opening_ = {{"1101", bank},      {"6101", expense},
                    {"2101", suppliers}, {"1190", 12'345},
                    {"4101", 0},         {"3101", bank + expense - suppliers - 12'345}};
        for (const auto& [code, cents] : opening_) {
            opening(code, "2024", "01", text(cents));
        }
    }

    void post_voucher(std::mt19937& random, int number) {
        std::uniform_int_distribution<int> period(1, 13);
        std::uniform_int_distribution<std::size_t> leaf(0, leaves_.size() - 1);
        std::uniform_int_distribution<Cents> amount(1, 99'999'999);
        const int month = period(random);
        const bool cancelled = random() % 10 == 0;
        const std::string folio = fmt::format("{:010}", number);
        voucher(folio, 3, folio, fmt::format("2024-{:02}-15", month < 13 ? month : 12), "Azar",
                {{"Pl_Periodo", fmt::format("'{:02}'", month)},
                 {"Es_Cve_Estado", cancelled ? "'CA'" : "'AC'"}});
        Cents total = 0;
        const int lines = 2 + static_cast<int>(random() % 4);
        for (int i = 1; i <= lines; ++i) {
            const bool last = i == lines;
            const Cents cents = last ? total : amount(random);
            const std::string& code = leaves_[leaf(random)].code;
            line(folio, fmt::format("{:04}", i), code, last ? 2 : 1, text(cents));
            total += last ? 0 : cents;
            if (!cancelled) {
                (last ? credits_ : charges_)[{code, month}] += cents;
            }
        }
    }

    // The expected row of a leaf in `month`: opening, charges, credits, closing. The opening adds
    // up every earlier month, so exact rows also show each month following on from the last.
    std::string expected(const Leaf& leaf, int month) const {
        Cents opening = opening_.at(leaf.code);
        for (int earlier = 1; earlier < month; ++earlier) {
            opening += (leaf.debit ? 1 : -1) *
                       (sum(charges_, leaf.code, earlier) - sum(credits_, leaf.code, earlier));
        }
        const Cents debe = sum(charges_, leaf.code, month);
        const Cents haber = sum(credits_, leaf.code, month);
        const Cents closing = opening + (leaf.debit ? debe - haber : haber - debe);
        return fmt::format("{} {} {} {} {}", leaf.code, text(opening), text(debe), text(haber),
                           text(closing));
    }

    static Cents sum(const std::map<std::pair<std::string, int>, Cents>& sums,
                     const std::string& code, int month) {
        const auto found = sums.find({code, month});
        return found == sums.end() ? 0 : found->second;
    }
};

TEST_F(RandomLedgerTest, EveryMonthSumsExactly) {
    std::mt19937 random(20240315);
    post_openings(random);
    for (int number = 1; number <= 400; ++number) {
        post_voucher(random, number);
    }

    for (int month = 1; month <= 13; ++month) {
        SCOPED_TRACE(fmt::format("month {}", month));
        const sat::TrialBalance trial = balance(2024, month);
        ASSERT_EQ(described(trial), "");
        util::Decimal debe, haber, by_nature;
        std::size_t reported = 0;
        for (const auto& row : trial.accounts) {
            for (const auto& leaf : leaves_) {
                if (leaf.code != row.account) {
                    continue;
                }
                EXPECT_EQ(rendered(row), expected(leaf, month));
                debe = debe + row.debe;
                haber = haber + row.haber;
                by_nature = leaf.debit ? by_nature + row.closing : by_nature - row.closing;
                ++reported;
            }
        }
        EXPECT_EQ(reported, leaves_.size());
        EXPECT_EQ(debe.to_fixed(6), haber.to_fixed(6));
        EXPECT_TRUE(by_nature.is_zero()) << by_nature.to_fixed(6);
    }
}

}  // namespace
}  // namespace ledgernova::testing
