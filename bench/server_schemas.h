#pragma once

#include <memory>
#include <string>

#include "ledgernova/connection.h"

namespace ledgernova::bench {

// Two fresh schemas on the PostgreSQL server of a connection string, one for the ledger and one
// for the floor, named after the process so that runs at once stay apart; dropped with everything
// in them when the object goes.
class ServerSchemas {
  public:
    // Throws db::Error when the server cannot be reached or refuses, UsageError when it is not
    // PostgreSQL.
    explicit ServerSchemas(std::string connection_string);
    ServerSchemas(const ServerSchemas&) = delete;
    ServerSchemas& operator=(const ServerSchemas&) = delete;
    ~ServerSchemas();

    [[nodiscard]] const std::string& ledger() const { return ledger_; }
    [[nodiscard]] const std::string& floor() const { return floor_; }

    // A new connection working in `schema`.
    [[nodiscard]] std::shared_ptr<db::Connection> open(const std::string& schema) const;

  private:
    std::string connection_string_;
    std::string ledger_;
    std::string floor_;
};

}  // namespace ledgernova::bench
