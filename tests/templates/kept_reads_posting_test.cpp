#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/host_wrappers.h"
#include "templates/purchases_ledger.h"

namespace ledgernova::testing {
namespace {

// The reads of the template configuration and the account catalogue, by how they begin.
const std::vector<std::string> kConfigurationReads = {
    "SELECT    Poliza_Configuracion.Pc_Cve_Poliza_Configuracion,",
    "SELECT * FROM Poliza_Configuracion_Condicion ",
    "SELECT    Poliza_Configuracion_Tabla.Pc_Modulo,",
    "SELECT    Poliza_Configuracion.Pc_Descripcion,",
    "SELECT    Poliza_Configuracion_Detalle.Pcd_ID,",
    "SELECT   Pcde_Id,",
    "SELECT Cc_Registro,Cc_Resultado ",
};

class KeptReadsPostingTest : public PurchasesLedger {
  protected:
    explicit KeptReadsPostingTest(bool on_disk = false) : PurchasesLedger(on_disk) {}

    // How many statements of the last posting begin with `prefix`.
    long begin_with(const std::string& prefix) {
        return std::ranges::count_if(
            statements(), [&](const std::string& text) { return text.starts_with(prefix); });
    }
    long configuration_reads() {
        long reads = 0;
        for (const auto& prefix : kConfigurationReads) {
            reads += begin_with(prefix);
        }
        return reads;
    }
    bool post_recorded(const std::string& folio, const std::string& empresa = "01") {
        ledger.recorder().clear();
        return post(folio, empresa);
    }
    // The recorded statements that hold `text`.
    std::vector<std::string> recorded(const std::string& text) {
        std::vector<std::string> found;
        std::ranges::copy_if(statements(), std::back_inserter(found), [&](const std::string& s) {
            return s.find(text) != std::string::npos;
        });
        return found;
    }
};

TEST_F(KeptReadsPostingTest, TheNextPostingReadsOnlyWhatItsDocumentDecides) {
    ASSERT_TRUE(post_recorded("A-1")) << object.get_Error();
    // The template list; per template its conditions, voucher condition, header, lines, each
    // line's electronic detail and each account: 1 + 9 + 8.
    EXPECT_EQ(18, configuration_reads());
    EXPECT_EQ(1, begin_with("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = 'FTO_POLIZA'"));
    ASSERT_TRUE(post_recorded("A-2")) << object.get_Error();
    EXPECT_EQ(0, configuration_reads());
    // The default host's parameters are rows of the same database, kept as they are.
    EXPECT_EQ(0, begin_with("SELECT Pa_Valor FROM Parametro"));
    EXPECT_EQ(
        "0000000003|0001|5101|ADMINI|ACME|1|50.5\n"
        "0000000003|0002|2101||Proveedor|2|50.5\n"
        "0000000004|0001|1190||IVA|1|8.08\n"
        "0000000004|0002|2102||IVA|2|8.08\n",
        ledger.rows("SELECT Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Centro_Costo, "
                    "Pd_Concepto, Pd_Tipo, Pd_Importe FROM Poliza_Detalle WHERE Pl_Folio > "
                    "'0000000002' ORDER BY Pl_Folio, Pd_ID"));
}

TEST_F(KeptReadsPostingTest, AChangeThroughTheSameConnectionIsFollowedAtOnce) {
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    add_condition(2, "Compras.Importe > 60");
    ASSERT_TRUE(post_recorded("A-2")) << object.get_Error();
    EXPECT_EQ(std::vector<std::string>{"0000000003"}, object.posted_folios());  // the VAT only
    // All read again: the template list, the purchase template's conditions (its documents now
    // select nothing), and the VAT template's eight reads.
    EXPECT_EQ(10, configuration_reads());
}

// The commands go on the VAT template's two lines, which are not grouped: a server refuses a text
// constant in a GROUP BY list.
TEST_F(KeptReadsPostingTest, ACommandSharedByTheLinesOfAVoucherRunsOnce) {
    add_electronic(1, 1, "COMPROBANTE", kInvoice, "CMP2");
    add_electronic(2, 1, "COMPROBANTE", kInvoice, "CMP2");
    ASSERT_TRUE(post_recorded("A-1")) << object.get_Error();
    EXPECT_EQ(
        "0000000002|0001|0001|11111111-2222-3333-4444-555555555555\n"
        "0000000002|0002|0001|11111111-2222-3333-4444-555555555555\n",
        invoices());
    EXPECT_EQ(1, begin_with("SELECT '11111111-2222-3333-4444-555555555555' AS TIMBRE_UUID"));
    EXPECT_EQ(1, begin_with("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = 'FIN_MONEDA_LOCAL'"));
    ASSERT_TRUE(post_recorded("A-2")) << object.get_Error();
    EXPECT_EQ(1, begin_with("SELECT '11111111-2222-3333-4444-555555555555' AS TIMBRE_UUID"));
}

TEST_F(KeptReadsPostingTest, ACommandReadingTheLedgerRunsForEveryLine) {
    const std::string reading_the_ledger =
        "'SELECT ''11111111-2222-3333-4444-555555555555'' AS TIMBRE_UUID, COUNT(*) * 100 AS "
        "CD_MONTO, ''AAA010101AAA'' AS Cd_Rfc_Emisor, ''PUE'' AS METODO_PAGO FROM Poliza'";
    add_electronic(1, 1, "COMPROBANTE", reading_the_ledger, "CMP2");
    add_electronic(2, 1, "COMPROBANTE", reading_the_ledger, "CMP2");
    ASSERT_TRUE(post_recorded("A-1")) << object.get_Error();
    EXPECT_EQ(2, begin_with("SELECT '11111111-2222-3333-4444-555555555555' AS TIMBRE_UUID"));
}

// A host of the application's own may change its answers at any time: each call asks once.
TEST_F(KeptReadsPostingTest, AnApplicationsHostIsAskedOncePerCall) {
    ledger.wrap_host([](HostObjects objects) {
        return HostObjects{std::make_shared<DelegatingSistema>(objects.sistema), objects.datos};
    });
    ledger.restart_module();
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    ASSERT_TRUE(post_recorded("A-2")) << object.get_Error();
    EXPECT_EQ(1, begin_with("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = 'FTO_POLIZA'"));
    EXPECT_EQ(1, begin_with("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = "
                            "'CON_MODO_CONEXION_COM'"));
    EXPECT_EQ(0, configuration_reads());
}

// A document dated three times gives three vouchers per template in one call: the first composes
// the header and detail statements, the later ones put them together from what was kept. Each
// must be the text that a call outside any posting composes for its date.
class KeptCompositionTest : public KeptReadsPostingTest {
  protected:
    using Builder = std::string (Polizas::*)(const std::string&, const Date&, const std::string&,
                                             const std::string&);

