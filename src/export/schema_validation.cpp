#include "export/schema_validation.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace ledgernova::sat {
namespace {

using DocumentPtr = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

// Where the shipped schemas are looked for after the environment's folder.
#ifndef LEDGERNOVA_SAT_INSTALL_DIR
#define LEDGERNOVA_SAT_INSTALL_DIR ""
#endif
#ifndef LEDGERNOVA_SAT_SOURCE_DIR
#define LEDGERNOVA_SAT_SOURCE_DIR ""
#endif

std::filesystem::path running_program_schemas() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return program.parent_path().parent_path() / "share" / "ledgernova" / "sat";
}

bool holds_schemas(const std::filesystem::path& folder) {
    std::error_code error;
    return !folder.empty() &&
           std::filesystem::exists(folder / schema_file(Schema::Catalogos), error);
}

// A schema parsed once, kept for the life of the process.
struct ParsedSchema {
    std::once_flag once;
    xmlSchema* schema = nullptr;
    std::string path;
};

ParsedSchema& parsed(Schema schema) {
    static std::array<ParsedSchema, 4> schemas;
    ParsedSchema& entry = schemas.at(static_cast<std::size_t>(schema));
    std::call_once(entry.once, [&entry, schema] {
        entry.path = (schemas_folder() / schema_file(schema)).string();
        xmlSchemaParserCtxt* parser = xmlSchemaNewParserCtxt(entry.path.c_str());
        entry.schema = xmlSchemaParse(parser);
        xmlSchemaFreeParserCtxt(parser);
    });
    return entry;
}

// libxml2's message on one line, without the enumeration's set of values, which for the
// grouping codes runs to thousands.
std::string problem_text(const xmlError& error) {
    std::string message = error.message != nullptr ? error.message : "invalid";
    const auto set = message.find(" is not an element of the set {");
    if (set != std::string::npos) {
        message = message.substr(0, set) + " is not a value of the catalogue.";
    }
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    return "line " + std::to_string(error.line) + ": " + message;
}

void collect(void* sink, xmlError* error) {
    static_cast<std::vector<std::string>*>(sink)->push_back(problem_text(*error));
}

std::string attribute(xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

bool named(const xmlNode* node, std::string_view name) {
    return node->type == XML_ELEMENT_NODE && reinterpret_cast<const char*>(node->name) == name;
}

void enumerations(xmlNode* node, std::vector<std::string>& values) {
    for (xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (named(child, "enumeration")) {
            values.push_back(attribute(child, "value"));
        }
        enumerations(child, values);
    }
}

}  // namespace

std::string schema_file(Schema schema) {
    switch (schema) {
        case Schema::PolizasPeriodo:
            return "PolizasPeriodo/PolizasPeriodo_1_3.xsd";
        case Schema::CatalogoCuentas:
            return "CatalogoCuentas/CatalogoCuentas_1_3.xsd";
        case Schema::BalanzaComprobacion:
            return "BalanzaComprobacion/BalanzaComprobacion_1_3.xsd";
        case Schema::Catalogos:
            return "CatalogosParaEsqContE/CatalogosParaEsqContE.xsd";
    }
    return "";
}

std::filesystem::path schemas_folder() {
    if (const char* chosen = std::getenv("LEDGERNOVA_SAT_SCHEMAS"); chosen != nullptr) {
        return chosen;
    }
    for (const std::filesystem::path& folder :
         {std::filesystem::path(LEDGERNOVA_SAT_INSTALL_DIR), running_program_schemas(),
          std::filesystem::path(LEDGERNOVA_SAT_SOURCE_DIR)}) {
        if (holds_schemas(folder)) {
            return folder;
        }
    }
    return {};
}

std::vector<std::string> schema_problems(Schema schema, std::string_view xml) {
    ParsedSchema& entry = parsed(schema);
    if (entry.schema == nullptr) {
        return {"the schema " + entry.path + " is missing or cannot be read"};
    }
    const DocumentPtr document(
        xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "export.xml", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        &xmlFreeDoc);
    if (!document) {
        return {"the document is not well-formed XML"};
    }
    std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> context(
        xmlSchemaNewValidCtxt(entry.schema), &xmlSchemaFreeValidCtxt);
    std::vector<std::string> problems;
    xmlSchemaSetValidStructuredErrors(context.get(), &collect, &problems);
    if (xmlSchemaValidateDoc(context.get(), document.get()) != 0 && problems.empty()) {
        problems.emplace_back("the document is not valid");
    }
    return problems;
}

std::vector<std::string> catalogue_values(std::string_view type) {
    const std::string path = (schemas_folder() / schema_file(Schema::Catalogos)).string();
    const DocumentPtr document(
        xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR), &xmlFreeDoc);
    std::vector<std::string> values;
    if (!document) {
        return values;
    }
    for (xmlNode* node = xmlDocGetRootElement(document.get())->children; node != nullptr;
         node = node->next) {
        if (named(node, "simpleType") && attribute(node, "name") == type) {
            enumerations(node, values);
        }
    }
    return values;
}

}  // namespace ledgernova::sat
