// The program's posting commands over the demo catalogue: init --demo, post, online, cancel, and
// show with electronic detail.

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <utility>

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

class CliPostingTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        const CliRun init = ledger({"--operator", "ana", "init", "--demo"});
        ASSERT_EQ(init.status, 0) << init.err;
    }

    CliRun post(const std::string& table, const std::string& document,
                const std::string& company = "01") {
        return ledger({"--operator", "ana", "post", table, document, "--company", company});
    }

    std::string vouchers() {
        return query(
            "SELECT Pl_Folio, Pl_Numero, Pl_Tipo, Pl_Fecha, Em_Cve_Empresa, Pl_Tabla, "
            "Pl_Documento, Pl_Referencia, Pl_Configuracion, Es_Cve_Estado FROM Poliza "
            "ORDER BY Pl_Folio");
    }

    std::string lines(const std::string& folio) {
        return query(
            "SELECT Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Centro_Costo, Pd_Concepto, Pd_Tipo, "
            "Pd_Importe FROM Poliza_Detalle WHERE Pl_Folio = '" +
            folio + "' ORDER BY Pd_ID");
    }

    std::string links() {
        return query(
            "SELECT Pl_Folio, Pc_Tabla, Pc_Documento, Oper_Alta, Es_Cve_Estado, Oper_Baja "
            "FROM Poliza_Control ORDER BY Pl_Folio");
    }
};

TEST_F(CliPostingTest, InitDemoLoadsTheCatalogueAndRunsAgainWithoutDoublingIt) {
    const std::string tables = scalar(
        "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'");
    const std::string counts =
        "SELECT (SELECT COUNT(*) FROM Empresa), (SELECT COUNT(*) FROM Cuenta_Contable), "
        "(SELECT COUNT(*) FROM Proveedor), (SELECT COUNT(*) FROM Compras), "
        "(SELECT COUNT(*) FROM Compras_Detalle), (SELECT COUNT(*) FROM Cheque), "
        "(SELECT COUNT(*) FROM Poliza_Configuracion), "
        "(SELECT COUNT(*) FROM Poliza_Configuracion_Detalle), "
        "(SELECT COUNT(*) FROM Poliza_Configuracion_Detalle_Electronico), "
        "(SELECT COUNT(*) FROM Parametro), (SELECT COUNT(*) FROM Poliza)";
    EXPECT_EQ(query(counts), "2|35|6|8|17|5|4|10|4|11|0\n");
    execute(
        "UPDATE Parametro SET Pa_Valor = '0.10' WHERE Pa_Nombre = 'CON_IMPORTE_MAXIMO_REDONDEO'");

    EXPECT_EQ(ledger({"init", "--demo"}),
              cli_ok("initialised ledger.db: 0 tables created, " + tables +
                     " already present\ndemo catalogue loaded: company 01, March 2024 "
                     "(`ledgernova demo` posts it)\n"));
    EXPECT_EQ(query(counts), "2|35|6|8|17|5|4|10|4|11|0\n");
    EXPECT_EQ(query("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = "
                    "'CON_IMPORTE_MAXIMO_REDONDEO'"),
              "0.10\n");
}

TEST_F(CliPostingTest, PostingANationalPurchaseStoresABalancedLinkedVoucherOnlyOnce) {
    ASSERT_EQ(post("Compras", "C-0001"),
              cli_ok("folio 0000000001 number 0000000001 template COM-NAC\n"));
    EXPECT_EQ(vouchers(),
              "0000000001|0000000001|3|2024-03-01|01|COMPRAS|C-0001|A-1523|COM-NAC|AC\n");
    // The three purchase lines are summed per account and cost centre; the zero discount is left
    // out.
    EXPECT_EQ(lines("0000000001"),
              "0001|6101-001|ADM|Compra A-1523 - Papelería y artículos de oficina|1|3750\n"
              "0002|6101-001|VTA|Compra A-1523 - Papelería y artículos de oficina|1|650\n"
              "0003|1180-001||IVA 16% factura A-1523|1|704\n"
              "0004|2101-001||Factura A-1523 Papelería La Estrella|2|5104\n");
    EXPECT_EQ(links(), "0000000001|COMPRAS|C-0001|ana|AC|NULL\n");
    EXPECT_EQ(unbalanced(), "");

    // Posting the same document again posts nothing and says what covers it.
    EXPECT_EQ(post("compras", "C-0001"),
              cli_ok("already posted: folio 0000000001 number 0000000001 template COM-NAC\n"));
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza"), "1\n");
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza_Control"), "1\n");
}

