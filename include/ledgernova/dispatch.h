#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ledgernova/export.h"
#include "ledgernova/ipolizas.h"
#include "ledgernova/variant.h"

namespace ledgernova::com {

// Late binding to the voucher object: every member of _Polizas reachable by name and dispatch id,
// with Variants for arguments and results, the way a scripting host calls the object.

using DispId = std::int32_t;

// The values of the platform's DISPATCH_METHOD, DISPATCH_PROPERTYGET and DISPATCH_PROPERTYPUT, so
// callers translating from it map them one to one.
enum class InvokeKind : std::int32_t { Method = 1, PropertyGet = 2, PropertyPut = 4 };

struct MemberInfo {
    std::string_view name;
    DispId dispid;
    InvokeKind kind;
    std::size_t min_args;  // the optional trailing arguments are the difference to max_args
    std::size_t max_args;
};

// The members in interface order. Encabezado and Detalle appear twice, as get and as put, under one
// dispatch id.
[[nodiscard]] LEDGERNOVA_API std::span<const MemberInfo> interface_members();

// The dispatch id of a member, the name compared without regard to case; nullopt when the interface
// has no such member.
[[nodiscard]] LEDGERNOVA_API std::optional<DispId> GetIDsOfNames(std::string_view name);

// Why a call never reached the object. A member that ran and failed is not a dispatch failure: the
// call succeeds, its result says False (or "") and the object's Error tells why.
enum class DispStatus {
    Ok,
    UnknownName,     // DISP_E_UNKNOWNNAME: no member by that name
    MemberNotFound,  // DISP_E_MEMBERNOTFOUND: no member with that id and kind
    BadParamCount,   // DISP_E_BADPARAMCOUNT: too few or too many arguments
    TypeMismatch,    // DISP_E_TYPEMISMATCH: an argument does not convert (Null, Overflow, ...)
    Exception,       // DISP_E_EXCEPTION: the member broke its promise not to throw
};

struct InvokeResult {
    DispStatus status = DispStatus::Ok;
    // One value for a property get or a function, the fields in interface order for a record get,
    // none for a put or a method without result. Empty whenever status is not Ok.
    std::vector<Variant> values;
    // Empty when status is Ok. For TypeMismatch it is the conversion's own message.
    std::string error;
    // For TypeMismatch, the position in `args` of the argument that did not convert.
    std::optional<std::size_t> bad_arg;
};

// Calls one member. `args` are in the order the member declares them (not reversed as in
// DISPPARAMS); a record put takes the record's fields in interface order (12 for the header, 7 for
// the line) with dates as Date, enumerations as Long and Pd_Importe as Double, though anything
// the Variant conversions accept will do. Omitted optional texts are "". Every argument is
// converted before the member runs, so a call refused here leaves the object untouched. Never
// throws.
[[nodiscard]] LEDGERNOVA_API InvokeResult Invoke(_Polizas& object, DispId dispid, InvokeKind kind,
                                                 const std::vector<Variant>& args) noexcept;

// The same, the member named as GetIDsOfNames takes it; UnknownName when there is no such member.
[[nodiscard]] LEDGERNOVA_API InvokeResult Invoke(_Polizas& object, std::string_view member,
                                                 InvokeKind kind,
                                                 const std::vector<Variant>& args) noexcept;

// A whole voucher as Polizas::post_voucher takes it.
struct VoucherRecords {
    tPlEncabezado header;
    std::vector<tPlDetalle> lines;
};

// The header from its 12 fields and the lines from 7 fields each, one line after another, as the
// Encabezado and Detalle puts take them. BadParamCount when the counts are not 12 and a multiple
// of 7; TypeMismatch naming the header field, or the line and field, that does not convert
// (bad_arg: the header's fields count from 0, a line's from 0 at its first field). Never throws.
[[nodiscard]] LEDGERNOVA_API InvokeResult voucher_from(const std::vector<Variant>& header,
                                                       const std::vector<Variant>& lines,
                                                       VoucherRecords& out) noexcept;

}  // namespace ledgernova::com
