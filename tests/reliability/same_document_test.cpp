#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <functional>
#include <latch>
#include <numeric>
#include <random>
#include <thread>
#include <utility>

#include <gtest/gtest.h>

#include "db/delegating_connection.h"
#include "ledgernova/module.h"
#include "templates/purchases_ledger.h"

namespace ledgernova::testing {
namespace {

// Passes every call to a connection of its own, each statement a moment late, so that posters
// that run at once interleave their statements in ever other orders.
class SlowConnection final : public db::DelegatingConnection {
  public:
    explicit SlowConnection(std::shared_ptr<db::Connection> inner)
        : DelegatingConnection(std::move(inner)), random_(static_cast<unsigned>(getpid())) {}

    using Connection::Execute;
    db::Recordset Execute(std::string_view sql, long options) override {
        std::this_thread::sleep_for(std::chrono::microseconds(random_() % 2000));
        return DelegatingConnection::Execute(sql, options);
    }

  private:
    std::mt19937 random_;
};

// Purchases under two templates, on a ledger that other processes can reach.
class SameDocumentTest : public PurchasesLedger {
  protected:
    // The exit status of a poster: the number of vouchers it says it wrote, or 100 when the
    // member failed.
    static int poster(Polizas& polizas, const std::string& document) {
        if (!polizas.Genera_Poliza_Tabla("Compras", document, "01")) {
            return 100;
        }
        return static_cast<int>(polizas.posted_folios().size());
    }

    SameDocumentTest() : PurchasesLedger(true) { open_start(); }
    ~SameDocumentTest() override {
        close(start_[0]);
        close(start_[1]);
    }

    // Runs `body` in a child process over a connection of its own, as another program would;
    // with `slow`, each of its statements a moment late. The child has its module started and
    // its object made, then waits for go(), so that every poster starts at the same moment.
    pid_t spawn(const std::function<int(Polizas&)>& body, bool slow = false) {
        const pid_t pid = fork();
        if (pid == 0) {
            Termina_Modulo();
            set_host_factory([this, slow] {
                std::shared_ptr<db::Connection> connection = ledger.connect();
                if (slow) {
                    connection = std::make_shared<SlowConnection>(connection);
                }
                return make_database_host({connection, Ledger::kOperator, {}});
            });
            Polizas polizas;
            close(start_[1]);
            char signal = 0;
            (void)!read(start_[0], &signal, 1);  // returns when the parent closes its end
            _exit(body(polizas));
        }
        return pid;
    }

    // Starts the children spawned so far; later ones wait for the next go().
    void go() {
        close(start_[0]);
        close(start_[1]);
        open_start();
    }

    void open_start() {
        if (pipe(start_.data()) != 0) {
            throw std::runtime_error("no pipe");
        }
    }

    static std::vector<int> statuses(const std::vector<pid_t>& children) {
        std::vector<int> result;
        for (const pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            result.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        }
        return result;
    }

    std::array<int, 2> start_{};

    std::string active_vouchers_of(const std::string& document) {
        return ledger.rows(
            "SELECT Poliza.Pl_Configuracion, COUNT(*) FROM Poliza_Control INNER JOIN Poliza ON "
            "Poliza.Pl_Folio = Poliza_Control.Pl_Folio WHERE Poliza_Control.Pc_Documento = '" +
            document +
            "' AND Poliza.Es_Cve_Estado <> 'CA' GROUP BY Poliza.Pl_Configuracion ORDER BY "
            "Poliza.Pl_Configuracion");
    }
};

TEST_F(SameDocumentTest, FourProcessesPostingOneDocumentWriteItsVouchersOnce) {
    for (int round = 0; round < 2; ++round) {
        const std::string document = round == 0 ? "A-1" : "A-2";
        std::vector<pid_t> children;
        for (int k = 0; k < 4; ++k) {
            children.push_back(spawn(
                [document](Polizas& polizas) { return poster(polizas, document); }, round == 1));
        }
        go();
        int written = 0;
        for (const int status : statuses(children)) {
            ASSERT_LT(status, 100) << "a poster failed";
            written += status;
        }
        EXPECT_EQ(2, written) << "each poster tells only what it wrote";
        EXPECT_EQ("CMP|1\nCMP2|1\n", active_vouchers_of(document));
    }
    EXPECT_EQ("4\n", ledger.rows("SELECT COUNT(*) FROM Poliza"));
}

TEST_F(SameDocumentTest, FourThreadsPostingOneDocumentWriteItsVouchersOnce) {
    ledger.attach_process();  // each thread's module opens a connection of its own
    std::vector<int> said(4);
    std::vector<std::thread> threads;
    std::latch ready(4);
    for (int k = 0; k < 4; ++k) {
        threads.emplace_back([&said, &ready, k] {
            Polizas polizas;
            ready.arrive_and_wait();
            said[static_cast<std::size_t>(k)] = poster(polizas, "A-1");
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    // Each template is posted under its own lock, so two posters may share the two vouchers.
    EXPECT_EQ(2, std::accumulate(said.begin(), said.end(), 0))
        << "each poster tells only what it wrote";
    EXPECT_EQ("CMP|1\nCMP2|1\n", active_vouchers_of("A-1"));
}

// The first vouchers of a year, period and type: no counter row exists yet for any poster to lock.
TEST_F(SameDocumentTest, EightProcessesPostingAtOnceNeverShareAFolioOrANumber) {
    for (int round = 0; round < 2; ++round) {
        std::vector<pid_t> children;
        for (int k = 1; k <= 8; ++k) {
            const std::string document = "B" + std::to_string(round) + "-" + std::to_string(k);
            add_purchase(document, round == 0 ? "2024-05-07" : "2024-06-07", "10", "1.6");
            children.push_back(spawn(
                [document](Polizas& polizas) { return poster(polizas, document); }, round == 1));
        }
        go();
        for (const int status : statuses(children)) {
            EXPECT_EQ(2, status) << "a poster failed or wrote another number of vouchers";
        }
        const std::string period = round == 0 ? "05" : "06";
        EXPECT_EQ("16|16|16|1|16\n",
                  ledger.rows("SELECT COUNT(*), COUNT(DISTINCT Pl_Folio), COUNT(DISTINCT "
                              "Pl_Numero), MIN(CAST(Pl_Numero AS INTEGER)), MAX(CAST(Pl_Numero AS "
                              "INTEGER)) FROM Poliza WHERE Pl_Periodo = '" +
                              period + "'"));
    }
    EXPECT_EQ("32|32\n", ledger.rows("SELECT COUNT(DISTINCT Pl_Folio), MAX(CAST(Pl_Folio AS "
                                     "INTEGER)) FROM Poliza"));
}

}  // namespace
}  // namespace ledgernova::testing