TEST_F(CliPostingTest, EachTemplateOfTheTableGivesItsOwnBalancedVoucher) {
    ASSERT_EQ(post("Compras", "C-0002").out,
              "folio 0000000001 number 0000000001 template COM-NAC\n");
    ASSERT_EQ(post("Compras", "C-0004").out,
              "folio 0000000002 number 0000000002 template COM-EXT\n");
    // A discount that is not zero becomes a line.
    EXPECT_EQ(lines("0000000001"),
              "0001|1150-001||Compra F-88120 - Inventario de mercancías|1|20000\n"
              "0002|1180-001||IVA 16% factura F-88120|1|3040\n"
              "0003|5102-001|ALM|Descuento factura F-88120|2|1000\n"
              "0004|2101-002||Factura F-88120 Distribuidora de Abarrotes Monterrey|2|22040\n");
    EXPECT_EQ(lines("0000000002"),
              "0001|1150-001||Compra INV-240308-17 - Inventario de mercancías|1|6740\n"
              "0002|6101-003|ADM|Compra INV-240308-17 - Licencias de software|1|13480\n"
              "0003|2102-001||Factura INV-240308-17 Tech Supplies Inc. USD 1200.00 TC "
              "16.8500|2|20220\n");
    EXPECT_EQ(unbalanced(), "");
    EXPECT_EQ(links(),
              "0000000001|COMPRAS|C-0002|ana|AC|NULL\n"
              "0000000002|COMPRAS|C-0004|ana|AC|NULL\n");
}

TEST_F(CliPostingTest, ADocumentPostsOnlyForItsOwnCompany) {
    EXPECT_EQ(post("Compras", "C-0008", "01"), cli_ok("nothing to post\n"));
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza"), "0\n");

    const CliRun own = post("Compras", "C-0008", "02");
    EXPECT_EQ(own.out, "folio 0000000001 number 0000000001 template COM-NAC\n");
    EXPECT_EQ(query("SELECT Em_Cve_Empresa FROM Poliza"), "02\n");
}

TEST_F(CliPostingTest, APaymentPostsWithItsChequeOrTransferDetail) {
    ASSERT_EQ(post("Cheque", "CH-0001").out,
              "folio 0000000001 number 0000000001 template CHQ-CHEQUE\n");
    ASSERT_EQ(post("Cheque", "CH-0004").out,
              "folio 0000000002 number 0000000002 template CHQ-TRANSF\n");
    EXPECT_EQ(lines("0000000001"),
              "0001|2101-001||Pago a Papelería La Estrella|1|5104\n"
              "0002|1102-001||Cheque 0004512 Papelería La Estrella, S.A. de C.V.|2|5104\n");
    EXPECT_EQ(query("SELECT Pl_Folio, Pd_ID, Pdc_Numero, Pdc_Banco_Emisor_Nacional, "
                    "Pdc_Cuenta_Origen, Pdc_Fecha, Pdc_Monto, Pdc_RFC FROM Poliza_Detalle_Cheque"),
              "0000000001|0002|0004512|012|0123456789|2024-03-05|5104|PES010203QW5\n");
    EXPECT_EQ(query("SELECT Pl_Folio, Pd_ID, Pdt_Banco_Origen_Nacional, Pdt_Cuenta_Origen, "
                    "Pdt_Banco_Destino_Nacional, Pdt_Banco_Destino_Extranjero, Pdt_RFC "
                    "FROM Poliza_Detalle_Transferencia"),
              "0000000002|0002|002|7003451288|999|Bank of America, N.A.|XEXX010101000\n");
    EXPECT_EQ(unbalanced(), "");
}

TEST_F(CliPostingTest, PostingWithABlankCompanyIsRefusedWithTheMembersError) {
    EXPECT_EQ(post("Compras", "C-0001", " "),
              cli_error(1,
                        "ledgernova: Compras C-0001 was not posted:\n"
                        "ledgerNova.dll - Genera_Poliza_Tabla()\r\nNo se especifico la empresa\n"));
    EXPECT_EQ(ledger({"post", "Compras", "C-0001"}).status, 2);
}

