// What the export refuses before writing: every value the schema or its catalogues would reject,
// reported one problem a line, and no document unless the export is forced. Each refused case
// is also forced and handed to libxml2, which must reject the document too: the check stands in
// for the schema, not for a guess about it.

#include <string>

#include "export/export_fixture.h"

namespace ledgernova::testing {
namespace {

constexpr const char* kBadRfc =
    "not a valid RFC: 3 or 4 capitals (A-Z, Ñ, &), a date yymmdd and up to 3 capitals or digits, "
    "12 or 13 characters";
constexpr const char* kNoBank = "not a bank code of the c_Banco catalogue";

class ExportSatCheckTest : public ExportSatFixture {
  protected:
    void SetUp() override {
        LEDGERNOVA_REQUIRE_SAT_SCHEMA();
        ExportSatFixture::SetUp();
    }

    // The problems of a refused export, one a line; the same export forced (kept in forced_) must
    // write a document that the schema refuses as well.
    std::string refused(ExportRequest asked) {
        std::string problems = rejected(run(asked));
        asked.force = true;
        forced_ = run(asked);
        EXPECT_TRUE(forced_.ok);
        EXPECT_EQ(described(forced_), problems);
        EXPECT_NE(schema_errors(forced_.xml), "") << forced_.xml;
        return problems;
    }

    // The problems of an export that must be refused without a document.
    static std::string rejected(const ExportResult& result) {
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.xml, "");
        return described(result);
    }

