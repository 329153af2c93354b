#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "ledgernova/export.h"
#include "ledgernova/ipolizas.h"

namespace ledgernova::com {

// The identities under which the component was published. They are what callers and earlier
// registrations know it by, so they never change.
inline constexpr std::string_view kProgId_Polizas = "ledgerNova.Polizas";
inline constexpr std::string_view CLSID_Polizas = "{A4F0CA0C-F635-4571-8038-2818430A10DD}";
inline constexpr std::string_view IID__Polizas = "{C89FAD3A-67BB-4DE4-9247-BF217E55F358}";
inline constexpr std::string_view LIBID_ledgerNova = "{81DDB955-46AE-49E1-BE79-BBB8DDE01B17}";
inline constexpr int kTypeLibMajorVersion = 1;
inline constexpr int kTypeLibMinorVersion = 0;
inline constexpr std::string_view GUID_tPlEncabezado = "{9F4BEC23-744E-4667-9982-A12B0689448F}";
inline constexpr std::string_view GUID_tPlDetalle = "{3696754C-1CAC-4DBF-BC29-9F36C12071DE}";
inline constexpr std::string_view GUID_eTipoPoliza = "{F7E252CA-E043-4FB2-8422-3DDADD28347E}";
inline constexpr std::string_view GUID_eTipoMovimiento = "{7CA0202F-B44A-4820-B2C0-E45BA5160275}";

// One creatable class.
struct ClassInfo {
    std::string_view progid;
    std::string_view clsid;
    std::unique_ptr<_Polizas> (*create)();
};

// The class known by a ProgID or a CLSID, both compared without regard to case; the CLSID may be
// written with or without its braces. nullopt when no class answers to the name.
[[nodiscard]] LEDGERNOVA_API std::optional<ClassInfo> find_class(std::string_view progid_or_clsid);

// A new object of the class known by `progid_or_clsid`; null when there is no such class or the
// object could not be made. An object that could not reach its host is still returned, with the
// reason in its Error. Never throws.
[[nodiscard]] LEDGERNOVA_API std::unique_ptr<_Polizas> CreateObject(
    std::string_view progid_or_clsid) noexcept;

}  // namespace ledgernova::com
