// `ledgernova print`: the PDF the program writes, read back as text with pdftotext.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

// Where `part` ends on its line (the column after its last character), for the first line of the
// text that contains it; npos when none does. pdftotext -layout keeps columns in place, so amounts
// of one column end where the column's title ends.
std::size_t end_column(const std::string& text, const std::string& part) {
    const std::size_t at = text.find(part);
    if (at == std::string::npos) {
        return at;
    }
    const std::size_t line_start = text.rfind('\n', at);
    return at + part.size() - (line_start == std::string::npos ? 0 : line_start + 1);
}

// Every line of the text, its blanks collapsed to one and none at its ends, that contains `part`.
std::vector<std::string> lines_with(const std::string& text, const std::string& part) {
    std::vector<std::string> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string collapsed;
        for (std::string word; words >> word;) {
            collapsed += (collapsed.empty() ? "" : " ") + word;
        }
        if (collapsed.find(part) != std::string::npos) {
            found.push_back(collapsed);
        }
    }
    return found;
}

class PrintCommandTest : public CliTest {
  protected:
    // The text of each page of the PDF in the test's folder, laid out as on the page.
    std::vector<std::string> pdf_pages(const std::string& name) const {
        const std::string path = (folder() / name).string();
        EXPECT_EQ(std::system(("pdftotext -layout '" + path + "' '" + path + ".txt'").c_str()), 0);
        const std::string text = read_file(name + ".txt");
        std::vector<std::string> pages;
        for (std::size_t at = 0, feed = 0; (feed = text.find('\f', at)) != std::string::npos;
             at = feed + 1) {
            pages.push_back(text.substr(at, feed - at));
        }
        return pages;
    }

    // The files of the test's folder other than the ledger and the program's output.
    std::vector<std::string> other_files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder())) {
            const std::string name = entry.path().filename().string();
            if (!name.starts_with("ledger.db") && name != "out.txt" && name != "err.txt") {
                names.push_back(name);
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

// A journal voucher of 99 charges of 1,234,567.89 to stationery and one credit to the bank.
std::string long_voucher() {
    std::string lines;
    for (int line = 1; line <= 99; ++line) {
        lines +=
            fmt::format(R"({{"Cc_Cve_Cuenta_Contable": "6101", "Pd_Concepto": "Papelería {:02}", )"
                        R"("Pd_Referencia": "F-{}", "Pd_Centro_Costo": "ADM", "Pd_Tipo": 1, )"
                        R"("Pd_Importe": 1234567.89}},)",
                        line, 1000 + line);
    }
    return R"({"header": {"Pl_Fecha": "2024-03-15", "Pl_Tipo_Poliza": 3, "Em_Cve_Empresa": "001",
               "Pl_Referencia": "R-7", "Pl_Comentario": "Compras de papelería del año"},
               "lines": [)" +
           lines +
           R"({"Cc_Cve_Cuenta_Contable": "1102", "Pd_Concepto": "Pago", "Pd_Tipo": 2,
               "Pd_Importe": 122222221.11}]})";
}

TEST_F(PrintCommandTest, LongVoucherRunsOverThreePagesEachWithTheHeaderAndItsNumber) {
    ASSERT_EQ(ledger({"init"}).status, 0);
    execute(
        "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Registro, "
        "Cc_Resultado) VALUES('6101', 'Papelería y útiles', 'SI', 'NO'), ('1102', "
        "'Bancos', 'SI', 'NO')");
    write_file("voucher.json", long_voucher());
    ASSERT_EQ(ledger({"voucher", "--file", "voucher.json"}).status, 0);

    EXPECT_EQ(ledger({"print", "0000000001", "--out", "long.pdf"}),
              cli_ok("1 voucher printed to long.pdf\n"));
    const auto pages = pdf_pages("long.pdf");
    ASSERT_EQ(pages.size(), 3u);
    std::vector<std::size_t> amounts;  // 45 rows a page: lines 1 to 45, 46 to 90, then 91 to 100
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const std::string& text = pages[page];
        EXPECT_EQ(lines_with(text, "Póliza de Diario"),
                  std::vector<std::string>{"Póliza de Diario Folio 0000000001"});
        EXPECT_EQ(lines_with(text, "Página"),
                  std::vector<std::string>{fmt::format("Página {} de 3", page + 1)});
        EXPECT_EQ(lines_with(text, "Cuenta Descripción").size(), 1u) << text;
        EXPECT_EQ(lines_with(text, "Elaboró").size(), page == 2 ? 1u : 0u);
        amounts.push_back(lines_with(text, "1,234,567.89").size());
    }
    EXPECT_EQ(amounts, (std::vector<std::size_t>{45, 45, 9}));
    EXPECT_EQ(lines_with(pages[0], "Papelería 01"),
              std::vector<std::string>{"6101 Papelería y útiles ADM Papelería 01 / F-1001 "
                                       "1,234,567.89"});
    EXPECT_EQ(lines_with(pages[2], "Papelería 99"),
              std::vector<std::string>{"6101 Papelería y útiles ADM Papelería 99 / F-1099 "
                                       "1,234,567.89"});
    EXPECT_EQ(lines_with(pages[2], "122,222,221.11"),
              (std::vector<std::string>{"1102 Bancos Pago 122,222,221.11",
                                        "Totales 122,222,221.11 122,222,221.11"}));
    EXPECT_EQ(lines_with(pages[2], "Elaboró"), std::vector<std::string>{"Elaboró Revisó Autorizó"});
}

