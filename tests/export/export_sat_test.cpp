// The vouchers of a month as PolizasPeriodo 1.3 XML: what goes in, in which order and form, and
// that libxml2 finds every exported document valid against the published schema.

#include <string>

#include "export/export_fixture.h"

namespace ledgernova::testing {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// The opening tag of the document for the fixture's request of the given month.
std::string root_open(const std::string& month = "03") {
    return "<PLZ:Polizas"
           " xmlns:PLZ=\"http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/PolizasPeriodo\""
           " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
           " xsi:schemaLocation=\"http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/PolizasPeriodo"
           " http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/PolizasPeriodo/"
           "PolizasPeriodo_1_3.xsd\""
           " Version=\"1.3\" RFC=\"LNO010101AB1\" Mes=\"" +
           month + "\" Anio=\"2024\" TipoSolicitud=\"AF\" NumOrden=\"ABC1234567/24\">\n";
}

// The NumUnIdenPol of every Poliza of the document, in order, separated by blanks.
std::string identifiers(const std::string& xml) {
    std::string found;
    const std::string marker = "NumUnIdenPol=\"";
    for (auto at = xml.find(marker); at != std::string::npos; at = xml.find(marker, at)) {
        at += marker.size();
        found += (found.empty() ? "" : " ") + xml.substr(at, xml.find('"', at) - at);
    }
    return found;
}

class ExportSatTest : public ExportSatFixture {
  protected:
    void SetUp() override {
        LEDGERNOVA_REQUIRE_SAT_SCHEMA();
        ExportSatFixture::SetUp();
    }

