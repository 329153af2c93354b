#pragma once

#include <string>
#include <vector>

#include "ledgernova/connection.h"

namespace ledgernova::schema {

struct Script {
    std::string name;  // "<dialect>/<file>.sql"
    std::string text;
};

// Every script under schema/, embedded at build time, in name order.
[[nodiscard]] const std::vector<Script>& all_scripts();

// The demo catalogue of the dialect ("<dialect>/demo.sql"), run after its tables.sql.
[[nodiscard]] const std::string& demo_script(db::Dialect dialect);

}  // namespace ledgernova::schema