class DemoPrintTest : public PrintCommandTest {
  protected:
    void SetUp() override {
        PrintCommandTest::SetUp();
        ASSERT_EQ(ledger({"demo"}).status, 0);
    }
};

TEST_F(DemoPrintTest, PurchaseShowsHeaderLinesElectronicSummaryTotalsInTheirColumns) {
    EXPECT_EQ(ledger({"print", "0000000002", "--out", "purchase.pdf"}),
              cli_ok("1 voucher printed to purchase.pdf\n"));
    const auto pages = pdf_pages("purchase.pdf");
    ASSERT_EQ(pages.size(), 1u);
    const std::string& page = pages[0];
    EXPECT_EQ(lines_with(page, "CNO980512AB3"),
              std::vector<std::string>{"01 RFC CNO980512AB3 0000000002 04/03/2024"});
    EXPECT_EQ(lines_with(page, "COMPRAS C-0002"),
              std::vector<std::string>{
                  "Compra C-0002 Distribuidora de Abarrotes Monterrey F-88120 COMPRAS C-0002"});
    EXPECT_EQ(lines_with(page, "/ F-88120"),
              (std::vector<std::string>{
                  "1150-001 Inventario de mercancías Compra F-88120 - Inventario de mercancías / "
                  "F-88120 20,000.00",
                  "1180-001 IVA acreditable pendiente de pago IVA 16% factura F-88120 / F-88120 "
                  "3,040.00",
                  "5102-001 Descuentos y bonificaciones sobre compras ALM Descuento factura "
                  "F-88120 / F-88120 1,000.00",
                  "2101-002 Distribuidora de Abarrotes Monterrey, S.A. de C.V. Factura F-88120 "
                  "Distribuidora de Abarrotes Monterrey / F-88120 22,040.00"}));
    EXPECT_EQ(lines_with(page, "CFDI"),
              std::vector<std::string>{"CFDI UUID 3E831511-9916-4ACB-B1CA-2CDB4D15B75C RFC "
                                       "DAM950726HJ1 Monto 22,040.00 MXN"});
    EXPECT_EQ(lines_with(page, "Totales"), std::vector<std::string>{"Totales 23,040.00 23,040.00"});
    // Charges end under "Cargos", credits under "Abonos".
    const std::size_t charges = end_column(page, "Cargos");
    const std::size_t credits = end_column(page, "Abonos");
    ASSERT_LT(charges, credits);
    EXPECT_NEAR(end_column(page, "20,000.00"), charges, 1);
    EXPECT_NEAR(end_column(page, "3,040.00"), charges, 1);
    EXPECT_NEAR(end_column(page, "1,000.00"), credits, 1);
    EXPECT_NEAR(end_column(page, "22,040.00"), credits, 1);
}