    // The export of the request, which must succeed, find nothing and validate.
    std::string exported(const ExportRequest& asked) {
        const ExportResult result = run(asked);
        EXPECT_TRUE(result.ok) << described(result);
        EXPECT_EQ(described(result), "");
        EXPECT_EQ(schema_errors(result.xml), "") << result.xml;
        return result.xml;
    }
};

TEST_F(ExportSatTest, EachDetailKindBecomesItsElementInTheSchemasOrder) {
    voucher("0000000001", 2, "0000000015", "2024-03-15", "Pago a proveedores");
    line("0000000001", "0001", "6101", 1, "1500", "Compra de papelería");
    line("0000000001", "0002", "1101", 2, "1500", "Pago con cheque");
    // Written in the reverse of the schema's order, the second cheque before the first.
    detail("Poliza_Detalle_Otro_Metodo_Pago", "0000000001", "0001", "0001");
    detail("Poliza_Detalle_Transferencia", "0000000001", "0001", "0001");
    detail("Poliza_Detalle_Cheque", "0000000001", "0001", "0002", {{"Pdc_Numero", "'000124'"}});
    detail("Poliza_Detalle_Cheque", "0000000001", "0001", "0001");
    detail("Poliza_Detalle_Comprobante_extranjero", "0000000001", "0001", "0001");
    detail("Poliza_Detalle_Comprobante_Nacional_Otro", "0000000001", "0001", "0001");
    detail("Poliza_Detalle_Comprobante", "0000000001", "0001", "0001");

    EXPECT_EQ(
        exported(request()),
        kDeclaration + root_open() +
            "  <PLZ:Poliza NumUnIdenPol=\"2-0000000015\" Fecha=\"2024-03-15\" "
            "Concepto=\"Pago a proveedores\">\n"
            "    <PLZ:Transaccion NumCta=\"6101\" DesCta=\"Gastos generales\" "
            "Concepto=\"Compra de papelería\" Debe=\"1500.00\" Haber=\"0.00\">\n"
            "      <PLZ:CompNal UUID_CFDI=\"6F9619FF-8B86-D011-B42D-00C04FC964FF\" "
            "RFC=\"AAA010101AAA\" MontoTotal=\"1160.00\"/>\n"
            "      <PLZ:CompNalOtr CFD_CBB_Serie=\"A\" CFD_CBB_NumFol=\"0457\" "
            "RFC=\"BBB020202BB2\" MontoTotal=\"580.50\"/>\n"
            "      <PLZ:CompExt NumFactExt=\"INV-2024-77\" TaxID=\"94-1234567\" "
            "MontoTotal=\"300.00\" Moneda=\"USD\" TipCamb=\"17.0512\"/>\n"
            "      <PLZ:Cheque Num=\"000123\" BanEmisNal=\"002\" CtaOri=\"0123456789\" "
            "Fecha=\"2024-03-15\" Benef=\"Papelería O'Brien &amp; Hijos\" RFC=\"POB850101AB1\" "
            "Monto=\"1500.00\"/>\n"
            "      <PLZ:Cheque Num=\"000124\" BanEmisNal=\"002\" CtaOri=\"0123456789\" "
            "Fecha=\"2024-03-15\" Benef=\"Papelería O'Brien &amp; Hijos\" RFC=\"POB850101AB1\" "
            "Monto=\"1500.00\"/>\n"
            "      <PLZ:Transferencia CtaOri=\"012180001234567890\" BancoOriNal=\"012\" "
            "CtaDest=\"072180009876543210\" BancoDestNal=\"072\" Fecha=\"2024-03-16\" "
            "Benef=\"Transportes del Norte\" RFC=\"TNO900315XY9\" Monto=\"2000.00\" "
            "Moneda=\"MXN\"/>\n"
            "      <PLZ:OtrMetodoPago MetPagoPol=\"01\" Fecha=\"2024-03-17\" Benef=\"Caja chica\" "
            "RFC=\"XAXX010101000\" Monto=\"99.99\"/>\n"
            "    </PLZ:Transaccion>\n"
            "    <PLZ:Transaccion NumCta=\"1101\" DesCta=\"Bancos\" Concepto=\"Pago con cheque\" "
            "Debe=\"0.00\" Haber=\"1500.00\"/>\n"
            "  </PLZ:Poliza>\n"
            "</PLZ:Polizas>\n");
}

TEST_F(ExportSatTest, AVoucherWithoutDetailHasBareTransactions) {
    voucher("0000000001", 3, "0000000001", "2024-03-01", "Provisión de renta");
    line("0000000001", "0001", "6101", 1, "8000.5", "Renta de marzo");
    line("0000000001", "0002", "2101", 2, "8000.5", "Renta por pagar");

    EXPECT_EQ(exported(request()),
              kDeclaration + root_open() +
                  "  <PLZ:Poliza NumUnIdenPol=\"3-0000000001\" Fecha=\"2024-03-01\" "
                  "Concepto=\"Provisión de renta\">\n"
                  "    <PLZ:Transaccion NumCta=\"6101\" DesCta=\"Gastos generales\" "
                  "Concepto=\"Renta de marzo\" Debe=\"8000.50\" Haber=\"0.00\"/>\n"
                  "    <PLZ:Transaccion NumCta=\"2101\" DesCta=\"Proveedores\" "
                  "Concepto=\"Renta por pagar\" Debe=\"0.00\" Haber=\"8000.50\"/>\n"
                  "  </PLZ:Poliza>\n"
                  "</PLZ:Polizas>\n");
}

TEST_F(ExportSatTest, CancelledVouchersAndOtherPeriodsAndCompaniesAreLeftOut) {
    simple_voucher("0000000001", 2, "0000000001", "2024-03-05");
    simple_voucher("0000000002", 2, "0000000002", "2024-03-06", {{"Es_Cve_Estado", "'CA'"}});
    simple_voucher("0000000003", 2, "0000000003", "2024-03-07", {{"Es_Cve_Estado", "'PD'"}});
    simple_voucher("0000000004", 2, "0000000001", "2024-04-01");
    simple_voucher("0000000005", 2, "0000000001", "2023-03-01");
    simple_voucher("0000000006", 2, "0000000004", "2024-03-08", {{"Em_Cve_Empresa", "'002'"}});

    EXPECT_EQ(identifiers(exported(request())), "2-0000000001 2-0000000003");
}

TEST_F(ExportSatTest, PeriodThirteenGoesWithDecemberUnderItsOwnIdentifier) {
    simple_voucher("0000000001", 3, "0000000001", "2024-12-20");
    simple_voucher("0000000002", 3, "0000000001", "2024-12-31", {{"Pl_Periodo", "'13'"}});
    simple_voucher("0000000003", 3, "0000000001", "2024-11-30");

    EXPECT_EQ(identifiers(exported(request(2024, 12))), "3-0000000001 3-0000000001-13");
    EXPECT_EQ(identifiers(exported(request(2024, 11))), "3-0000000001");
}

TEST_F(ExportSatTest, VouchersGoByDateTypeAndNumberAndLinesByTheirId) {
    simple_voucher("0000000001", 3, "0000000002", "2024-03-10");
    simple_voucher("0000000002", 2, "0000000009", "2024-03-10");
    simple_voucher("0000000003", 3, "0000000001", "2024-03-10");
    simple_voucher("0000000004", 1, "0000000001", "2024-03-20");
    simple_voucher("0000000005", 1, "0000000002", "2024-03-02");
    voucher("0000000006", 1, "0000000003", "2024-03-25", "Cobro");
    line("0000000006", "0003", "1101", 1, "3", "tercera");
    line("0000000006", "0001", "1101", 1, "1", "primera");
    line("0000000006", "0002", "1101", 2, "4", "segunda");
    line("0000000006", "10000", "1101", 2, "5", "quinta");
    line("0000000006", "9999", "1101", 1, "5", "cuarta");

    const std::string xml = exported(request());
    EXPECT_EQ(identifiers(xml),
              "1-0000000002 2-0000000009 3-0000000001 3-0000000002 1-0000000001 1-0000000003");
    std::size_t before = 0;
    for (const char* text : {"primera", "segunda", "tercera", "cuarta", "quinta"}) {
        EXPECT_LT(before, xml.find(text)) << text;
        before = xml.find(text);
    }
}

TEST_F(ExportSatTest, AmountsHaveTwoDecimalsAndRatesUpToFive) {
    voucher("0000000001", 2, "0000000001", "2024-03-15", "Importación");
    line("0000000001", "0001", "6101", 1, "1234.567", "Mercancía");
    line("0000000001", "0002", "1101", 2, "1234.567", "Pago");
    detail("Poliza_Detalle_Comprobante_extranjero", "0000000001", "0001", "0001",
           {{"Pdce_Monto", "72.004"}, {"Pdce_Tipo_Cambio", "17.123456"}});
    detail("Poliza_Detalle_Comprobante_extranjero", "0000000001", "0001", "0002",
           {{"Pdce_Moneda", "'EUR'"}, {"Pdce_Tipo_Cambio", "20"}, {"Pdce_Tax_Id", "''"}});

    const std::string xml = exported(request());
    EXPECT_TRUE(contains(xml, "Debe=\"1234.57\" Haber=\"0.00\""));
    EXPECT_TRUE(contains(xml, "MontoTotal=\"72.00\" Moneda=\"USD\" TipCamb=\"17.12346\""));
    EXPECT_TRUE(contains(xml,
                         "<PLZ:CompExt NumFactExt=\"INV-2024-77\" MontoTotal=\"300.00\" "
                         "Moneda=\"EUR\" TipCamb=\"20\"/>"));
}

TEST_F(ExportSatTest, NationalCurrencyTakesNoRateAndNoCurrencyTakesNeither) {
    paid_voucher();
    detail("Poliza_Detalle_Otro_Metodo_Pago", "0000000001", "0001", "0001",
           {{"Pdo_Moneda", "'MXN'"}, {"Pdo_Tipo_Cambio", "1"}});
    detail("Poliza_Detalle_Otro_Metodo_Pago", "0000000001", "0001", "0002",
           {{"Pdo_Moneda", "''"}, {"Pdo_Tipo_Cambio", "18.5"}});

    const std::string xml = exported(request());
    EXPECT_TRUE(contains(xml, "Monto=\"99.99\" Moneda=\"MXN\"/>"));
    EXPECT_TRUE(contains(xml, "RFC=\"XAXX010101000\" Monto=\"99.99\"/>"));
    EXPECT_EQ(xml.find("TipCamb"), std::string::npos) << xml;
}

TEST_F(ExportSatTest, ConceptsFallBackToTheReferenceThenToTheVoucher) {
    voucher("0000000001", 1, "0000000007", "2024-03-15", "", {{"Pl_Referencia", "'FAC-88'"}});
    line("0000000001", "0001", "1101", 1, "10", "", {{"Pd_Referencia", "'DEP-1'"}});
    line("0000000001", "0002", "2101", 2, "10", "");
    voucher("0000000002", 3, "0000000003", "2024-03-16", "");
    line("0000000002", "0001", "1101", 1, "10", "");
    line("0000000002", "0002", "2101", 2, "10", "Ajuste");

    const std::string xml = exported(request());
    EXPECT_TRUE(
        contains(xml, "NumUnIdenPol=\"1-0000000007\" Fecha=\"2024-03-15\" Concepto=\"FAC-88\""));
    EXPECT_TRUE(contains(xml, "NumCta=\"1101\" DesCta=\"Bancos\" Concepto=\"DEP-1\""));
    EXPECT_TRUE(contains(xml, "NumCta=\"2101\" DesCta=\"Proveedores\" Concepto=\"FAC-88\""));
    EXPECT_TRUE(contains(xml,
                         "NumUnIdenPol=\"3-0000000003\" Fecha=\"2024-03-16\" "
                         "Concepto=\"Póliza de diario 0000000003\""));
    EXPECT_TRUE(contains(xml, "Concepto=\"Póliza de diario 0000000003\" Debe=\"10.00\""));
}

TEST_F(ExportSatTest, RequestsForARefundCarryTheProcedureNumber) {
    simple_voucher("0000000001", 2, "0000000001", "2024-03-05");
    ExportRequest asked = request();
    asked.request_type = "DE";
    asked.order_number.clear();
    asked.procedure_number = "AB123456789012";

    const std::string xml = exported(asked);
    EXPECT_TRUE(contains(xml, "TipoSolicitud=\"DE\" NumTramite=\"AB123456789012\">"));
    EXPECT_EQ(xml.find("NumOrden"), std::string::npos);
}

TEST_F(ExportSatTest, TaxpayerCodesWithEnyeAndAmpersandAreAccepted) {
    paid_voucher();
    detail("Poliza_Detalle_Cheque", "0000000001", "0001", "0001", {{"Pdc_RFC", "'ÑA&850101AB1'"}});
    ExportRequest asked = request();
    asked.rfc = "A&Ñ010101AB1";

    const std::string xml = exported(asked);
    EXPECT_TRUE(contains(xml, "RFC=\"ÑA&amp;850101AB1\""));
}

TEST_F(ExportSatTest, StoredTimesOfDayAreDroppedFromDates) {
    voucher("0000000001", 2, "0000000001", "2024-03-05 13:45:00", "Pago", {{"Pl_Periodo", "'03'"}});
    line("0000000001", "0001", "1101", 2, "10", "Pago");
    line("0000000001", "0002", "6101", 1, "10", "Gasto");
    detail("Poliza_Detalle_Cheque", "0000000001", "0001", "0001",
           {{"Pdc_Fecha", "'2024-03-05 00:00:00'"}});

    const std::string xml = exported(request());
    EXPECT_TRUE(contains(xml, "NumUnIdenPol=\"2-0000000001\" Fecha=\"2024-03-05\""));
    EXPECT_TRUE(contains(xml, "CtaOri=\"0123456789\" Fecha=\"2024-03-05\""));
}

TEST_F(ExportSatTest, NothingIsWrittenToTheLedger) {
    if (ledger_.on_server()) {
        GTEST_SKIP() << "total_changes() is SQLite's";
    }
    simple_voucher("0000000001", 2, "0000000001", "2024-03-05");
    detail("Poliza_Detalle_Cheque", "0000000001", "0002", "0001");
    const std::string before = ledger_.rows("SELECT total_changes()");

    (void)exported(request());
    ExportRequest refused = request();
    refused.rfc = "bad";
    EXPECT_FALSE(run(refused).ok);

    EXPECT_EQ(ledger_.rows("SELECT total_changes()"), before);
    EXPECT_EQ(ledger_.direct().TransactionDepth(), 0);
}

}  // namespace
}  // namespace ledgernova::testing
