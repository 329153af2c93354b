#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "ledgernova/polizas.h"
#include "schema/scripts.h"
#include "support/ledger.h"

namespace ledgernova::testing {
namespace {

// An on-disk ledger with the demo catalogue and `count` copies T-0001... of purchase C-0001.
class PurchaseCopies {
  public:
    explicit PurchaseCopies(int count) {
        for (const auto& script : schema::all_scripts()) {
            if (script.name == "sqlite/demo.sql") {
                ledger.direct().Execute(script.text);
            }
        }
        const std::string n = std::to_string(count);
        ledger.direct().Execute(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + n +
            ") INSERT INTO Compras(Cm_Folio, Em_Cve_Empresa, Cm_Fecha, Pv_Cve_Proveedor, "
            "Cm_Factura, Cm_UUID, Cm_Moneda, Cm_Tipo_Cambio, Cm_Subtotal, Cm_Descuento, Cm_IVA, "
            "Cm_Total, Cm_Total_Moneda) SELECT printf('T-%04d', i), Em_Cve_Empresa, Cm_Fecha, "
            "Pv_Cve_Proveedor, printf('F-%04d', i), printf('2E2B919E-A148-42BE-B131-%012d', i), "
            "Cm_Moneda, Cm_Tipo_Cambio, Cm_Subtotal, Cm_Descuento, Cm_IVA, Cm_Total, "
            "Cm_Total_Moneda FROM Compras, n WHERE Cm_Folio = 'C-0001'");
        ledger.direct().Execute(
            "INSERT INTO Compras_Detalle SELECT c.Cm_Folio, d.Cd_Renglon, d.Cd_Descripcion, "
            "d.Cc_Cve_Cuenta_Contable, d.Cd_Centro_Costo, d.Cd_Importe FROM Compras c JOIN "
            "Compras_Detalle d ON d.Cm_Folio = 'C-0001' WHERE c.Cm_Folio LIKE 'T-%'");
    }

    // Posts documents first..last in a child process with its own connection, as another program
    // would; the exit status counts the failures (at most 100).
    [[nodiscard]] pid_t post(int first, int last) const {
        const pid_t pid = fork();
        if (pid == 0) {
            ledger.attach_process();
            Polizas polizas;
            int failures = 0;
            for (int i = first; i <= last; ++i) {
                char document[16];
                std::snprintf(document, sizeof document, "T-%04d", i);
                failures += polizas.Genera_Poliza_Tabla("Compras", document, "01") ? 0 : 1;
            }
            _exit(std::min(failures, 100));
        }
        return pid;
    }

    // Whatever is stored is whole and the file is sound.
    void expect_consistent() {
        EXPECT_EQ("ok\n", ledger.rows("PRAGMA integrity_check"));
        EXPECT_EQ(
            "", ledger.rows("SELECT Pl_Folio FROM Poliza p WHERE NOT EXISTS (SELECT 1 FROM "
                            "Poliza_Control c WHERE c.Pl_Folio = p.Pl_Folio) OR (SELECT "
                            "SUM(CASE WHEN Pd_Tipo = 1 THEN Pd_Importe ELSE -Pd_Importe END) FROM "
                            "Poliza_Detalle d WHERE d.Pl_Folio = p.Pl_Folio) <> 0 OR NOT EXISTS "
                            "(SELECT 1 FROM Poliza_Detalle d WHERE d.Pl_Folio = p.Pl_Folio)"));
        EXPECT_EQ("", ledger.rows("SELECT Pl_Folio FROM Poliza_Control WHERE Pl_Folio NOT IN "
                                  "(SELECT Pl_Folio FROM Poliza)"));
        EXPECT_EQ("", ledger.rows("SELECT Pc_Documento FROM Poliza_Control GROUP BY Pc_Documento "
                                  "HAVING COUNT(*) > 1"));
    }

    int vouchers() { return std::stoi(ledger.rows("SELECT COUNT(*) FROM Poliza")); }

    Ledger ledger{true};
};

int exit_status(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Kills the child once the ledger holds `target` vouchers, however fast the machine posts; the
// kill lands wherever the child is in the voucher it is writing then.
void kill_once_stored(PurchaseCopies& copies, pid_t child, int target) {
    while (copies.vouchers() < target) {
        ASSERT_EQ(0, waitpid(child, nullptr, WNOHANG)) << "the posting ended before it was killed";
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    kill(child, SIGKILL);
}

TEST(Processes, FourProcessesPostingAtOnceNeverShareAFolioOrANumber) {
    if (Ledger::on_server()) {
        GTEST_SKIP() << "the demo catalogue and the checks are SQLite's (printf, PRAGMA)";
    }
    PurchaseCopies copies(800);
    std::vector<pid_t> children;
    for (int k = 0; k < 4; ++k) {
        children.push_back(copies.post(k * 200 + 1, (k + 1) * 200));
    }
    for (const pid_t child : children) {
        EXPECT_EQ(0, exit_status(child)) << "postings failed in a child";
    }
    EXPECT_EQ("800|800|800\n",
              copies.ledger.rows("SELECT COUNT(*), COUNT(DISTINCT Pl_Folio), COUNT(DISTINCT "
                                 "Pl_Ejercicio || Pl_Periodo || Pl_Tipo || '-' || Pl_Numero) "
                                 "FROM Poliza WHERE Pl_Documento LIKE 'T-%'"));
    copies.expect_consistent();
}

TEST(Processes, AProcessKilledWhilePostingLeavesOnlyWholeVouchers) {
    if (Ledger::on_server()) {
        GTEST_SKIP() << "the demo catalogue and the checks are SQLite's (printf, PRAGMA)";
    }
    constexpr int kDocuments = 400;
    PurchaseCopies copies(kDocuments);
    std::mt19937 random(20261206);
    int before = copies.vouchers();
    for (int round = 0; round < 3; ++round) {
        const pid_t child = copies.post(1, kDocuments);
        kill_once_stored(copies, child, before + 1 + static_cast<int>(random() % 60));
        (void)exit_status(child);
        copies.expect_consistent();
        before = copies.vouchers();
        ASSERT_LT(before, kDocuments) << "the posting ended before it was killed";
    }
    EXPECT_EQ(0, exit_status(copies.post(1, kDocuments)));
    copies.expect_consistent();
    EXPECT_EQ(std::to_string(kDocuments) + "\n",
              copies.ledger.rows("SELECT COUNT(*) FROM Poliza WHERE Pl_Documento LIKE 'T-%'"));
}

}  // namespace
}  // namespace ledgernova::testing
