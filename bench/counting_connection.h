#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "ledgernova/connection.h"

namespace ledgernova::bench {

// Passes every call to a real connection and counts the statements executed through it. Unlike a
// recording connection it keeps no texts, so its memory stays the same however long it runs.
class CountingConnection final : public db::Connection {
  public:
    explicit CountingConnection(std::shared_ptr<db::Connection> inner) : inner_(std::move(inner)) {}

    using Connection::Execute;
    db::Recordset Execute(std::string_view sql, long options) override {
        ++statements_;
        return inner_->Execute(sql, options);
    }
    void BeginTrans() override { inner_->BeginTrans(); }
    void CommitTrans() override { inner_->CommitTrans(); }
    void RollbackTrans() override { inner_->RollbackTrans(); }
    [[nodiscard]] int TransactionDepth() const override { return inner_->TransactionDepth(); }
    [[nodiscard]] db::Dialect dialect() const override { return inner_->dialect(); }

    // Statements executed since the connection was made.
    [[nodiscard]] std::int64_t statements() const { return statements_; }

  private:
    std::shared_ptr<db::Connection> inner_;
    std::int64_t statements_ = 0;
};

}  // namespace ledgernova::bench
