// A program built against an installed ledgerNova: the C interface sets up a ledger file and
// creates the voucher object, and the C++ interface creates the schema in a memory database.
#include <ledgernova/connection.h>
#include <ledgernova/ledgernova.h>
#include <ledgernova/schema.h>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: consumer LEDGER-FILE\n");
        return 2;
    }
    if (ln_init_database(argv[1]) != LN_OK) {
        std::fprintf(stderr, "ln_init_database: %s\n", ln_get_error(nullptr));
        return 1;
    }
    ln_object* object = nullptr;
    if (ln_create("ledgerNova.Polizas", &object) != LN_OK) {
        std::fprintf(stderr, "ln_create: %s\n", ln_get_error(nullptr));
        return 1;
    }
    ln_variant* results = nullptr;
    size_t count = 0;
    const int status =
        ln_call(object, "Poliza_Balanceada", LN_METHOD, nullptr, 0, &results, &count);
    const bool answered = status == LN_OK && count == 1 && results[0].type == LN_BOOLEAN;
    ln_free_results(results, count);
    ln_release(object);
    if (!answered) {
        std::fprintf(stderr, "ln_call: status %d\n", status);
        return 1;
    }

    auto connection = ledgernova::db::open_sqlite(":memory:");
    ledgernova::create_schema(*connection);
    auto tables = connection->Execute("SELECT COUNT(*) FROM sqlite_master WHERE name = 'Poliza'");
    if (tables.Fields(std::size_t{0}).Value.to_long() != 1) {
        std::fprintf(stderr, "create_schema made no Poliza table\n");
        return 1;
    }
    std::printf("consumer ok\n");
    return 0;
}
