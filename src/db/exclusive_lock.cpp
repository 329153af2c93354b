#include "db/exclusive_lock.h"

#include <cstdint>

#include <fmt/format.h>

#include "util/compose.h"

namespace ledgernova::db {
namespace {

// FNV-1a: the same resource gives the same key in every process, whatever its length; two
// resources that share a key only wait for each other.
std::int64_t resource_key(std::string_view resource) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : resource) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return static_cast<std::int64_t>(hash);
}

}  // namespace

void lock_until_transaction_ends(Connection& connection, std::string_view resource) {
    if (connection.TransactionDepth() == 0) {
        throw UsageError("A lock until the transaction ends needs an open transaction");
    }
    const std::int64_t key = resource_key(resource);
    switch (connection.dialect()) {
        case Dialect::SQLite:
            return;
        case Dialect::PostgreSQL:
            // The key goes quoted, so that the statement has one shape for every resource and
            // the backend keeps it prepared.
            connection.Execute(util::compose(
                FMT_COMPILE("SELECT pg_advisory_xact_lock(CAST('{}' AS BIGINT))"), key));
            return;
        case Dialect::SqlServer:
            connection.Execute(util::compose(
                FMT_COMPILE(
                    "EXEC sp_getapplock @Resource = 'ledgernova:{:016x}', @LockMode = 'Exclusive', "
                    "@LockOwner = 'Transaction', @LockTimeout = -1"),
                static_cast<std::uint64_t>(key)));
            return;
    }
}

}  // namespace ledgernova::db