TEST_F(DemoPrintTest, PaymentsSummariseChequesTransfersAndForeignInvoicesAndCancelledIsMarked) {
    EXPECT_EQ(ledger({"print", "0000000003", "0000000007", "0000000005", "0000000001", "0000000013",
                      "--out", "p.pdf"}),
              cli_ok("5 vouchers printed to p.pdf\n"));
    const auto pages = pdf_pages("p.pdf");
    ASSERT_EQ(pages.size(), 5u);
    std::vector<std::string> titles;
    for (const auto& page : pages) {
        const auto title = lines_with(page, "Folio");
        titles.insert(titles.end(), title.begin(), title.end());
        // Each voucher numbers its own pages.
        EXPECT_EQ(lines_with(page, "Página"), std::vector<std::string>{"Página 1 de 1"});
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Póliza de Egreso Folio 0000000003",
                                                "Póliza de Egreso Folio 0000000007",
                                                "Póliza de Diario Folio 0000000005",
                                                "Póliza de Diario CANCELADA Folio 0000000001",
                                                "Póliza de Diario Folio 0000000013"}));
    EXPECT_EQ(lines_with(pages[0], "Número 0004512"),
              std::vector<std::string>{
                  "Cheque Número 0004512 Banco 012 cta. 0123456789 Beneficiario Papelería La "
                  "Estrella, S.A. de C.V. RFC PES010203QW5 Monto 5,104.00 MXN"});
    EXPECT_EQ(lines_with(pages[1], "Origen"),
              std::vector<std::string>{
                  "Transferencia Origen 002 cta. 7003451288 Destino 072 cta. 072580001234567891 "
                  "Beneficiario Distribuidora de Abarrotes Monterrey, S.A. de C.V. RFC "
                  "DAM950726HJ1 Monto 22,040.00 MXN"});
    EXPECT_EQ(lines_with(pages[2], "Tax ID"),
              std::vector<std::string>{
                  "Comprobante extranjero Factura INV-240308-17 Tax ID 94-3456789 Monto 1,200.00 "
                  "USD"});
}

TEST_F(DemoPrintTest, MonthPrintsEveryVoucherOfTheCompanyInDateOrder) {
    EXPECT_EQ(
        ledger({"print", "--company", "01", "--year", "2024", "--month", "3", "--out", "m.pdf"}),
        cli_ok("13 vouchers printed to m.pdf\n"));
    std::string folios;
    for (const auto& page : pdf_pages("m.pdf")) {
        const std::string title = lines_with(page, "Folio").at(0);
        folios += title.substr(title.size() - 2) + " ";
    }
    EXPECT_EQ(folios, "01 13 02 03 04 05 06 07 08 09 10 11 12 ");
    EXPECT_EQ(ledger({"print", "--company", "01", "--year", "2024", "--month", "3", "--type", "2",
                      "--out", "e.pdf"}),
              cli_ok("5 vouchers printed to e.pdf\n"));
}

TEST_F(DemoPrintTest, RefusalsExitOneAndLeaveNoFileBehind) {
    write_file("kept.pdf", "earlier");
    std::filesystem::create_directory(folder() / "taken");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"0000000002", "0000000099", "--out", "kept.pdf"},
         "there is no voucher with folio 0000000099"},
        {{"--company", "01", "--year", "2024", "--month", "4", "--out", "a.pdf"},
         "there are no vouchers of company 01, 2024-04"},
        {{"--company", "02", "--year", "2024", "--month", "3", "--type", "1", "--out", "a.pdf"},
         "there are no vouchers of company 02, 2024-03, type 1"},
        // The company is quoted once where the statement is written: a quote in it is no SQL
        // error.
        {{"--company", "0'1", "--year", "2024", "--month", "3", "--out", "a.pdf"},
         "there are no vouchers of company 0'1, 2024-03"},
        {{"0000000002", "--out", "missing/a.pdf"},
         "could not write missing/a.pdf: No such file or directory"},
        {{"0000000002", "--out", "taken"}, "could not write taken: Is a directory"},
    };
    for (auto [arguments, message] : refusals) {
        arguments.insert(arguments.begin(), "print");
        EXPECT_EQ(ledger(arguments), cli_error(1, "ledgernova: " + message + "\n"));
    }
    EXPECT_EQ(read_file("kept.pdf"), "earlier");
    EXPECT_TRUE(std::filesystem::is_empty(folder() / "taken"));
    // Neither a half-written PDF nor a temporary file is left.
    EXPECT_EQ(other_files(), (std::vector<std::string>{"kept.pdf", "taken"}));
}

TEST_F(DemoPrintTest, FoliosAndMonthAreAlternativesAndOneIsNeeded) {
    const std::string help = "\nRun with --help for more information.\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> usages = {
        {{"--out", "a.pdf"}, "ledgernova: print needs FOLIO or --company, --year and --month\n"},
        {{"0000000002", "--month", "3", "--out", "a.pdf"}, "FOLIO excludes --month" + help},
        {{"--company", "01", "--month", "3", "--out", "a.pdf"}, "--company requires --year" + help},
        {{"0000000002"}, "--out is required" + help},
    };
    for (auto [arguments, message] : usages) {
        arguments.insert(arguments.begin(), "print");
        EXPECT_EQ(ledger(arguments), cli_error(2, message));
    }
    EXPECT_EQ(other_files(), std::vector<std::string>{});
}

}  // namespace
}  // namespace ledgernova::testing
