#include "ledgernova/registry.h"

#include <array>

#include "ledgernova/polizas.h"
#include "util/text.h"

namespace ledgernova::com {
namespace {

std::unique_ptr<_Polizas> create_polizas() {
    return std::make_unique<Polizas>();
}

constexpr std::array<ClassInfo, 1> kClasses{{
    {kProgId_Polizas, CLSID_Polizas, &create_polizas},
}};

// Registration tools and hand-edited configuration write CLSIDs both ways.
std::string_view without_braces(std::string_view id) {
    if (id.size() >= 2 && id.front() == '{' && id.back() == '}') {
        return id.substr(1, id.size() - 2);
    }
    return id;
}

bool answers_to(const ClassInfo& info, std::string_view name) {
    return util::iequals(info.progid, name) ||
           util::iequals(without_braces(info.clsid), without_braces(name));
}

}  // namespace

std::optional<ClassInfo> find_class(std::string_view progid_or_clsid) {
    for (const ClassInfo& info : kClasses) {
        if (answers_to(info, progid_or_clsid)) {
            return info;
        }
    }
    return std::nullopt;
}

std::unique_ptr<_Polizas> CreateObject(std::string_view progid_or_clsid) noexcept {
    try {
        const std::optional<ClassInfo> info = find_class(progid_or_clsid);
        return info ? info->create() : nullptr;
    } catch (...) {  // the constructor keeps its own failures; only allocation can throw
        return nullptr;
    }
}

}  // namespace ledgernova::com
