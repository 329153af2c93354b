// The version a PostgreSQL ledger keeps of what postings only read: every write of those tables
// moves it, whoever writes; anything that could hide a write makes it vouch for nothing.

#include <unistd.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "ledgernova/schema.h"
#include "schema/configuration_version.h"
#include "support/ledger.h"

namespace ledgernova::testing {
namespace {

class ConfigurationVersionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Ledger::on_server()) {
            GTEST_SKIP() << "SQLite counts its changes itself";
        }
    }

    std::optional<db::ChangeCounters> version() {
        return schema::configuration_version(ledger_.direct());
    }
    // Writes through a second connection, as another program would.
    void write(const std::string& statement) { ledger_.connect()->Execute(statement); }

    Ledger ledger_;
};

TEST(ConfigurationVersionOnSqlite, IsNotRead) {
    Ledger ledger;
    if (Ledger::on_server()) {
        GTEST_SKIP() << "the ledger is on the server";
    }
    EXPECT_EQ(std::nullopt, schema::configuration_version(ledger.direct()));
}

TEST_F(ConfigurationVersionTest, EveryWriteOfAVersionedTableMovesIt) {
    const std::string statements[] = {
        "INSERT INTO Poliza_Configuracion(Pc_Cve_Poliza_Configuracion) VALUES('X')",
        "INSERT INTO Poliza_Configuracion_Tabla(Pc_Tabla) VALUES('X')",
        "INSERT INTO Poliza_Configuracion_Condicion(Pc_Cve_Poliza_Configuracion, Pcc_ID) "
        "VALUES('X', 1)",
        "INSERT INTO Poliza_Configuracion_Detalle(Pc_Cve_Poliza_Configuracion, Pcd_ID) "
        "VALUES('X', 1)",
        "INSERT INTO Poliza_Configuracion_Detalle_Electronico(Pc_Cve_Poliza_Configuracion, "
        "Pcd_Id, Pcde_Id) VALUES('X', 1, 1)",
        "UPDATE Cuenta_Contable SET Cc_Descripcion = 'x'",  // no row: the statement still counts
        "INSERT INTO Parametro(Pa_Nombre, Pa_Ambito, Pa_Valor) VALUES('X', 0, '1')",
        "DELETE FROM Parametro",
        "TRUNCATE Poliza_Configuracion_Condicion",
    };
    for (const std::string& statement : statements) {
        const auto before = version();
        write(statement);
        const auto after = version();
        ASSERT_TRUE(before && after) << statement;
        EXPECT_EQ(before->others + 1, after->others) << statement;
    }
}

TEST_F(ConfigurationVersionTest, PostingTablesAndARolledBackWriteDoNotMoveIt) {
    const auto before = version();
    write(
        "INSERT INTO Consecutivo(Cn_Tabla, Cn_Campo, Cn_Llave, Cn_Ultimo) VALUES('P', 'N', '', 1)");
    write("INSERT INTO Empresa(Em_Cve_Empresa) VALUES('01')");
    EXPECT_EQ(before, version());
    auto other = ledger_.connect();
    other->BeginTrans();
    other->Execute("INSERT INTO Parametro(Pa_Nombre, Pa_Ambito, Pa_Valor) VALUES('X', 0, '1')");
    EXPECT_EQ(before, version());  // not committed: not seen
    other->RollbackTrans();
    EXPECT_EQ(before, version());
}

TEST_F(ConfigurationVersionTest, NothingVouchesInsideATransaction) {
    ledger_.direct().BeginTrans();
    EXPECT_EQ(std::nullopt, version());
    ledger_.direct().RollbackTrans();
    EXPECT_NE(std::nullopt, version());
}

TEST_F(ConfigurationVersionTest, AMissingOrDisabledTriggerVouchesForNothing) {
    write("ALTER TABLE Cuenta_Contable DISABLE TRIGGER ln_version_configuracion");
    EXPECT_EQ(std::nullopt, version());
    write("ALTER TABLE Cuenta_Contable ENABLE TRIGGER ln_version_configuracion");
    EXPECT_NE(std::nullopt, version());
    write("DROP TRIGGER ln_version_configuracion ON Parametro");
    EXPECT_EQ(std::nullopt, version());
    create_schema(*ledger_.connect());  // init gives it back
    EXPECT_NE(std::nullopt, version());
}

TEST_F(ConfigurationVersionTest, AlteringOrMakingATableAgainMovesIt) {
    auto before = version();
    write("ALTER TABLE Poliza_Configuracion_Condicion ADD COLUMN Pcc_Nota TEXT");
    EXPECT_NE(before, version());
    before = version();
    write("DROP TABLE Cuenta_Contable");
    create_schema(*ledger_.connect());
    const auto after = version();
    ASSERT_TRUE(before && after);
    EXPECT_EQ(before->others, after->others);  // no row written: the table's identity tells
    EXPECT_NE(before->schema, after->schema);
}

// The trigger writes the row with the rights of whoever made the ledger.
TEST_F(ConfigurationVersionTest, AWriterWithoutRightsOnTheRowStillMovesIt) {
    const std::string role = "ln_writer_" + std::to_string(getpid());
    auto writer = ledger_.connect();
    writer->Execute("CREATE ROLE " + role);
    const std::string schema =
        writer->Execute("SELECT current_schema() AS s").Fields("s").Value.to_text();
    writer->Execute("GRANT USAGE ON SCHEMA " + schema + " TO " + role);
    writer->Execute("GRANT INSERT ON Parametro TO " + role);
    const auto before = version();
    writer->Execute("SET ROLE " + role);
    writer->Execute("INSERT INTO Parametro(Pa_Nombre, Pa_Ambito, Pa_Valor) VALUES('X', 0, '1')");
    writer->Execute("RESET ROLE");
    writer->Execute("DROP OWNED BY " + role + "; DROP ROLE " + role);
    const auto after = version();
    ASSERT_TRUE(before && after);
    EXPECT_EQ(before->others + 1, after->others);
}

TEST_F(ConfigurationVersionTest, ALedgerWithoutTheVersionRowCannotBeRead) {
    write("DROP TABLE Version_Configuracion");
    EXPECT_THROW((void)version(), db::Error);
}

}  // namespace
}  // namespace ledgernova::testing
