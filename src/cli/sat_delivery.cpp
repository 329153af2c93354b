#include "cli/sat_delivery.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include <fmt/format.h>

namespace ledgernova::cli {
namespace {

void write_file(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    file.close();
    if (file.fail()) {
        throw std::runtime_error(fmt::format("could not write {}", path.string()));
    }
}

void write_stdout(const std::string& xml) {
    std::cout << xml;
    if (!std::cout.flush()) {
        throw std::runtime_error("could not write to standard output");
    }
}

}  // namespace

void deliver(const std::string& xml, const SatFile& file, const Delivery& delivery) {
    if (delivery.out.empty() && !delivery.zip) {
        write_stdout(xml);
        return;
    }
    const std::string xml_name = sat_file_name(file.rfc, file.year, file.month, file.kind);
    const std::string bytes = delivery.zip ? zip_one_file(xml_name, xml) : xml;
    if (bytes.empty()) {
        throw std::runtime_error("could not compress the file");
    }
    const std::string own_name =
        delivery.zip ? sat_file_name(file.rfc, file.year, file.month, file.kind, ".zip") : xml_name;
    std::error_code error;
    const bool named_by_us =
        delivery.out.empty() || std::filesystem::is_directory(delivery.out, error);
    const std::filesystem::path path = delivery.out.empty() ? std::filesystem::path(own_name)
                                       : named_by_us
                                           ? std::filesystem::path(delivery.out) / own_name
                                           : std::filesystem::path(delivery.out);
    write_file(path, bytes);
    if (named_by_us) {
        fmt::print("wrote {}\n", path.string());
    }
}

}  // namespace ledgernova::cli
