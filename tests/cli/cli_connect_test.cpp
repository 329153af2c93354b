// The program over a server database: --connect with the PostgreSQL server of
// LEDGERNOVA_TEST_ODBC (skipped without one). Each test gets a schema of its own, which the
// connection string selects for the program through psqlODBC's ConnSettings.

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "cli/cli_fixture.h"
#include "support/ledger.h"

namespace ledgernova::testing {
namespace {

class CliConnectTest : public CliTest {
  protected:
    void SetUp() override {
        if (!Ledger::on_server()) {
            GTEST_SKIP() << "set LEDGERNOVA_TEST_ODBC to an ODBC connection string to run";
        }
        CliTest::SetUp();
        static std::atomic<int> counter{0};
        schema_ = "ln_cli_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
        const std::string target = std::getenv("LEDGERNOVA_TEST_ODBC");
        server_ = db::open_odbc(target);
        server_->Execute("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE; CREATE SCHEMA " + schema_);
        server_->Execute("SET search_path TO " + schema_);
        connection_ = target + (target.ends_with(";") ? "" : ";") +
                      "ConnSettings=SET search_path TO " + schema_ + ";";
    }

    void TearDown() override {
        if (server_) {
            server_->Execute("DROP SCHEMA " + schema_ + " CASCADE");
            CliTest::TearDown();
        }
    }

    CliRun program(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--connect", connection_, "--operator", "ana"});
        return run(arguments);
    }

    std::string rows(const std::string& sql) { return render(server_->Execute(sql)); }

    std::shared_ptr<db::Connection> server_;  // the test's own connection, in its schema
    std::string schema_;
    std::string connection_;  // the program's connection string
};

TEST_F(CliConnectTest, InitCreatesTheSchemaOnceThenVouchersArePostedShownAndCancelled) {
    // init reports how many tables it created; its count is left unchecked here.
    const CliRun first = program({"init"});
    ASSERT_EQ(first.status, 0) << first.err;
    const std::string tables =
        "SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = '" + schema_ + "'";
    const std::string created = rows(tables);
    EXPECT_NE(created, "0\n");
    server_->Execute("INSERT INTO Parametro(Pa_Nombre, Pa_Valor) VALUES('KEPT', 'yes')");
    ASSERT_EQ(program({"init"}).status, 0);
    EXPECT_EQ(rows(tables), created);
    EXPECT_EQ(rows("SELECT Pa_Valor FROM Parametro"), "yes\n");

    server_->Execute(
        "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion) VALUES('1101', "
        "'Caja'), ('2101', 'Proveedores')");
    ASSERT_EQ(program({"param", "set", "CON_OWNER", "O'Brien"}).status, 0);
    EXPECT_EQ(program({"param", "get", "con_owner"}).out, "O'Brien\n");

    write_file("voucher.json", R"({
      "header": {"Pl_Fecha": "2024-03-15", "Pl_Tipo_Poliza": 3, "Em_Cve_Empresa": "001",
                 "Pl_Comentario": "Pago de renta ñ"},
      "lines": [
        {"Cc_Cve_Cuenta_Contable": "1101", "Pd_Concepto": "Renta", "Pd_Tipo": 1,
         "Pd_Importe": 1500.5},
        {"Cc_Cve_Cuenta_Contable": "2101", "Pd_Concepto": "Renta", "Pd_Tipo": 2,
         "Pd_Importe": 1500.50}]})");
    ASSERT_EQ(program({"voucher", "--file", "voucher.json"}),
              cli_ok("folio 0000000001 number 0000000001\n"));
    EXPECT_EQ(rows("SELECT Pl_Folio, Pl_Fecha, Pl_Comentario, Oper_Alta, Es_Cve_Estado FROM "
                   "Poliza"),
              "0000000001|2024-03-15|Pago de renta ñ|ana|AC\n");
    EXPECT_EQ(rows("SELECT Pd_ID, Pd_Tipo, Pd_Importe FROM Poliza_Detalle ORDER BY Pd_ID"),
              "0001|1|1500.5\n0002|2|1500.5\n");

    const CliRun shown = program({"show", "0000000001"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Pago de renta ñ"), std::string::npos) << shown.out;

    ASSERT_EQ(program({"cancel", "0000000001"}).status, 0);
    EXPECT_EQ(rows("SELECT Es_Cve_Estado, Oper_Baja FROM Poliza"), "CA|ana\n");
}

// What psqlODBC would turn into a replacement character, or cut at a NUL, is refused before it
// reaches the server.
TEST_F(CliConnectTest, TextThatIsNotUtf8OrHoldsANulIsRefusedAndNothingIsStored) {
    ASSERT_EQ(program({"init"}).status, 0);
    const CliRun latin1 = program({"param", "set", "CON_OWNER", "P\xE9rez"});
    EXPECT_EQ(latin1.status, 1);
    EXPECT_TRUE(latin1.err.starts_with("ledgernova: Text is not valid UTF-8 (byte 0xE9 at offset "))
        << latin1.err;
    EXPECT_NE(latin1.err.find("'P\\xE9rez'"), std::string::npos) << latin1.err;
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Parametro"), "0\n");

    write_file("voucher.json", R"({"header": {"Pl_Fecha": "2024-03-15", "Pl_Tipo_Poliza": 3,
      "Em_Cve_Empresa": "001", "Pl_Comentario": "Renta\u0000"}, "lines": [
      {"Cc_Cve_Cuenta_Contable": "1101", "Pd_Tipo": 1, "Pd_Importe": 1}]})");
    EXPECT_EQ(program({"voucher", "--file", "voucher.json"}),
              cli_error(2,
                        "ledgernova: voucher file voucher.json: header: key \"Pl_Comentario\" "
                        "must not contain the NUL character (\\u0000)\n"));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Poliza"), "0\n");
}

// The demo catalogue in its PostgreSQL words: loaded twice without a change, its templates post
// with their electronic detail.
TEST_F(CliConnectTest, InitDemoLoadsTheCatalogueWhoseTemplatesPost) {
    const CliRun init = program({"init", "--demo"});
    ASSERT_EQ(init.status, 0) << init.err;
    EXPECT_NE(init.out.find("demo catalogue loaded"), std::string::npos) << init.out;
    ASSERT_EQ(program({"init", "--demo"}).status, 0);
    EXPECT_EQ(rows("SELECT COUNT(*), SUM(Cm_Total) FROM Compras"), "8|95417.29\n");

    ASSERT_EQ(program({"post", "Compras", "C-0004", "--company", "01"}),
              cli_ok("folio 0000000001 number 0000000001 template COM-EXT\n"));
    EXPECT_EQ(rows("SELECT Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Concepto FROM Poliza_Detalle "
                   "ORDER BY Pd_ID"),
              "0001|1150-001|Compra INV-240308-17 - Inventario de mercancías\n"
              "0002|6101-003|Compra INV-240308-17 - Licencias de software\n"
              "0003|2102-001|Factura INV-240308-17 Tech Supplies Inc. USD 1200.00 TC 16.8500\n");
    EXPECT_EQ(rows("SELECT Pd_ID, Pdce_Numero_Factura FROM Poliza_Detalle_Comprobante_extranjero"),
              "0003|INV-240308-17\n");
}

}  // namespace
}  // namespace ledgernova::testing