// Each row on a fresh demo ledger: the change that makes the library refuse the document part-way,
// and how its error begins.
TEST_F(CliPostingTest, ARefusedDocumentStopsThePostingAndLeavesNothingBehind) {
    const std::pair<const char*, const char*> rows[] = {
        {"UPDATE Proveedor_Datos SET Cc_Cve_Cuenta_Contable = '2101-999' "
         "WHERE Pv_Cve_Proveedor = 'P001'",
         "Error al agregar un registro a la póliza: \r\nledgerNova.dll - Add_Poliza_Detalle()\r\n"
         "La cuenta contable:2101-999, no existe\r\n"},
        {"UPDATE Compras SET Cm_UUID = '' WHERE Cm_Folio = 'C-0001'",
         "ledgerNova.dll - Genera_Poliza()\r\nNo se pudo ejecutar la consulta para el detalle!\r\n"
         "No se encontró la columna en el comando especificado o esta vacía:\r\n"
         "=> COLUMNA: UUID\r\n=> POLIZA: 0000000001\r\n=> ID: 0004\r\n=> TIPO: COMPROBANTE\r\n"}};
    for (const auto& [change, error] : rows) {
        SCOPED_TRACE(change);
        std::filesystem::remove(folder() / "ledger.db");
        ASSERT_EQ(ledger({"init", "--demo"}).status, 0);
        execute(change);
        const CliRun refused = post("Compras", "C-0001");
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.out, "");
        EXPECT_TRUE(refused.err.starts_with(
            std::string("ledgernova: Compras C-0001 was not posted:\n") + error))
            << refused.err;
        EXPECT_EQ(query("SELECT (SELECT COUNT(*) FROM Poliza), (SELECT COUNT(*) FROM "
                        "Poliza_Detalle), (SELECT COUNT(*) FROM Poliza_Detalle_Comprobante)"),
                  "0|0|0\n");
        EXPECT_EQ(links(), "");
    }
}

TEST_F(CliPostingTest, CancelByDocumentMarksVoucherAndLinksAndTheNextPostGeneratesItAnew) {
    // With no voucher in force, nothing is cancelled.
    EXPECT_EQ(ledger({"cancel", "--document", "Compras", "C-0001"}), cli_ok("nothing to cancel\n"));
    ASSERT_EQ(post("Compras", "C-0001").status, 0);
    ASSERT_EQ(ledger({"--operator", "luis", "cancel", "--document", "Compras", "C-0001"}),
              cli_ok("cancelled folio 0000000001 number 0000000001 template COM-NAC\n"));
    EXPECT_EQ(query("SELECT Es_Cve_Estado, Oper_Baja FROM Poliza"), "CA|luis\n");
    EXPECT_EQ(links(), "0000000001|COMPRAS|C-0001|ana|CA|luis\n");

    ASSERT_EQ(post("Compras", "C-0001"),
              cli_ok("folio 0000000002 number 0000000002 template COM-NAC\n"));
    EXPECT_EQ(lines("0000000002"), lines("0000000001"));
    EXPECT_EQ(links(),
              "0000000001|COMPRAS|C-0001|ana|CA|luis\n"
              "0000000002|COMPRAS|C-0001|ana|AC|NULL\n");
}

TEST_F(CliPostingTest, CancelByFolioCancelsOnceAndRefusesACancelledOrUnknownVoucher) {
    ASSERT_EQ(post("Cheque", "CH-0002").status, 0);
    EXPECT_EQ(ledger({"cancel", "0000000001"}), cli_ok("cancelled folio 0000000001\n"));
    EXPECT_EQ(query("SELECT Es_Cve_Estado FROM Poliza UNION ALL "
                    "SELECT Es_Cve_Estado FROM Poliza_Control"),
              "CA\nCA\n");

    EXPECT_EQ(ledger({"cancel", "0000000001"}),
              cli_error(1,
                        "ledgernova: voucher 0000000001 was not cancelled:\n"
                        "ledgerNova.dll - Cancelar_Poliza()\r\n"
                        "Imposible cancelar póliza desde el estado: CA\n"));
    EXPECT_EQ(ledger({"cancel", "0000000099"}),
              cli_error(1,
                        "ledgernova: voucher 0000000099 was not cancelled:\n"
                        "ledgerNova.dll - Cancelar_Poliza()\r\n"
                        "No se encontró la póliza especificada: 0000000099\n"));
}

