#pragma once

#include <string>
#include <vector>

namespace ledgernova::schema {

struct Script {
    std::string name;  // "<dialect>/<file>.sql"
    std::string text;
};

// Every script under schema/, embedded at build time, in name order.
[[nodiscard]] const std::vector<Script>& all_scripts();

}  // namespace ledgernova::schema
