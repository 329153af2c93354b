#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <filesystem>
#include <memory>
#include <string>

namespace ledgernova::testing {

// The tax administration's schemas as the tests read them: the copies kept beside the tests
// (tests/export/xsd, the folders laid out as published so that the relative import of the
// catalogues resolves), else the shared folder next to the repository.
inline std::filesystem::path sat_schema_folder() {
#ifdef LEDGERNOVA_SAT_XSD_DIR
    return LEDGERNOVA_SAT_XSD_DIR;
#else
    const auto here = std::filesystem::path(__FILE__).parent_path();
    const auto copy = here / "xsd";
    if (std::filesystem::exists(copy / "PolizasPeriodo" / "PolizasPeriodo_1_3.xsd")) {
        return copy;
    }
    return here.parent_path().parent_path().parent_path() / "shared" / "sat";
#endif
}

inline std::filesystem::path polizas_schema_path() {
    return sat_schema_folder() / "PolizasPeriodo" / "PolizasPeriodo_1_3.xsd";
}

inline std::filesystem::path catalogues_schema_path() {
    return sat_schema_folder() / "CatalogosParaEsqContE" / "CatalogosParaEsqContE.xsd";
}

// Validates documents against PolizasPeriodo 1.3 with libxml2, the schema parsed once.
class PolizasSchema {
  public:
    // The schema of the process; nullptr when its file is missing or does not parse.
    static const PolizasSchema* instance() {
        static const std::unique_ptr<PolizasSchema> schema = load();
        return schema.get();
    }

    ~PolizasSchema() { xmlSchemaFree(schema_); }
    PolizasSchema(const PolizasSchema&) = delete;
    PolizasSchema& operator=(const PolizasSchema&) = delete;

    // "" when the document is well formed and valid; otherwise libxml2's messages, one a line.
    std::string errors(const std::string& xml) const {
        std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
            xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "export.xml", nullptr,
                          XML_PARSE_NONET),
            &xmlFreeDoc);
        if (!document) {
            return "the document is not well-formed XML";
        }
        std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> context(
            xmlSchemaNewValidCtxt(schema_), &xmlSchemaFreeValidCtxt);
        std::string messages;
        xmlSchemaSetValidStructuredErrors(context.get(), &collect, &messages);
        const int status = xmlSchemaValidateDoc(context.get(), document.get());
        return status == 0 ? "" : messages.empty() ? "invalid (no message)" : messages;
    }

  private:
    explicit PolizasSchema(xmlSchema* schema) : schema_(schema) {}

    static std::unique_ptr<PolizasSchema> load() {
        const std::string path = polizas_schema_path().string();
        if (!std::filesystem::exists(path)) {
            return nullptr;
        }
        xmlSchemaParserCtxt* parser = xmlSchemaNewParserCtxt(path.c_str());
        xmlSchema* schema = xmlSchemaParse(parser);
        xmlSchemaFreeParserCtxt(parser);
        return schema == nullptr ? nullptr
                                 : std::unique_ptr<PolizasSchema>(new PolizasSchema(schema));
    }

    static void collect(void* sink, xmlError* error) {
        auto* messages = static_cast<std::string*>(sink);
        *messages += std::string(error->message != nullptr ? error->message : "?");
    }

    xmlSchema* schema_;
};

}  // namespace ledgernova::testing

// Skips the test when the schema cannot be read, saying where it was looked for.
#define LEDGERNOVA_REQUIRE_SAT_SCHEMA()                                                  \
    do {                                                                                 \
        if (::ledgernova::testing::PolizasSchema::instance() == nullptr) {               \
            GTEST_SKIP() << "the PolizasPeriodo 1.3 schema is missing or unreadable at " \
                         << ::ledgernova::testing::polizas_schema_path();                \
        }                                                                                \
    } while (false)
