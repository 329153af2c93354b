#include "export/export_outcome.h"

#include "export/document_check.h"
#include "export/xml_writer.h"

namespace ledgernova::sat {

std::vector<ExportProblem> validation_problems(Schema schema, std::string_view xml) {
    std::vector<ExportProblem> problems;
    for (const auto& message : schema_problems(schema, xml)) {
        problems.push_back({{}, {}, {}, {}, {}, {}, "the schema refuses the document: " + message});
    }
    return problems;
}

ExportResult checked_export(const Element& document, const Namespace& ns, Schema schema,
                            bool force) {
    ExportResult result;
    result.problems = check_document(document);
    if (result.problems.empty() || force) {
        result.xml = write_xml(document, ns);
    }
    if (result.problems.empty()) {
        // The schema itself has the last word on what the checks let through.
        result.problems = validation_problems(schema, result.xml);
    }
    result.ok = result.problems.empty() || force;
    if (!result.ok) {
        result.xml.clear();
    }
    return result;
}

ExportResult failed_export(const std::string& message) {
    ExportResult result;
    result.problems.push_back({{}, {}, {}, {}, {}, {}, "the export failed: " + message});
    return result;
}

}  // namespace ledgernova::sat
