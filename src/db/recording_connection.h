#pragma once

#include <string>
#include <vector>

#include "db/delegating_connection.h"

namespace ledgernova::db {

// Passes every call to a real connection and keeps the text of each statement executed, in order,
// exactly as the caller composed it (before any dialect rewrite of the backend).
class RecordingConnection final : public DelegatingConnection {
  public:
    using DelegatingConnection::DelegatingConnection;

    using Connection::Execute;
    Recordset Execute(std::string_view sql, long options) override {
        statements_.emplace_back(sql);
        return DelegatingConnection::Execute(sql, options);
    }

    [[nodiscard]] const std::vector<std::string>& statements() const { return statements_; }
    void clear() { statements_.clear(); }

  private:
    std::vector<std::string> statements_;
};

}  // namespace ledgernova::db
