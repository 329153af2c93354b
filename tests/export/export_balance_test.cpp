// The trial balance as BalanzaComprobacion 1.3: the document written, and what refuses it.

#include <string>

#include "export/balance_fixture.h"
#include "ledgernova/export_balance.h"
#include "util/text.h"

namespace ledgernova::testing {
namespace {

class ExportBalanceTest : public BalanceFixture {
  protected:
    void SetUp() override {
        BalanceFixture::SetUp();
        ledger_.direct().Execute(
            "INSERT INTO Empresa (Em_Cve_Empresa, Em_R_F_C) VALUES ('001', 'LNO010101AB1')");
        opening("1101", "2024", "01", "1000");
        opening("3101", "2024", "01", "1000");
        entry("F1", "2024-03-05", "6101", "1101", "250.10");
    }

    static BalanceRequest asked(int month = 3) {
        BalanceRequest request;
        request.company = "001";
        request.year = 2024;
        request.month = month;
        return request;
    }

    ExportResult run(const BalanceRequest& request) {
        return export_balanza_comprobacion(ledger_.direct(), request);
    }
};

TEST_F(ExportBalanceTest, WritesOneCtasPerAccountUnderTheCompanysRfc) {
    const ExportResult result = run(asked());

    ASSERT_TRUE(result.ok) << described(result);
    EXPECT_EQ(result.xml,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<BCE:Balanza xmlns:BCE=\"http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/"
              "BalanzaComprobacion\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xsi:schemaLocation=\"http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/"
              "BalanzaComprobacion http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/"
              "BalanzaComprobacion/BalanzaComprobacion_1_3.xsd\" Version=\"1.3\" "
              "RFC=\"LNO010101AB1\" Mes=\"03\" Anio=\"2024\" TipoEnvio=\"N\">\n"
              "  <BCE:Ctas NumCta=\"1000\" SaldoIni=\"1000.00\" Debe=\"0.00\" Haber=\"250.10\" "
              "SaldoFin=\"749.90\"/>\n"
              "  <BCE:Ctas NumCta=\"1100\" SaldoIni=\"1000.00\" Debe=\"0.00\" Haber=\"250.10\" "
              "SaldoFin=\"749.90\"/>\n"
              "  <BCE:Ctas NumCta=\"1101\" SaldoIni=\"1000.00\" Debe=\"0.00\" Haber=\"250.10\" "
              "SaldoFin=\"749.90\"/>\n"
              "  <BCE:Ctas NumCta=\"3000\" SaldoIni=\"1000.00\" Debe=\"0.00\" Haber=\"0.00\" "
              "SaldoFin=\"1000.00\"/>\n"
              "  <BCE:Ctas NumCta=\"3101\" SaldoIni=\"1000.00\" Debe=\"0.00\" Haber=\"0.00\" "
              "SaldoFin=\"1000.00\"/>\n"
              "  <BCE:Ctas NumCta=\"6101\" SaldoIni=\"0.00\" Debe=\"250.10\" Haber=\"0.00\" "
              "SaldoFin=\"250.10\"/>\n"
              "</BCE:Balanza>\n");
    EXPECT_EQ(described(result), "");
}

TEST_F(ExportBalanceTest, AComplementaryDeliveryCarriesTheDateOfTheChange) {
    BalanceRequest request = asked(13);
    request.rfc = "AAA010101AAA";
    request.type = "C";
    request.modified = "2025-02-10";

    const ExportResult result = run(request);

    ASSERT_TRUE(result.ok) << described(result);
    EXPECT_TRUE(contains(result.xml,
                         "Version=\"1.3\" RFC=\"AAA010101AAA\" Mes=\"13\" Anio=\"2024\" "
                         "TipoEnvio=\"C\" FechaModBal=\"2025-02-10\">"));
}

TEST_F(ExportBalanceTest, RefusesWhatTheRequestGetsWrongWithOneLineEach) {
    ledger_.direct().Execute("DELETE FROM Empresa");
    BalanceRequest request = asked();
    request.modified = "2024-04-01";
    EXPECT_EQ(described(run(request)),
              "Balanza, RFC \"\": the company has no RFC (Empresa.Em_R_F_C) and none was given\n"
              "Balanza, FechaModBal \"2024-04-01\": only goes with TipoEnvio C (a complementary "
              "delivery)\n");

    request.rfc = "LNO010101AB1";
    request.type = "C";
    request.modified.clear();
    const ExportResult refused = run(request);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.xml, "");
    EXPECT_EQ(described(refused),
              "Balanza, FechaModBal \"\": required with TipoEnvio C (a complementary delivery)\n");
}

TEST_F(ExportBalanceTest, WhatOnlyTheSchemaRefusesIsReportedInItsWords) {
    BalanceRequest request = asked();
    request.type = "X";

    const ExportResult result = run(request);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.xml, "");
    EXPECT_EQ(described(result),
              "the schema refuses the document: line 2: Element "
              "'{http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/BalanzaComprobacion}Balanza', "
              "attribute 'TipoEnvio': [facet 'pattern'] The value 'X' is not accepted by the "
              "pattern '[NC]'.\n");
}

TEST_F(ExportBalanceTest, AFailingReadIsOneProblemWithTheDatabasesMessage) {
    ledger_.direct().Execute("DROP TABLE Saldo_Inicial");

    const ExportResult result = run(asked());

    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].reason.rfind("the export failed: ", 0), 0u)
        << result.problems[0].reason;
    // PostgreSQL names the table in lower case.
    EXPECT_TRUE(
        contains(util::fold_case(result.problems[0].reason), util::fold_case("Saldo_Inicial")));
}

}  // namespace
}  // namespace ledgernova::testing
