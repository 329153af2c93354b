#pragma once

#include <string>

#include "ledgernova/connection.h"
#include "util/text.h"

namespace ledgernova::testing {

// Passes every call to a real connection, but fails the statements a test chooses, the way a
// database does: a failed statement throws db::Error with the driver's message and code.
class FaultyConnection final : public db::Connection {
  public:
    explicit FaultyConnection(db::Connection& inner) : inner_(inner) {}

    // The n-th statement from now on (1 = the next one) fails, once.
    void fail_at(int n, std::string message = "disk I/O error", int code = 10) {
        countdown_ = n;
        message_ = std::move(message);
        code_ = code;
    }
    // Every statement that writes fails until heal(), as on a full disk.
    void fail_writes(std::string message = "database or disk is full", int code = 13) {
        writes_fail_ = true;
        message_ = std::move(message);
        code_ = code;
    }
    void heal() {
        countdown_ = 0;
        writes_fail_ = false;
    }
    [[nodiscard]] int executed() const { return executed_; }

    using Connection::Execute;
    db::Recordset Execute(std::string_view sql, long options) override {
        ++executed_;
        if ((countdown_ > 0 && --countdown_ == 0) || (writes_fail_ && writes(sql))) {
            throw db::Error(message_, code_);
        }
        return inner_.Execute(sql, options);
    }
    void BeginTrans() override { inner_.BeginTrans(); }
    void CommitTrans() override { inner_.CommitTrans(); }
    void RollbackTrans() override { inner_.RollbackTrans(); }
    [[nodiscard]] int TransactionDepth() const override { return inner_.TransactionDepth(); }
    [[nodiscard]] db::Dialect dialect() const override { return inner_.dialect(); }

  private:
    static bool writes(std::string_view sql) {
        const std::string head = util::to_upper(util::trim_blanks(sql.substr(0, 12)));
        return head.starts_with("INSERT") || head.starts_with("UPDATE") ||
               head.starts_with("DELETE");
    }

    db::Connection& inner_;
    int countdown_ = 0;
    bool writes_fail_ = false;
    int executed_ = 0;
    std::string message_;
    int code_ = 0;
};

}  // namespace ledgernova::testing
