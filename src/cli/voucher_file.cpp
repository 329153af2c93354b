#include "cli/voucher_file.h"

#include <array>
#include <fstream>
#include <string_view>
#include <utility>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "cli/dates.h"
#include "cli/exit_status.h"

namespace ledgernova::cli {
namespace {

using json = nlohmann::json;

template <typename Record>
using TextField = std::pair<std::string_view, std::string Record::*>;

constexpr std::array<TextField<tPlEncabezado>, 10> kHeaderTexts{{
    {"Pl_Folio", &tPlEncabezado::Pl_Folio},
    {"Pl_Ejercicio", &tPlEncabezado::Pl_Ejercicio},
    {"Pl_Periodo", &tPlEncabezado::Pl_Periodo},
    {"Pl_Numero", &tPlEncabezado::Pl_Numero},
    {"Pl_Tabla", &tPlEncabezado::Pl_Tabla},
    {"Pl_Documento", &tPlEncabezado::Pl_Documento},
    {"Pl_Referencia", &tPlEncabezado::Pl_Referencia},
    {"Pl_Comentario", &tPlEncabezado::Pl_Comentario},
    {"Pl_Configuracion", &tPlEncabezado::Pl_Configuracion},
    {"Em_Cve_Empresa", &tPlEncabezado::Em_Cve_Empresa},
}};

constexpr std::array<TextField<tPlDetalle>, 5> kLineTexts{{
    {"Pd_ID", &tPlDetalle::Pd_ID},
    {"Cc_Cve_Cuenta_Contable", &tPlDetalle::Cc_Cve_Cuenta_Contable},
    {"Pd_Concepto", &tPlDetalle::Pd_Concepto},
    {"Pd_Referencia", &tPlDetalle::Pd_Referencia},
    {"Pd_Centro_Costo", &tPlDetalle::Pd_Centro_Costo},
}};

// Names where a field sits in the file, for messages: "header" or "line 2".
class Place {
  public:
    Place(const std::string& path, std::string where) : path_(path), where_(std::move(where)) {}

    [[noreturn]] void fail(const std::string& key, std::string_view problem) const {
        throw UsageError(
            fmt::format("voucher file {}: {}: key \"{}\" {}", path_, where_, key, problem));
    }