    // What `builder` composes outside a posting for each voucher of A-3, in posting order.
    std::vector<std::string> fresh(Builder builder) {
        std::vector<std::string> composed;
        for (const char* clave : {"CMP", "CMP2"}) {
            const std::string G = object.GetSQL_Condicion_General(clave, "01");
            for (const int dia : {7, 8, 9}) {
                composed.push_back(
                    (object.*builder)(clave, Date::from_ymd(2024, 3, dia), "A-3", G));
            }
        }
        return composed;
    }
};

TEST_F(KeptCompositionTest, EveryVoucherOfACallGetsTheStatementsAFreshCallComposes) {
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Concepto = '''Compra del <FECHA>''', "
        "Pcd_Condicion = 'Compras.Importe > 0' WHERE Pc_Cve_Poliza_Configuracion = 'CMP' AND "
        "Pcd_ID = 1");
    add_electronic(1, 1, "COMPROBANTE", kInvoice, "CMP2");
    for (const char* fecha : {"2024-03-07", "2024-03-08", "2024-03-09"}) {
        add_purchase("A-3", fecha, "10", "1.6");
    }
    ASSERT_TRUE(post_recorded("A-3")) << object.get_Error();
    const std::vector<std::string> details = recorded(" as Pd_Importe ");
    const std::vector<std::string> headers = recorded(" as Pl_Tipo, ");
    EXPECT_EQ(fresh(&Polizas::GetSQL_Detalle), details);
    EXPECT_EQ(fresh(&Polizas::GetSQL_Encabezado), headers);
    ASSERT_EQ(6U, details.size());
    EXPECT_NE(std::string::npos, details[2].find("'Compra del 09/Mar/2024' as Pd_Concepto"));
    EXPECT_EQ("Compra del 07/Mar/2024\nCompra del 08/Mar/2024\nCompra del 09/Mar/2024\n",
              ledger.rows("SELECT Pd_Concepto FROM Poliza_Detalle WHERE Pd_Tipo = 1 AND "
                          "Cc_Cve_Cuenta_Contable = '5101' ORDER BY Pl_Folio"));
}

// The general condition is kept as the template has it; the company goes in at every call.
TEST_F(KeptReadsPostingTest, AnotherCompanyIsPutIntoTheKeptGeneralCondition) {
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    ASSERT_TRUE(post_recorded("A-2", "0'2")) << object.get_Error();
    EXPECT_EQ(1U, recorded("Compras.Empresa = '0''2'").size());
    EXPECT_EQ(0U, recorded("Compras.Empresa = '01'").size());
}

class KeptReadsOnDiskTest : public KeptReadsPostingTest {
  protected:
    KeptReadsOnDiskTest() : KeptReadsPostingTest(true) {}
};

// The test's own connection is a second program here.
TEST_F(KeptReadsOnDiskTest, AnotherProgramsChangeIsFollowedByTheNextPosting) {
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Concepto = '''Acreedor''' WHERE "
        "Pc_Cve_Poliza_Configuracion = 'CMP' AND Pcd_ID = 3");
    ASSERT_TRUE(post_recorded("A-2")) << object.get_Error();
    EXPECT_EQ("Acreedor\n", ledger.rows("SELECT Pd_Concepto FROM Poliza_Detalle WHERE Pl_Folio = "
                                        "'0000000003' AND Cc_Cve_Cuenta_Contable = '2101'"));
    add_purchase("A-3", "2024-03-07", "10", "1.6");
    execute("UPDATE Cuenta_Contable SET Cc_Registro = 'NO' WHERE Cc_Cve_Cuenta_Contable = '5101'");
    EXPECT_FALSE(post("A-3"));
    EXPECT_NE(std::string::npos, object.get_Error().find("ledgerNova.dll - Add_Poliza_Detalle()"
                                                         "\r\nLa cuenta contable:5101, no es de "
                                                         "registro"));
}

}  // namespace
}  // namespace ledgernova::testing
