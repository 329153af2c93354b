#pragma once

#include <memory>
#include <utility>

#include "db/change_counters.h"
#include "ledgernova/connection.h"

namespace ledgernova::db {

// Passes every call to another connection, which it shares; a wrapper overrides the calls it
// watches or changes and leaves the rest to this class.
class DelegatingConnection : public Connection, public ChangeCounting {
  public:
    explicit DelegatingConnection(std::shared_ptr<Connection> inner) : inner_(std::move(inner)) {}

    using Connection::Execute;
    Recordset Execute(std::string_view sql, long options) override {
        return inner_->Execute(sql, options);
    }
    void BeginTrans() override { inner_->BeginTrans(); }
    void CommitTrans() override { inner_->CommitTrans(); }
    void RollbackTrans() override { inner_->RollbackTrans(); }
    [[nodiscard]] int TransactionDepth() const override { return inner_->TransactionDepth(); }
    [[nodiscard]] Dialect dialect() const override { return inner_->dialect(); }
    [[nodiscard]] std::optional<ChangeCounters> change_counters() override {
        return db::change_counters(*inner_);
    }
    [[nodiscard]] std::optional<std::int64_t> own_changes() override {
        return db::own_changes(*inner_);
    }

  private:
    std::shared_ptr<Connection> inner_;
};

}  // namespace ledgernova::db
