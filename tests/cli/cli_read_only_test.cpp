// The commands that only read (show, export-sat) over a ledger that cannot be written: the file
// write-protected in a folder that cannot take the WAL's -wal and -shm files.

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kVoucher = R"({
  "header": {"Pl_Fecha": "2024-03-15", "Pl_Tipo_Poliza": 3, "Em_Cve_Empresa": "001",
             "Pl_Comentario": "Pago de renta"},
  "lines": [
    {"Cc_Cve_Cuenta_Contable": "6101", "Pd_Concepto": "Renta marzo", "Pd_Tipo": 1,
     "Pd_Importe": 1500.5},
    {"Cc_Cve_Cuenta_Contable": "1101", "Pd_Concepto": "Renta marzo", "Pd_Tipo": 2,
     "Pd_Importe": 1500.5}]})";

// Permission bits do not stop root, which is who CI runs as: there the program runs without the
// capabilities that override them, so that the file and the folder are as unwritable to it as to
// any other user.
std::string unprivileged_prefix() {
    return geteuid() == 0 ? "setpriv --bounding-set -dac_override,-dac_read_search,-fowner" : "";
}

class CliReadOnlyTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        fs::create_directory(folder() / "ro");
        ASSERT_EQ(program({"init"}).status, 0);
        db::open_sqlite(path())->Execute(
            "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Registro, "
            "Cc_Resultado) VALUES('1101', 'Bancos', 'SI', 'NO'), ('6101', 'Renta', 'SI', 'NO')");
        write_file("voucher.json", kVoucher);
        ASSERT_EQ(program({"voucher", "--file", "voucher.json"}).status, 0);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder() / "ro", fs::perms::owner_all, ignored);
        fs::permissions(path(), fs::perms::owner_read | fs::perms::owner_write, ignored);
        CliTest::TearDown();
    }

    std::string path() const { return (folder() / "ro" / "ledger.db").string(); }

    CliRun program(std::vector<std::string> arguments, const std::string& prefix = "") {
        arguments.insert(arguments.begin(), {"--db", "ro/ledger.db"});
        return run(arguments, prefix);
    }

    // The files of the ledger's folder with the ledger's bytes and modification time.
    std::string folder_state() const {
        std::string state;
        for (const auto& entry : fs::directory_iterator(folder() / "ro")) {
            state += entry.path().filename().string() + "\n";
        }
        std::ifstream file(path(), std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        return state + std::to_string(fs::last_write_time(path()).time_since_epoch().count()) +
               "\n" + bytes.str();
    }
};

TEST_F(CliReadOnlyTest, ShowAndExportReadAWriteProtectedLedgerInAReadOnlyFolder) {
    const std::vector<std::string> show = {"show", "0000000001"};
    const std::vector<std::string> export_sat = {
        "export-sat", "--company",    "001",       "--year", "2024",    "--month",      "3",
        "--rfc",      "LNO010101AB1", "--request", "AF",     "--order", "ABC1234567/24"};
    const CliRun shown = program(show);
    ASSERT_EQ(shown.status, 0) << shown.err;
    const CliRun exported = program(export_sat);
    ASSERT_EQ(exported.status, 0) << exported.err;
    ASSERT_NE(exported.out.find("<PLZ:Poliza "), std::string::npos) << exported.out;
    // A reader leaves the WAL's files where it could create them; the last writer to close
    // removes them, as one does here.
    (void)db::open_sqlite(path())->Execute("SELECT COUNT(*) FROM Poliza");

    fs::permissions(path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder() / "ro", fs::perms::owner_read | fs::perms::owner_exec |
                                         fs::perms::group_read | fs::perms::group_exec |
                                         fs::perms::others_read | fs::perms::others_exec);
    const std::string before = folder_state();
    ASSERT_EQ(before.substr(0, before.find('\n')), "ledger.db");

    const CliRun shown_again = program(show, unprivileged_prefix());
    EXPECT_EQ(shown_again.status, 0) << shown_again.err;
    EXPECT_EQ(shown_again.out, shown.out);
    const CliRun exported_again = program(export_sat, unprivileged_prefix());
    EXPECT_EQ(exported_again.status, 0) << exported_again.err;
    EXPECT_EQ(exported_again.out, exported.out);
    EXPECT_TRUE(folder_state() == before) << "the ledger's folder changed";

    // The proof that the file cannot be written here: a command that writes is refused.
    const CliRun written = program({"param", "set", "X", "1"}, unprivileged_prefix());
    EXPECT_EQ(written.status, 1);
    EXPECT_TRUE(folder_state() == before) << "the ledger's folder changed";
}

}  // namespace
}  // namespace ledgernova::testing
