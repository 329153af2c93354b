#include "ledgernova/dispatch.h"

#include <array>
#include <stdexcept>

#include <fmt/format.h>

#include "util/text.h"

namespace ledgernova::com {
namespace {

using Values = std::vector<Variant>;

// An argument that does not convert. Kept apart from ConversionError so that a conversion failing
// inside a member is never taken for the caller's mistake.
class ArgumentError : public std::runtime_error {
  public:
    ArgumentError(std::size_t position, const std::string& message)
        : std::runtime_error(message), position_(position) {}
    [[nodiscard]] std::size_t position() const { return position_; }

  private:
    std::size_t position_;
};

// The arguments of one call, converted on demand with the Variant conversions. The count has been
// checked against the member before any is read.
class Arguments {
  public:
    explicit Arguments(const std::vector<Variant>& values) : values_(values) {}

    [[nodiscard]] std::string text(std::size_t i) const { return convert(i, &Variant::to_text); }
    [[nodiscard]] std::string optional_text(std::size_t i) const {
        return i < values_.size() ? text(i) : std::string();
    }
    [[nodiscard]] Date date(std::size_t i) const { return convert(i, &Variant::to_date); }
    [[nodiscard]] double number(std::size_t i) const { return convert(i, &Variant::to_double); }
    [[nodiscard]] std::int32_t whole(std::size_t i) const { return convert(i, &Variant::to_long); }

  private:
    template <typename T>
    [[nodiscard]] T convert(std::size_t i, T (Variant::*to)() const) const {
        try {
            return (values_[i].*to)();
        } catch (const ConversionError& failure) {
            throw ArgumentError(i, failure.what());
        }
    }