    ExportResult forced_;
};

TEST_F(ExportSatCheckTest, RefusesBadTaxpayerCodesUuidsAndBankCodes) {
    paid_voucher();
    detail("Poliza_Detalle_Comprobante", "0000000001", "0001", "0001",
           {{"Pdc_UUID", "'6F9619FF-8B86-D011-B42D-00C04FC964F'"}, {"Pdc_RFC", "'aaa010101aaa'"}});
    detail("Poliza_Detalle_Cheque", "0000000001", "0002", "0001",
           {{"Pdc_Banco_Emisor_Nacional", "'077'"}});
    detail("Poliza_Detalle_Transferencia", "0000000001", "0002", "0001",
           {{"Pdt_Banco_Destino_Nacional", "'72'"}, {"Pdt_RFC", "'TNO9A0315XY9'"}});

    EXPECT_EQ(refused(request()),
              std::string("folio 0000000001, line 0001, CompNal 0001, UUID_CFDI "
                          "\"6F9619FF-8B86-D011-B42D-00C04FC964F\": not a UUID: 36 characters, "
                          "hexadecimal digits 8-4-4-4-12\n") +
                  "folio 0000000001, line 0001, CompNal 0001, RFC \"aaa010101aaa\": " + kBadRfc +
                  "\n"
                  "folio 0000000001, line 0002, Cheque 0001, BanEmisNal \"077\": " +
                  kNoBank +
                  "\n"
                  "folio 0000000001, line 0002, Transferencia 0001, BancoDestNal \"72\": " +
                  kNoBank +
                  "\n"
                  "folio 0000000001, line 0002, Transferencia 0001, RFC \"TNO9A0315XY9\": " +
                  kBadRfc + "\n");
    // Forced, the document carries the refused values as they are.
    EXPECT_TRUE(contains(forced_.xml, "<PLZ:Cheque Num=\"000123\" BanEmisNal=\"077\""));
    EXPECT_TRUE(contains(schema_errors(forced_.xml), "BanEmisNal"));
}

TEST_F(ExportSatCheckTest, RefusesWhatTheRequestGetsWrong) {
    simple_voucher("0000000001", 2, "0000000001", "2024-03-05");
    ExportRequest asked = request(2014, 13);
    asked.rfc = "LNO010101";
    asked.order_number = "ABC123/24";

    EXPECT_EQ(refused(asked),
              std::string("Polizas, RFC \"LNO010101\": ") + kBadRfc +
                  "\n"
                  "Polizas, Mes \"13\": not a month from 01 to 12\n"
                  "Polizas, Anio \"2014\": not a year from 2015 to 2099\n"
                  "Polizas, NumOrden \"ABC123/24\": not an order number: 3 capitals, 7 digits, "
                  "'/', 2 digits\n"
                  "Polizas: no voucher to deliver: the period has none that is not cancelled\n");
}

TEST_F(ExportSatCheckTest, RefusesOrderAndProcedureNumbersOfTheWrongRequestType) {
    simple_voucher("0000000001", 2, "0000000001", "2024-03-05");
    const struct {
        const char *type, *order, *procedure, *problems;
    } rows[] = {
        {"CO", "ABC1234567/24", "",
         "Polizas, NumOrden \"ABC1234567/24\": only goes with request type AF or FC\n"
         "Polizas, NumTramite \"\": required with request type DE or CO\n"},
        {"FC", "", "", "Polizas, NumOrden \"\": required with request type AF or FC\n"},
        {"DE", "", "AB12345",
         "Polizas, NumTramite \"AB12345\": not a procedure number: 2 capitals and 12 digits\n"},
        {"XX", "", "", "Polizas, TipoSolicitud \"XX\": not a request type: AF, FC, DE or CO\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.type);
        ExportRequest asked = request();
        asked.request_type = row.type;
        asked.order_number = row.order;
        asked.procedure_number = row.procedure;
        EXPECT_EQ(refused(asked), row.problems);
    }
}

TEST_F(ExportSatCheckTest, RefusesEmptyRequiredValuesValuesOutsideCataloguesAndLongValues) {
    if (ledger_.on_server()) {
        GTEST_SKIP()
            << "a server refuses text such as 'mucho' in an amount column before the export can";
    }
    paid_voucher();
    detail("Poliza_Detalle_Comprobante", "0000000001", "0001", "0001",
           {{"Pdc_Moneda", "'USD'"}, {"Pdc_Tipo_Cambio", "-1"}});
    detail("Poliza_Detalle_Comprobante_Nacional_Otro", "0000000001", "0001", "0001",
           {{"Pdco_Serie", "'a1'"}, {"Pdco_Folio", "'0'"}});
    detail("Poliza_Detalle_Comprobante_extranjero", "0000000001", "0001", "0001",
           {{"Pdce_Numero_Factura", quoted(std::string(37, 'N'))}, {"Pdce_Moneda", "'usd'"}});
    detail("Poliza_Detalle_Cheque", "0000000001", "0002", "0001", {{"Pdc_Beneficiario", "''"}});
    detail("Poliza_Detalle_Transferencia", "0000000001", "0002", "0001",
           {{"Pdt_Fecha", "'2024-02-30'"}, {"Pdt_Cuenta_Destino", "''"}});
    detail("Poliza_Detalle_Otro_Metodo_Pago", "0000000001", "0002", "0001",
           {{"Pdo_Metodo_Pago", "'1'"}, {"Pdo_Monto", "'mucho'"}});

    EXPECT_EQ(refused(request()),
              "folio 0000000001, line 0001, CompNal 0001, TipCamb \"-1\": not an exchange rate: "
              "from 0, up to five decimals\n"
              "folio 0000000001, line 0001, CompNalOtr 0001, CFD_CBB_Serie \"a1\": not a series "
              "of 1 to 10 capitals A-Z\n"
              "folio 0000000001, line 0001, CompNalOtr 0001, CFD_CBB_NumFol \"0\": not a whole "
              "number from 1, up to 20 digits\n"
              "folio 0000000001, line 0001, CompExt 0001, NumFactExt \"" +
                  std::string(37, 'N') +
                  "\": longer than 36 characters (has 37)\n"
                  "folio 0000000001, line 0001, CompExt 0001, Moneda \"usd\": not a currency code "
                  "of the c_Moneda catalogue\n"
                  "folio 0000000001, line 0002, Cheque 0001, Benef \"\": required, but empty\n"
                  "folio 0000000001, line 0002, Transferencia 0001, CtaDest \"\": required, but "
                  "empty\n"
                  "folio 0000000001, line 0002, Transferencia 0001, Fecha \"2024-02-30\": not a "
                  "date YYYY-MM-DD\n"
                  "folio 0000000001, line 0002, OtrMetodoPago 0001, MetPagoPol \"1\": not a "
                  "payment method of the c_MetPagos catalogue\n"
                  "folio 0000000001, line 0002, OtrMetodoPago 0001, Monto \"mucho\": not an "
                  "amount with two decimals\n");
}

// Each column of each detail table emptied in turn: the check refuses exactly when the schema
// refuses the forced document, so required and optional attributes are told apart as it does.
TEST_F(ExportSatCheckTest, AgreesWithTheSchemaOnEveryEmptiedDetailColumn) {
    if (ledger_.on_server()) {
        GTEST_SKIP() << "a server refuses an empty text in an amount column before the export can";
    }
    paid_voucher();
    for (const auto& [table, kind] : detail_tables()) {
        for (const auto& [column, value] : kind.valid) {
            ledger_.direct().Execute("DELETE FROM " + table);
            detail(table, "0000000001", "0001", "0001", {{column, "''"}});
            ExportRequest asked = request();
            const bool accepted = run(asked).ok;
            asked.force = true;
            const std::string errors = schema_errors(run(asked).xml);
            EXPECT_EQ(accepted, errors.empty()) << table << "." << column << " emptied: " << errors;
        }
        ledger_.direct().Execute("DELETE FROM " + table);
    }
}

TEST_F(ExportSatCheckTest, RefusesLinesWhoseAccountOrMovementIsUnknown) {
    account("6102", std::string(101, 'd'));
    voucher("0000000001", 3, "0000000002", "2024-03-15", "Reclasificación");
    line("0000000001", "0001", "9999", 1, "10", "Cuenta dada de baja");
    line("0000000001", "0002", "6102", 3, "10", "Movimiento raro");

    EXPECT_EQ(refused(request()),
              "folio 0000000001, Poliza: the voucher does not balance: charges 10.00, credits "
              "0.00\n"
              "folio 0000000001, line 0001, Transaccion, DesCta \"\": the account is not in the "
              "chart of accounts (Cuenta_Contable)\n"
              "folio 0000000001, line 0002, Transaccion, DesCta \"" +
                  std::string(101, 'd') +
                  "\": longer than 100 characters (has 101)\n"
                  "folio 0000000001, line 0002, Transaccion, Debe \"10.00\": the line's movement "
                  "Pd_Tipo = 3 is neither a charge (1) nor a credit (2)\n");
}

TEST_F(ExportSatCheckTest, RefusesAVoucherConceptTooLongAndReportsItOnOneLine) {
    const std::string comment = "Cierre\n" + std::string(294, 'c');
    voucher("0000000001", 3, "0000000002", "2024-03-15", comment);
    line("0000000001", "0001", "6101", 1, "10", "Cierre");
    line("0000000001", "0002", "1101", 2, "10", "Cierre");

    EXPECT_EQ(refused(request()), "folio 0000000001, Poliza, Concepto \"Cierre\\n" +
                                      std::string(294, 'c') +
                                      "\": longer than 300 characters (has 301)\n");
}

TEST_F(ExportSatCheckTest, RefusesAVoucherWithoutLines) {
    voucher("0000000001", 3, "0000000002", "2024-03-15", "Sin movimientos");

    EXPECT_EQ(refused(request()),
              "folio 0000000001, Poliza: a voucher without lines: the schema wants one "
              "Transaccion at least\n");
}

// A voucher written around the component, or by a caller that added lines one by one and never
// balanced it, is not delivered as if it were sound.
TEST_F(ExportSatCheckTest, RefusesAVoucherThatDoesNotBalance) {
    simple_voucher("0000000001", 2, "0000000001", "2024-03-05");
    voucher("0000000002", 3, "0000000002", "2024-03-15", "Descuadrada");
    line("0000000002", "0001", "6101", 1, "100.10");
    line("0000000002", "0002", "1101", 2, "100");

    EXPECT_EQ(rejected(run(request())),
              "folio 0000000002, Poliza: the voucher does not balance: charges 100.10, credits "
              "100.00\n");
}

TEST_F(ExportSatCheckTest, RefusesAMonthWithoutVouchers) {
    simple_voucher("0000000001", 2, "0000000001", "2024-03-05", {{"Es_Cve_Estado", "'CA'"}});

    EXPECT_EQ(refused(request()),
              "Polizas: no voucher to deliver: the period has none that is not cancelled\n");
}

TEST_F(ExportSatCheckTest, RefusesTwoVouchersThatWouldShareAnIdentifier) {
    simple_voucher("0000000001", 2, "0000000001", "2024-03-05");
    simple_voucher("0000000002", 2, "0000000001", "2024-03-06");

    EXPECT_EQ(rejected(run(request())),
              "folio 0000000002, Poliza, NumUnIdenPol \"2-0000000001\": the voucher with folio "
              "0000000001 has the same identifier\n");
}

TEST_F(ExportSatCheckTest, RefusesTextThatXmlCannotCarry) {
    if (ledger_.on_server()) {
        GTEST_SKIP() << "char() and blob literals are SQLite's";
    }
    paid_voucher();
    detail("Poliza_Detalle_Cheque", "0000000001", "0002", "0001",
           {{"Pdc_Beneficiario", "'Caja' || char(1)"}});
    detail("Poliza_Detalle_Cheque", "0000000001", "0002", "0002",
           {{"Pdc_Beneficiario", "CAST(X'4361C3' AS TEXT)"}});

    EXPECT_EQ(rejected(run(request())),
              "folio 0000000001, line 0002, Cheque 0001, Benef \"Caja\\x01\": holds the control "
              "character U+0001, which XML cannot carry\n"
              "folio 0000000001, line 0002, Cheque 0002, Benef \"Ca\xC3\": not valid UTF-8 text\n");
}

TEST_F(ExportSatCheckTest, ALedgerThatCannotBeReadIsReportedNotThrown) {
    const auto empty = db::open_sqlite(":memory:");

    EXPECT_EQ(rejected(export_polizas_periodo(*empty, request())),
              "the export failed: no such table: Poliza\n");
}

}  // namespace
}  // namespace ledgernova::testing
