#include "export/xml_writer.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlmemory.h>

#include <memory>
#include <stdexcept>

namespace ledgernova::sat {
namespace {

struct DocumentDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using DocumentPtr = std::unique_ptr<xmlDoc, DocumentDeleter>;

const xmlChar* xml(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

const xmlChar* xml(const std::string& text) {
    return xml(text.c_str());
}

xmlNode* checked(xmlNode* node) {
    if (node == nullptr) {
        throw std::runtime_error("libxml2 could not create an XML element");
    }
    return node;
}

void add_attributes(xmlNode* node, const Element& element) {
    for (const auto& attribute : element.attributes) {
        if (attribute.value.empty() && !attribute.required) {
            continue;
        }
        if (xmlNewProp(node, xml(attribute.name), xml(attribute.value)) == nullptr) {
            throw std::runtime_error("libxml2 could not set the attribute " + attribute.name);
        }
    }
}

void add_children(xmlNode* parent, xmlNs* ns, const Element& element) {
    for (const auto& child : element.children) {
        xmlNode* node = checked(xmlNewChild(parent, ns, xml(child.name), nullptr));
        add_attributes(node, child);
        add_children(node, ns, child);
    }
}

xmlNode* new_root(xmlDoc* document, const Element& root, const Namespace& schema) {
    xmlNode* node = checked(xmlNewDocNode(document, nullptr, xml(root.name), nullptr));
    xmlDocSetRootElement(document, node);
    xmlNs* ns = xmlNewNs(node, xml(schema.uri), xml(schema.prefix));
    xmlNs* xsi = xmlNewNs(node, xml("http://www.w3.org/2001/XMLSchema-instance"), xml("xsi"));
    if (ns == nullptr || xsi == nullptr) {
        throw std::runtime_error("libxml2 could not declare the namespaces");
    }
    xmlSetNs(node, ns);
    xmlNewNsProp(node, xsi, xml("schemaLocation"), xml(schema.schema_location));
    return node;
}

std::string serialize(xmlDoc* document) {
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(document, &text, &size, "UTF-8", 1);
    if (text == nullptr) {
        throw std::runtime_error("libxml2 could not write the XML document");
    }
    std::string result(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
    xmlFree(text);
    return result;
}

}  // namespace

std::string write_xml(const Element& root, const Namespace& ns) {
    xmlInitParser();
    DocumentPtr document(xmlNewDoc(xml("1.0")));
    if (!document) {
        throw std::runtime_error("libxml2 could not create an XML document");
    }
    xmlNode* node = new_root(document.get(), root, ns);
    add_attributes(node, root);
    add_children(node, node->ns, root);
    return serialize(document.get());
}

}  // namespace ledgernova::sat