    const std::vector<Variant>& values_;
};

Values header_fields(const tPlEncabezado& h) {
    return {Variant(h.Pl_Folio),         Variant(h.Pl_Ejercicio),
            Variant(h.Pl_Periodo),       Variant(static_cast<std::int32_t>(h.Pl_Tipo_Poliza)),
            Variant(h.Pl_Numero),        Variant(h.Pl_Fecha),
            Variant(h.Pl_Tabla),         Variant(h.Pl_Documento),
            Variant(h.Pl_Referencia),    Variant(h.Pl_Comentario),
            Variant(h.Pl_Configuracion), Variant(h.Em_Cve_Empresa)};
}

// Designated initialisers run in order, so the first argument that fails is the one reported.
tPlEncabezado header_from(const Arguments& a) {
    return {.Pl_Folio = a.text(0),
            .Pl_Ejercicio = a.text(1),
            .Pl_Periodo = a.text(2),
            .Pl_Tipo_Poliza = static_cast<eTipoPoliza>(a.whole(3)),
            .Pl_Numero = a.text(4),
            .Pl_Fecha = a.date(5),
            .Pl_Tabla = a.text(6),
            .Pl_Documento = a.text(7),
            .Pl_Referencia = a.text(8),
            .Pl_Comentario = a.text(9),
            .Pl_Configuracion = a.text(10),
            .Em_Cve_Empresa = a.text(11)};
}

Values line_fields(const tPlDetalle& d) {
    return {Variant(d.Pd_ID),
            Variant(d.Cc_Cve_Cuenta_Contable),
            Variant(d.Pd_Concepto),
            Variant(d.Pd_Referencia),
            Variant(static_cast<std::int32_t>(d.Pd_Tipo)),
            Variant(d.Pd_Importe),
            Variant(d.Pd_Centro_Costo)};
}

tPlDetalle line_from(const Arguments& a) {
    return {.Pd_ID = a.text(0),
            .Cc_Cve_Cuenta_Contable = a.text(1),
            .Pd_Concepto = a.text(2),
            .Pd_Referencia = a.text(3),
            .Pd_Tipo = static_cast<eTipoMovimiento>(a.whole(4)),
            .Pd_Importe = a.number(5),
            .Pd_Centro_Costo = a.text(6)};
}

Values one(Variant value) {
    return {std::move(value)};
}
Values one(bool value) {
    return one(Variant(value));
}
Values one(std::string value) {
    return one(Variant(std::move(value)));
}

using Handler = Values (*)(_Polizas&, const Arguments&);

struct Entry {
    MemberInfo info;
    Handler call;
};

constexpr auto kMethod = InvokeKind::Method;
constexpr auto kGet = InvokeKind::PropertyGet;
constexpr auto kPut = InvokeKind::PropertyPut;
constexpr auto kMethodOrGet = static_cast<InvokeKind>(1 | 2);

// Interface order; the dispatch ids are those the interface was published with and must not
// change, or callers that bound early would call the wrong member.
const std::array<Entry, 16> kMembers{{
    {{"Folio", 0x68030067, kPut, 1, 1},
     [](_Polizas& o, const Arguments& a) {
         o.put_Folio(a.text(0));
         return Values{};
     }},
    {{"Error", 0x68030066, kGet, 0, 0},
     [](_Polizas& o, const Arguments&) { return one(o.get_Error()); }},
    {{"Encabezado", 0x68030065, kGet, 0, 0},
     [](_Polizas& o, const Arguments&) { return header_fields(o.get_Encabezado()); }},
    {{"Encabezado", 0x68030065, kPut, 12, 12},
     [](_Polizas& o, const Arguments& a) {
         o.put_Encabezado(header_from(a));
         return Values{};
     }},
    {{"Detalle", 0x68030064, kGet, 0, 0},
     [](_Polizas& o, const Arguments&) { return line_fields(o.get_Detalle()); }},
    {{"Detalle", 0x68030064, kPut, 7, 7},
     [](_Polizas& o, const Arguments& a) {
         o.put_Detalle(line_from(a));
         return Values{};
     }},
    {{"Nuevo", 0x6003006A, kMethod, 0, 0},
     [](_Polizas& o, const Arguments&) {
         o.Nuevo();
         return Values{};
     }},
    {{"Add_Poliza_Detalle", 0x6003006B, kMethod, 0, 0},
     [](_Polizas& o, const Arguments&) { return one(o.Add_Poliza_Detalle()); }},
    {{"Cancelar_Poliza", 0x6003006F, kMethod, 1, 1},
     [](_Polizas& o, const Arguments& a) { return one(o.Cancelar_Poliza(a.text(0))); }},
    {{"Cancelar_Poliza_Documento", 0x60030070, kMethod, 2, 2},
     [](_Polizas& o, const Arguments& a) {
         return one(o.Cancelar_Poliza_Documento(a.text(0), a.text(1)));
     }},
    {{"Poliza_Balanceada", 0x60030071, kMethod, 0, 0},
     [](_Polizas& o, const Arguments&) { return one(o.Poliza_Balanceada()); }},
    {{"Genera_Poliza_Tabla", 0x60030072, kMethod, 2, 3},
     [](_Polizas& o, const Arguments& a) {
         return one(o.Genera_Poliza_Tabla(a.text(0), a.text(1), a.optional_text(2)));
     }},
    {{"GetSQL_Condicion_General", 0x60030074, kMethod, 1, 2},
     [](_Polizas& o, const Arguments& a) {
         return one(o.GetSQL_Condicion_General(a.text(0), a.optional_text(1)));
     }},
    {{"GetSQL_Encabezado", 0x60030076, kMethod, 3, 4},
     [](_Polizas& o, const Arguments& a) {
         return one(o.GetSQL_Encabezado(a.text(0), a.date(1), a.text(2), a.optional_text(3)));
     }},
    {{"GetSQL_Detalle", 0x60030077, kMethod, 3, 4},
     [](_Polizas& o, const Arguments& a) {
         return one(o.GetSQL_Detalle(a.text(0), a.date(1), a.text(2), a.optional_text(3)));
     }},
    {{"Contabiliza_En_Linea", 0x60030081, kMethod, 1, 1},
     [](_Polizas& o, const Arguments& a) { return one(o.Contabiliza_En_Linea(a.text(0))); }},
}};

std::string_view kind_name(InvokeKind kind) {
    switch (kind) {
        case InvokeKind::Method:
            return "a method";
        case InvokeKind::PropertyGet:
            return "a property get";
        case InvokeKind::PropertyPut:
            return "a property put";
    }
    if (kind == kMethodOrGet) {
        return "a method or a property get";
    }
    return "an unknown kind of call";
}

InvokeResult failure(DispStatus status, std::string error) {
    InvokeResult result;
    result.status = status;
    result.error = std::move(error);
    return result;
}

// Scripting hosts cannot tell a method from a property get in `obj.Member(...)`, so they pass
// both bits and let the object pick whichever it has.
bool callable_as(InvokeKind member, InvokeKind kind) {
    return member == kind ||
           (kind == kMethodOrGet && (member == InvokeKind::Method || member == kGet));
}

// The entry for the id and kind, or the failure that explains why there is none.
const Entry* find_entry(DispId dispid, InvokeKind kind, InvokeResult& refusal) {
    const Entry* same_id = nullptr;
    for (const Entry& entry : kMembers) {
        if (entry.info.dispid == dispid) {
            if (callable_as(entry.info.kind, kind)) {
                return &entry;
            }
            same_id = &entry;
        }
    }
    refusal = same_id == nullptr ? failure(DispStatus::MemberNotFound,
                                           fmt::format("No member has the dispatch id 0x{:08X}.",
                                                       static_cast<std::uint32_t>(dispid)))
                                 : failure(DispStatus::MemberNotFound,
                                           fmt::format("{} cannot be called as {}.",
                                                       same_id->info.name, kind_name(kind)));
    return nullptr;
}

std::string count_refusal(const MemberInfo& info, std::size_t given) {
    const std::string wanted = info.min_args == info.max_args
                                   ? std::to_string(info.max_args)
                                   : fmt::format("{} to {}", info.min_args, info.max_args);
    return fmt::format("{} takes {} argument(s), {} given.", info.name, wanted, given);
}

InvokeResult call(const Entry& entry, _Polizas& object, const std::vector<Variant>& args) {
    try {
        InvokeResult result;
        result.values = entry.call(object, Arguments(args));
        return result;
    } catch (const ArgumentError& bad) {
        InvokeResult result = failure(DispStatus::TypeMismatch, bad.what());
        result.bad_arg = bad.position();
        return result;
    } catch (const std::exception& broken) {
        return failure(DispStatus::Exception, broken.what());
    } catch (...) {
        return failure(DispStatus::Exception,
                       "Unknown failure inside " + std::string(entry.info.name) + ".");
    }
}

constexpr std::size_t kHeaderFields = 12;
constexpr std::size_t kLineFields = 7;

tPlDetalle line_at(const std::vector<Variant>& lines, std::size_t number) {
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(number * kLineFields);
    const std::vector<Variant> fields(first, first + kLineFields);
    try {
        return line_from(Arguments(fields));
    } catch (const ArgumentError& bad) {
        throw ArgumentError(
            number * kLineFields + bad.position(),
            fmt::format("Line {}, field {}: {}", number + 1, bad.position() + 1, bad.what()));
    }
}

tPlEncabezado header_at(const std::vector<Variant>& header) {
    try {
        return header_from(Arguments(header));
    } catch (const ArgumentError& bad) {
        throw ArgumentError(bad.position(),
                            fmt::format("Header field {}: {}", bad.position() + 1, bad.what()));
    }
}

}  // namespace

InvokeResult voucher_from(const std::vector<Variant>& header, const std::vector<Variant>& lines,
                          VoucherRecords& out) noexcept {
    try {
        if (header.size() != kHeaderFields || lines.size() % kLineFields != 0) {
            return failure(DispStatus::BadParamCount,
                           fmt::format("A voucher takes {} header fields and {} fields per line; "
                                       "{} and {} given.",
                                       kHeaderFields, kLineFields, header.size(), lines.size()));
        }
        out.header = header_at(header);
        out.lines.clear();
        for (std::size_t number = 0; number < lines.size() / kLineFields; ++number) {
            out.lines.push_back(line_at(lines, number));
        }
        return {};
    } catch (const ArgumentError& bad) {
        InvokeResult result = failure(DispStatus::TypeMismatch, bad.what());
        result.bad_arg = bad.position();
        return result;
    } catch (...) {
        return failure(DispStatus::Exception, "Out of memory.");
    }
}

std::span<const MemberInfo> interface_members() {
    static const auto infos = [] {
        std::array<MemberInfo, kMembers.size()> result{};
        for (std::size_t i = 0; i < kMembers.size(); ++i) {
            result[i] = kMembers[i].info;
        }
        return result;
    }();
    return infos;
}

std::optional<DispId> GetIDsOfNames(std::string_view name) {
    for (const Entry& entry : kMembers) {
        if (util::iequals(entry.info.name, name)) {
            return entry.info.dispid;
        }
    }
    return std::nullopt;
}

InvokeResult Invoke(_Polizas& object, DispId dispid, InvokeKind kind,
                    const std::vector<Variant>& args) noexcept {
    try {
        InvokeResult refusal;
        const Entry* entry = find_entry(dispid, kind, refusal);
        if (entry == nullptr) {
            return refusal;
        }
        if (args.size() < entry->info.min_args || args.size() > entry->info.max_args) {
            return failure(DispStatus::BadParamCount, count_refusal(entry->info, args.size()));
        }
        return call(*entry, object, args);
    } catch (...) {  // only an allocation failure while composing a refusal can get here
        return failure(DispStatus::Exception, "Out of memory.");
    }
}

InvokeResult Invoke(_Polizas& object, std::string_view member, InvokeKind kind,
                    const std::vector<Variant>& args) noexcept {
    try {
        const std::optional<DispId> dispid = GetIDsOfNames(member);
        if (!dispid) {
            return failure(DispStatus::UnknownName,
                           fmt::format("The object has no member named '{}'.", member));
        }
        return Invoke(object, *dispid, kind, args);
    } catch (...) {
        return failure(DispStatus::Exception, "Out of memory.");
    }
}

}  // namespace ledgernova::com
