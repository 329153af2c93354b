#include "cli/demo_catalogue.h"

#include "cli/exit_status.h"
#include "schema/scripts.h"

namespace ledgernova::cli {

void load_demo_catalogue(db::Connection& connection) {
    const std::string* script = schema::demo_script(connection.dialect());
    if (script == nullptr) {
        throw UsageError("the demo catalogue is written for SQLite and PostgreSQL ledgers only");
    }
    db::Transaction transaction(connection);
    connection.Execute(*script);
    transaction.Commit();
}

}  // namespace ledgernova::cli