  private:
    const std::string& path_;
    std::string where_;
};

// The string of `key`. A NUL inside would end the text early wherever it goes on as a C string,
// and PostgreSQL stores none: refused rather than cut.
std::string text_of(const std::string& key, const json& value, const Place& place) {
    std::string text = value.get<std::string>();
    if (text.find('\0') != std::string::npos) {
        place.fail(key, "must not contain the NUL character (\\u0000)");
    }
    return text;
}

// Sets the text field named `key`; false when the record has no text field of that name.
template <typename Record, std::size_t N>
bool read_text(const std::array<TextField<Record>, N>& fields, const std::string& key,
               const json& value, Record& record, const Place& place) {
    for (const auto& [name, member] : fields) {
        if (name == key) {
            if (!value.is_string()) {
                place.fail(key, "must be a string");
            }
            record.*member = text_of(key, value, place);
            return true;
        }
    }
    return false;
}

template <typename Enumeration>
Enumeration read_enumeration(const std::string& key, const json& value, int last,
                             const Place& place) {
    if (!value.is_number_integer() || value.get<std::int64_t>() < 1 ||
        value.get<std::int64_t>() > last) {
        place.fail(key, fmt::format("must be a whole number from 1 to {}", last));
    }
    return static_cast<Enumeration>(value.get<std::int32_t>());
}

void read_header_field(const std::string& key, const json& value, VoucherFile& voucher,
                       const Place& place) {
    if (read_text(kHeaderTexts, key, value, voucher.header, place)) {
        return;
    }
    if (key == "Pl_Tipo_Poliza") {
        voucher.header.Pl_Tipo_Poliza = read_enumeration<eTipoPoliza>(key, value, 3, place);
    } else if (key == "Pl_Fecha") {
        voucher.date = value.is_string() ? parse_day(value.get<std::string>()) : std::nullopt;
        if (!voucher.date) {
            place.fail(key, "must be a date \"YYYY-MM-DD\"");
        }
        voucher.header.Pl_Fecha = *voucher.date;
    } else {
        place.fail(key, "is not a field of the voucher header");
    }
}

void read_line_field(const std::string& key, const json& value, tPlDetalle& line,
                     const Place& place) {
    if (read_text(kLineTexts, key, value, line, place)) {
        return;
    }
    if (key == "Pd_Tipo") {
        line.Pd_Tipo = read_enumeration<eTipoMovimiento>(key, value, 2, place);
    } else if (key == "Pd_Importe") {
        if (!value.is_number()) {
            place.fail(key, "must be a number");
        }
        line.Pd_Importe = value.get<double>();
    } else {
        place.fail(key, "is not a field of a voucher line");
    }
}

const json& member(const json& document, const char* key, bool (json::*is_kind)() const noexcept,
                   std::string_view kind, const Place& place) {
    if (!document.contains(key) || !(document.at(key).*is_kind)()) {
        place.fail(key, fmt::format("must be present and be {}", kind));
    }
    return document.at(key);
}

void check_top_level(const json& document, const Place& place) {
    for (const auto& item : document.items()) {
        if (item.key() != "header" && item.key() != "lines") {
            place.fail(item.key(), "is not known: the file holds \"header\" and \"lines\"");
        }
    }
}

json parse_file(const std::string& path) {
    std::ifstream stream(path);
    if (!stream) {
        throw UsageError(fmt::format("cannot read the voucher file {}", path));
    }
    try {
        json document = json::parse(stream);
        if (!document.is_object()) {
            throw UsageError(fmt::format("voucher file {}: not a JSON object", path));
        }
        return document;
    } catch (const json::parse_error& error) {
        throw UsageError(fmt::format("voucher file {} is not valid JSON: {}", path, error.what()));
    }
}

void read_header(const json& header, const std::string& path, VoucherFile& voucher) {
    const Place place(path, "header");
    // Left out, they would be stored as type 0 and as no company at all.
    for (const char* required : {"Pl_Tipo_Poliza", "Em_Cve_Empresa"}) {
        if (!header.contains(required)) {
            place.fail(required, "is required");
        }
    }
    for (const auto& item : header.items()) {
        read_header_field(item.key(), item.value(), voucher, place);
    }
}

// A row's value as the text the ledger receives: strings as they are, numbers as JSON writes them.
std::string electronic_value(const std::string& key, const json& value, const Place& place) {
    if (value.is_number()) {
        return value.dump();
    }
    if (!value.is_string()) {
        place.fail(key, "must be a string or a number");
    }
    return text_of(key, value, place);
}

tPdElectronico read_electronic_row(const json& row, const Place& place) {
    tPdElectronico record;
    record.Tipo = text_of("kind", member(row, "kind", &json::is_string, "a string", place), place);
    for (const auto& item : row.items()) {
        if (item.key() != "kind") {
            record.Campos.emplace_back(item.key(),
                                       electronic_value(item.key(), item.value(), place));
        }
    }
    return record;
}

// The rows of "electronic"; the library checks kinds and field names as it checks any row.
std::vector<tPdElectronico> read_electronic(const json& rows, const std::string& path,
                                            std::size_t line) {
    if (!rows.is_array()) {
        Place(path, fmt::format("line {}", line)).fail("electronic", "must be an array");
    }
    std::vector<tPdElectronico> records;
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const Place place(path, fmt::format("line {}, electronic row {}", line, j + 1));
        if (!rows[j].is_object()) {
            throw UsageError(fmt::format(
                "voucher file {}: line {}, electronic row {} is not an object", path, line, j + 1));
        }
        records.push_back(read_electronic_row(rows[j], place));
    }
    return records;
}

void read_lines(const json& lines, const std::string& path, VoucherFile& voucher) {
    if (lines.empty()) {
        throw UsageError(fmt::format("voucher file {}: the voucher has no lines", path));
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].is_object()) {
            throw UsageError(fmt::format("voucher file {}: line {} is not an object", path, i + 1));
        }
        const Place place(path, fmt::format("line {}", i + 1));
        tPlDetalle& line = voucher.lines.emplace_back();
        std::vector<tPdElectronico>& electronic = voucher.electronic.emplace_back();
        for (const auto& item : lines[i].items()) {
            if (item.key() == "electronic") {
                electronic = read_electronic(item.value(), path, i + 1);
            } else {
                read_line_field(item.key(), item.value(), line, place);
            }
        }
    }
}

}  // namespace

VoucherFile read_voucher_file(const std::string& path) {
    const json document = parse_file(path);
    const Place top(path, "top level");
    check_top_level(document, top);
    VoucherFile voucher;
    read_header(member(document, "header", &json::is_object, "an object", top), path, voucher);
    read_lines(member(document, "lines", &json::is_array, "an array", top), path, voucher);
    return voucher;
}

}  // namespace ledgernova::cli
