#include "cli/demo_catalogue.h"

#include "cli/exit_status.h"
#include "schema/scripts.h"

namespace ledgernova::cli {
namespace {

constexpr const char* kDemoScript = "sqlite/demo.sql";

const std::string& demo_script() {
    for (const auto& script : schema::all_scripts()) {
        if (script.name == kDemoScript) {
            return script.text;
        }
    }
    throw std::logic_error(std::string("the program was built without ") + kDemoScript);
}

}  // namespace

void load_demo_catalogue(db::Connection& connection) {
    if (connection.dialect() != db::Dialect::SQLite) {
        throw UsageError("the demo catalogue is written for SQLite ledgers only");
    }
    db::Transaction transaction(connection);
    connection.Execute(demo_script());
    transaction.Commit();
}

}  // namespace ledgernova::cli
