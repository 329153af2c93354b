#include "cli/demo_catalogue.h"

#include "schema/scripts.h"

namespace ledgernova::cli {

void load_demo_catalogue(db::Connection& connection) {
    db::Transaction transaction(connection);
    connection.Execute(schema::demo_script(connection.dialect()));
    transaction.Commit();
}

}  // namespace ledgernova::cli
