#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ledgernova/connection.h"

namespace ledgernova::db {

// Passes every call to a real connection and keeps the text of each statement executed, in order,
// exactly as the caller composed it (before any dialect rewrite of the backend).
class RecordingConnection final : public Connection {
  public:
    explicit RecordingConnection(std::shared_ptr<Connection> inner) : inner_(std::move(inner)) {}

    using Connection::Execute;
    Recordset Execute(std::string_view sql, long options) override {
        statements_.emplace_back(sql);
        return inner_->Execute(sql, options);
    }
    void BeginTrans() override { inner_->BeginTrans(); }
    void CommitTrans() override { inner_->CommitTrans(); }
    void RollbackTrans() override { inner_->RollbackTrans(); }
    [[nodiscard]] int TransactionDepth() const override { return inner_->TransactionDepth(); }
    [[nodiscard]] Dialect dialect() const override { return inner_->dialect(); }

    [[nodiscard]] const std::vector<std::string>& statements() const { return statements_; }
    void clear() { statements_.clear(); }

  private:
    std::shared_ptr<Connection> inner_;
    std::vector<std::string> statements_;
};

}  // namespace ledgernova::db
