#pragma once

#include <string>

#include "ledgernova/sat_files.h"

namespace ledgernova::cli {

// Where an electronic accounting file goes, and in which form.
struct Delivery {
    std::string out;   // a file, a folder (the file then takes its SAT name), or empty
    bool zip = false;  // the ZIP form the authority receives, the XML inside under its SAT name
};

// What names the file: RFC, year, month and kind.
struct SatFile {
    std::string rfc;
    int year = 0;
    int month = 0;
    SatFileKind kind = SatFileKind::Vouchers;
};

// Writes the XML as `delivery` asks: to standard output when neither a place nor the ZIP form is
// asked; into a folder under the SAT name (".xml" or ".zip"); to the file named; the ZIP form
// without --out to the SAT name in the current folder. Prints "wrote PATH" when the program chose
// the name. Throws std::runtime_error when the file cannot be written.
void deliver(const std::string& xml, const SatFile& file, const Delivery& delivery);

}  // namespace ledgernova::cli