TEST_F(CliPostingTest, CancelTakesEitherAFolioOrADocument) {
    EXPECT_EQ(ledger({"cancel"}).status, 2);
    EXPECT_EQ(ledger({"cancel", "0000000001", "--document", "Compras", "C-0001"}).status, 2);
    EXPECT_EQ(ledger({"cancel", "--document", "Compras"}).status, 2);
}

TEST_F(CliPostingTest, OnlineTellsWhichTablesPostOnLine) {
    EXPECT_EQ(ledger({"online", "Compras"}), cli_ok("Compras posts on line\n"));
    EXPECT_EQ(ledger({"online", "CHEQUE"}), cli_ok("CHEQUE posts on line\n"));
    EXPECT_EQ(ledger({"online", "Ventas"}), (CliRun{1, "Ventas does not post on line\n", ""}));

    execute(
        "UPDATE Poliza_Configuracion_Tabla SET Pc_Contabiliza_Linea = 'NO' "
        "WHERE Pc_Tabla = 'Cheque'");
    EXPECT_EQ(ledger({"online", "Cheque"}).out, "Cheque does not post on line\n");
    execute("DROP TABLE Poliza_Configuracion_Tabla");
    const CliRun broken = ledger({"online", "Compras"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_TRUE(
        broken.err.starts_with("ledgernova: could not tell whether Compras posts on line:\n"
                               "ledgerNova.dll - Contabiliza_En_Linea() \r\n"))
        << broken.err;
}

// The purchases again as a source table whose name has an accented capital when upper-cased, with
// a copy of the national purchase template: its links are stored as FACTURACIÓN.
class CliAccentedTableTest : public CliPostingTest {
  protected:
    void SetUp() override {
        CliPostingTest::SetUp();
        const auto renamed = [](const std::string& column) {
            return "replace(replace(" + column +
                   ", 'Compras.', 'Facturación.'), 'Compras INNER', 'Facturación INNER')";
        };
        execute("CREATE TABLE Facturación AS SELECT * FROM Compras");
        execute(
            "INSERT INTO Poliza_Configuracion_Tabla(Pc_Tabla, Pc_Modulo, Pc_Campo_Dia, "
            "Pc_Campo_Movimiento, Pc_Contabiliza_Linea, Pc_Modo_Contabiliza) VALUES("
            "'Facturación', 'COM', 'Facturación.Cm_Fecha', 'Facturación.Cm_Folio', 'SI', '')");
        execute(
            "INSERT INTO Poliza_Configuracion(Pc_Cve_Poliza_Configuracion, Pc_Descripcion, "
            "Pc_Tabla, Pc_Tipo, Pc_Referencia, Pc_Comentario, Pc_Relacion, "
            "Pc_Permitir_Importe_Cero, Es_Cve_Estado) SELECT 'FAC-NAC', Pc_Descripcion, "
            "'Facturación', Pc_Tipo, " +
            renamed("Pc_Referencia") + ", " + renamed("Pc_Comentario") + ", " +
            renamed("Pc_Relacion") +
            ", Pc_Permitir_Importe_Cero, Es_Cve_Estado FROM Poliza_Configuracion " + kNational);
        execute(
            "INSERT INTO Poliza_Configuracion_Condicion(Pc_Cve_Poliza_Configuracion, Pcc_ID, "
            "Pcc_Valor) SELECT 'FAC-NAC', Pcc_ID, " +
            renamed("Pcc_Valor") + " FROM Poliza_Configuracion_Condicion " + kNational);
        execute(
            "INSERT INTO Poliza_Configuracion_Detalle(Pc_Cve_Poliza_Configuracion, Pcd_ID, "
            "Pcd_Descripcion, Pcd_Cuenta_Contable, Pcd_Centro_Costo, Pcd_Concepto, "
            "Pcd_Referencia, Pcd_Cargo, Pcd_Abono, Pcd_Relacion, Pcd_Condicion) SELECT "
            "'FAC-NAC', Pcd_ID, Pcd_Descripcion, " +
            renamed("Pcd_Cuenta_Contable") + ", " + renamed("Pcd_Centro_Costo") + ", " +
            renamed("Pcd_Concepto") + ", " + renamed("Pcd_Referencia") + ", " +
            renamed("Pcd_Cargo") + ", " + renamed("Pcd_Abono") + ", " + renamed("Pcd_Relacion") +
            ", " + renamed("Pcd_Condicion") + " FROM Poliza_Configuracion_Detalle " + kNational);
        execute(
            "INSERT INTO Poliza_Configuracion_Detalle_Electronico(Pc_Cve_Poliza_Configuracion, "
            "Pcd_Id, Pcde_Id, Pcde_Tipo, Pcde_Comando) SELECT 'FAC-NAC', Pcd_Id, Pcde_Id, "
            "Pcde_Tipo, " +
            renamed("Pcde_Comando") + " FROM Poliza_Configuracion_Detalle_Electronico " +
            kNational);
    }

    static constexpr const char* kNational = "WHERE Pc_Cve_Poliza_Configuracion = 'COM-NAC'";
};

TEST_F(CliAccentedTableTest, PostsOnceIsCancelledByDocumentAndPostsOnLineInAnyCase) {
    ASSERT_EQ(post("Facturación", "C-0001"),
              cli_ok("folio 0000000001 number 0000000001 template FAC-NAC\n"));
    EXPECT_EQ(vouchers(),
              "0000000001|0000000001|3|2024-03-01|01|FACTURACIÓN|C-0001|A-1523|FAC-NAC|AC\n");
    EXPECT_EQ(links(), "0000000001|FACTURACIÓN|C-0001|ana|AC|NULL\n");
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza_Detalle_Comprobante"), "1\n");
    EXPECT_EQ(unbalanced(), "");

    EXPECT_EQ(post("FACTURACIÓN", "C-0001"),
              cli_ok("already posted: folio 0000000001 number 0000000001 template FAC-NAC\n"));
    EXPECT_EQ(query("SELECT COUNT(*) FROM Poliza"), "1\n");

    for (const char* table : {"FACTURACIÓN", "facturación", "Facturación"}) {
        EXPECT_EQ(ledger({"online", table}), cli_ok(std::string(table) + " posts on line\n"));
    }

    ASSERT_EQ(ledger({"--operator", "luis", "cancel", "--document", "Facturación", "C-0001"}),
              cli_ok("cancelled folio 0000000001 number 0000000001 template FAC-NAC\n"));
    EXPECT_EQ(links(), "0000000001|FACTURACIÓN|C-0001|ana|CA|luis\n");
    EXPECT_EQ(query("SELECT Es_Cve_Estado FROM Poliza"), "CA\n");
}

TEST_F(CliPostingTest, ShowPrintsEachLinesElectronicDetail) {
    ASSERT_EQ(post("Compras", "C-0001").status, 0);
    const CliRun shown = ledger({"show", "0000000001"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const std::string section =
        "                                                                               Totals     "
        "5104.00  5104.00\n"
        "\n"
        "Electronic detail\n"
        "Line 0004: Poliza_Detalle_Comprobante 0001\n"
        "  Pdc_UUID         2E2B919E-A148-42BE-B131-B2BFC03DB526\n"
        "  Pdc_Monto        5104\n"
        "  Pdc_RFC          PES010203QW5\n"
        "  Pdc_Moneda       MXN\n"
        "  Pdc_Metodo_Pago  PPD\n"
        "  Pdc_Tipo_Cambio  1\n";
    EXPECT_TRUE(shown.out.ends_with(section)) << shown.out;

    const auto document = nlohmann::json::parse(ledger({"show", "0000000001", "--json"}).out);
    ASSERT_EQ(document["lines"].size(), 4U);
    EXPECT_EQ(document["lines"][0]["electronic"], nlohmann::json::array());
    const auto& electronic = document["lines"][3]["electronic"];
    ASSERT_EQ(electronic.size(), 1U);
    EXPECT_EQ(electronic[0]["table"], "Poliza_Detalle_Comprobante");
    EXPECT_EQ(electronic[0]["Pd_ID"], "0004");
    EXPECT_EQ(electronic[0]["Pdc_UUID"], "2E2B919E-A148-42BE-B131-B2BFC03DB526");
    EXPECT_EQ(electronic[0]["Pdc_Monto"], 5104);

    // Without electronic detail there is no such section.
    execute("DELETE FROM Poliza_Detalle_Comprobante");
    const CliRun plain = ledger({"show", "0000000001"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out.find("Electronic detail"), std::string::npos);
    EXPECT_TRUE(plain.out.ends_with("Totals     5104.00  5104.00\n")) << plain.out;
}

}  // namespace
}  // namespace ledgernova::testing
