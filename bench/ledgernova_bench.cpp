// ledgernova-bench: posts generated purchases through Genera_Poliza_Tabla, one call per document,
// on a fresh SQLite ledger in a temporary folder (or, with --connect, in fresh schemas of a
// PostgreSQL server), and prints one JSON line with the cost of a voucher, the statements (and on
// a server the round trips) it took, the cost of writing the same rows directly (the floor), how
// the cost grows along the run and the peak memory of the process.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "counting_connection.h"
#include "db/odbc_connection.h"
#include "floor.h"
#include "ledgernova/host.h"
#include "ledgernova/module.h"
#include "ledgernova/polizas.h"
#include "ledgernova/schema.h"
#include "purchases.h"
#include "server_schemas.h"

namespace ledgernova::bench {
namespace {

struct Options {
    int documents = 10000;
    std::string durability = "full";
    std::string connect;  // an ODBC connection string: the run goes to that server

    [[nodiscard]] std::string synchronous() const {
        return durability == "normal" ? "NORMAL" : "FULL";
    }
};

struct Posting {
    double total_us = 0;
    double floor_us = 0;           // copying the same vouchers' rows directly (see floor.h)
    std::vector<double> first_us;  // each of the first thousand vouchers (all, in a short run)
    std::vector<double> last_us;   // each of the last thousand
    std::int64_t statements = 0;
    std::int64_t round_trips = 0;  // on a server
};

// A fresh folder for the run's databases, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ledgernova-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a folder under " + pattern);
        }
        path_ = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    [[nodiscard]] std::string file(const char* name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

double elapsed_us(std::chrono::steady_clock::time_point start) {
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count();
}

double post_one(Polizas& polizas, int index) {
    const auto start = std::chrono::steady_clock::now();
    if (!polizas.Genera_Poliza_Tabla(kSourceTable, purchase_folio(index), kCompany)) {
        throw std::runtime_error("posting " + purchase_folio(index) +
                                 " failed: " + polizas.get_Error());
    }
    return elapsed_us(start);
}

// Posts every purchase, copying each voucher to the floor database right after it was posted.
void post_all(Polizas& polizas, Floor& floor, int documents, Posting& posting) {
    const int window = std::min(documents, 1000);
    for (int index = 1; index <= documents; ++index) {
        const double spent = post_one(polizas, index);
        posting.total_us += spent;
        if (index <= window) {
            posting.first_us.push_back(spent);
        }
        if (index > documents - window) {
            posting.last_us.push_back(spent);
        }
        posting.floor_us += floor.copy(polizas.get_Encabezado().Pl_Folio);
    }
}

// Calls that reached the server, when the connection is one.
std::int64_t round_trips(const std::shared_ptr<db::Connection>& connection) {
    const auto server = std::dynamic_pointer_cast<db::OdbcConnection>(connection);
    return server ? server->round_trips() : 0;
}

// Posts through the default host over a counting connection to the ledger.
Posting post_documents(const std::shared_ptr<db::Connection>& connection, Floor& floor,
                       int documents) {
    auto counting = std::make_shared<CountingConnection>(connection);
    set_host_factory([counting] { return make_database_host({counting, "BENCH", {}}); });
    Posting posting;
    {
        Polizas polizas;  // starts the module: host objects and module parameters
        const std::int64_t statements = counting->statements();
        const std::int64_t trips = round_trips(connection);
        post_all(polizas, floor, documents, posting);
        posting.statements = counting->statements() - statements;
        posting.round_trips = round_trips(connection) - trips;
    }
    Termina_Modulo();
    set_host_factory({});
    return posting;
}

std::int64_t count_of(db::Connection& connection, const char* table) {
    return connection.Execute(std::string("SELECT COUNT(*) FROM ") + table)
        .Fields(0)
        .Value.to_long();
}

// The number of vouchers posted, after checking that each has its four lines, one invoice per
// line and its document link.
std::int64_t checked_vouchers(db::Connection& connection, int documents) {
    const std::int64_t vouchers = count_of(connection, "Poliza");
    if (vouchers != documents ||
        count_of(connection, "Poliza_Detalle") != kLinesPerVoucher * vouchers ||
        count_of(connection, "Poliza_Detalle_Comprobante") != kLinesPerVoucher * vouchers ||
        count_of(connection, "Poliza_Control") != vouchers) {
        throw std::runtime_error("the ledger does not hold the expected vouchers");
    }
    return vouchers;
}

double rounded(double value, int places) {
    const double scale = std::pow(10.0, places);
    return std::round(value * scale) / scale;
}

double mean(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

double peak_rss_mb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

double per_voucher(double total, std::int64_t vouchers) {
    return total / static_cast<double>(vouchers);
}

nlohmann::ordered_json report(const Options& options, std::int64_t vouchers,
                              const Posting& posting) {
    const double per_voucher_us = per_voucher(posting.total_us, vouchers);
    const double floor_us = per_voucher(posting.floor_us, vouchers);
    nlohmann::ordered_json line;
    line["documents"] = options.documents;
    if (options.connect.empty()) {
        line["durability"] = options.durability;
    } else {
        line["database"] = "postgresql";
    }
    line["vouchers"] = vouchers;
    line["per_voucher_us"] = rounded(per_voucher_us, 1);
    line["statements_per_voucher"] =
        rounded(per_voucher(static_cast<double>(posting.statements), vouchers), 2);
    if (!options.connect.empty()) {
        line["round_trips_per_voucher"] =
            rounded(per_voucher(static_cast<double>(posting.round_trips), vouchers), 2);
    }
    line["floor_us"] = rounded(floor_us, 1);
    line["ratio"] = rounded(per_voucher_us / floor_us, 3);
    line["growth"] = rounded(mean(posting.last_us) / mean(posting.first_us), 3);
    // The same with the median voucher of each thousand: a burst of other work on the machine
    // moves a mean, hardly a median.
    line["growth_median"] = rounded(median(posting.last_us) / median(posting.first_us), 3);
    line["peak_rss_mb"] = rounded(peak_rss_mb(), 1);
    return line;
}

int run_on_sqlite(const Options& options) {
    const TempFolder folder;
    const std::string ledger = folder.file("ledger.db");
    build_purchase_ledger(ledger, options.documents);
    const auto floor = sqlite_floor(ledger, folder.file("floor.db"), options.synchronous());
    auto connection = db::open_sqlite(ledger);
    connection->Execute("PRAGMA synchronous = " + options.synchronous());
    const Posting posting = post_documents(connection, *floor, options.documents);
    const std::int64_t vouchers = checked_vouchers(*db::open_sqlite(ledger), options.documents);
    std::cout << report(options, vouchers, posting).dump() << std::endl;
    return EXIT_SUCCESS;
}

int run_on_server(const Options& options) {
    const ServerSchemas schemas(options.connect);
    {
        const auto setup = schemas.open(schemas.ledger());
        fill_purchase_ledger(*setup, options.documents);
        create_schema(*schemas.open(schemas.floor()));
    }
    const auto floor = server_floor(options.connect, schemas.ledger(), schemas.floor());
    const auto connection = schemas.open(schemas.ledger());
    const Posting posting = post_documents(connection, *floor, options.documents);
    const std::int64_t vouchers = checked_vouchers(*connection, options.documents);
    std::cout << report(options, vouchers, posting).dump() << std::endl;
    return EXIT_SUCCESS;
}

int run(const Options& options) {
    return options.connect.empty() ? run_on_sqlite(options) : run_on_server(options);
}

}  // namespace
}  // namespace ledgernova::bench

int main(int argc, char** argv) {
    ledgernova::bench::Options options;
    CLI::App app{
        "Posts generated purchases on a fresh SQLite ledger (or on a PostgreSQL server) and prints "
        "its costs as JSON"};
    app.add_option("--documents", options.documents, "Purchases to post, one voucher each")
        ->check(CLI::Range(1, 9'999'999));
    app.add_option("--durability", options.durability,
                   "SQLite synchronous setting of both databases")
        ->check(CLI::IsMember({"full", "normal"}));
    app.add_option("--connect", options.connect,
                   "ODBC connection string of a PostgreSQL server to run on instead, in schemas "
                   "of its own that are dropped at the end");
    CLI11_PARSE(app, argc, argv);
    try {
        return ledgernova::bench::run(options);
    } catch (const std::exception& failure) {
        std::cerr << "ledgernova-bench: " << failure.what() << '\n';
        return EXIT_FAILURE;
    }
}
