#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "export/document.h"
#include "export/schema_validation.h"
#include "ledgernova/export_sat.h"

namespace ledgernova::sat {

// The document checked attribute by attribute (check_document), then written in namespace `ns`
// and, when the check found nothing, validated with libxml2 against `schema`. Refused (not ok, no
// xml) on any problem unless `force` is set; a forced result lists its problems with the xml.
// Throws std::runtime_error when libxml2 cannot write the document.
[[nodiscard]] ExportResult checked_export(const Element& document, const Namespace& ns,
                                          Schema schema, bool force);

// What libxml2 finds wrong with a written document against the schema, each an ExportProblem
// whose reason is "the schema refuses the document: line 3: ...". Empty when it is valid.
[[nodiscard]] std::vector<ExportProblem> validation_problems(Schema schema, std::string_view xml);

// An export that could not be made: not ok, one problem "the export failed: <message>".
[[nodiscard]] ExportResult failed_export(const std::string& message);

// What `make` returns, or failed_export with the message of whatever it throws.
template <typename Make>
[[nodiscard]] ExportResult guarded_export(Make make) {
    try {
        return make();
    } catch (const std::exception& error) {
        return failed_export(error.what());
    } catch (...) {
        return failed_export("an unknown failure");
    }
}

}  // namespace ledgernova::sat
