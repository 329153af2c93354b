#include "server_schemas.h"

#include <unistd.h>

#include <utility>

namespace ledgernova::bench {

ServerSchemas::ServerSchemas(std::string connection_string)
    : connection_string_(std::move(connection_string)),
      ledger_("ln_bench_" + std::to_string(getpid())),
      floor_(ledger_ + "_floor") {
    const auto connection = db::open_odbc(connection_string_);
    if (connection->dialect() != db::Dialect::PostgreSQL) {
        throw db::UsageError("the benchmark runs on a PostgreSQL server only");
    }
    for (const std::string& schema : {ledger_, floor_}) {
        connection->Execute("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " +
                            schema);
    }
}

ServerSchemas::~ServerSchemas() {
    try {
        db::open_odbc(connection_string_)
            ->Execute("DROP SCHEMA " + ledger_ + " CASCADE; DROP SCHEMA " + floor_ + " CASCADE");
    } catch (const db::Error&) {  // NOLINT(bugprone-empty-catch): the server keeps them then
    }
}

std::shared_ptr<db::Connection> ServerSchemas::open(const std::string& schema) const {
    auto connection = db::open_odbc(connection_string_);
    connection->Execute("SET search_path TO " + schema);
    return connection;
}

}  // namespace ledgernova::bench
