#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/module_state.h"
#include "ledgernova/ipolizas.h"
#include "util/text.h"

namespace ledgernova::core {

// The state of one voucher object, shared by the subsystems that act on it.
struct Contexto {
    explicit Contexto(_Polizas& object) : self(object) {}

    _Polizas& self;  // members call one another through the object's own interface
    tPlEncabezado header;
    tPlDetalle line;
    std::string Error;
    bool Centro_Costo_Obligatorio = false;
    std::string Formato_Poliza;
    bool Numero_Poliza_X_Empresa = false;
    std::string Moneda_Local;
    std::string Fecha_Movimiento;
    std::int16_t Contador_Detalle = 0;
    std::vector<std::string> folios_generados;  // committed by the last Genera_Poliza_Tabla
    // While a template generates a voucher: the electronic detail commands its lines ran, with
    // their rows (see electronic::Ejecutar_Consulta).
    std::optional<std::unordered_map<std::string, db::Recordset>> comandos_de_la_poliza;

    // The thread's module state, started on first use; throws when it cannot be started.
    [[nodiscard]] static host::ModuleState& modulo() { return host::modulo(); }
    [[nodiscard]] static ServiciosSistema& sistema() { return *modulo().sistema; }
    [[nodiscard]] static ServiciosDatos& datos() { return *modulo().datos; }
    [[nodiscard]] static db::Connection& conexion() { return sistema().Get_Conexion(); }

    // Composes the statement in the module's Texto_SQL and runs it at once.
    static db::Recordset ejecutar(std::string statement) {
        auto& state = modulo();
        state.Texto_SQL = std::move(statement);
        return conexion().Execute(state.Texto_SQL, -1);
    }

    // The same for a read that no posting can change (template configuration, account
    // catalogue): inside a batch call its rows are kept as host::KeptReads describes.
    static db::Recordset leer_estable(std::string statement) {
        auto& state = modulo();
        state.Texto_SQL = std::move(statement);
        return state.lecturas.rows(conexion(), state.Texto_SQL);
    }

    // Texts composed from reads that no posting can change alone: within a batch call those kept
    // under `clave` (host::KeptReads::composed), else what `componer` gives, then kept.
    template <typename Componer>
    [[nodiscard]] static std::vector<std::string> compuesto(const std::string& clave,
                                                            Componer&& componer) {
        auto& lecturas = modulo().lecturas;
        if (const std::vector<std::string>* kept = lecturas.composed(clave)) {
            return *kept;
        }
        std::vector<std::string> textos = std::forward<Componer>(componer)();
        lecturas.keep_composed(clave, textos);
        return textos;
    }

    // The host's parameter and field value; inside a batch call each is asked once per call.
    [[nodiscard]] static Variant parametro(const std::string& nombre, std::int32_t ambito,
                                           const std::string& tipo,
                                           const std::string& valor_default);
    [[nodiscard]] static std::string valor_campo(const std::string& tabla,
                                                 const std::string& campo_llave,
                                                 const std::string& valor_llave,
                                                 const std::string& campo_resultado);
};

// "ledgerNova.dll - <member>()", the source name in front of a member's error texts.
[[nodiscard]] inline std::string source_name(std::string_view member) {
    return "ledgerNova.dll - " + std::string(member) + "()";
}

// Sets the member's own refusal: source name, line break, message. Returns false for the caller.
inline bool refuse(Contexto& contexto, std::string_view member, std::string_view message) {
    contexto.Error = source_name(member) + std::string(util::kCrLf) + std::string(message);
    return false;
}

// A routine's failure as its error text: `source`, then `breaks` line breaks, then the failure's
// description.
inline void record_failure(Contexto& contexto, std::string_view source, int breaks,
                           const std::exception& failure) {
    contexto.Error = std::string(source);
    for (int i = 0; i < breaks; ++i) {
        contexto.Error += util::kCrLf;
    }
    contexto.Error += failure.what();
}

// Runs a routine's body; any failure inside becomes the routine's error text: `source`, then
// `breaks` line breaks, then the failure's description.
template <typename Body>
bool guarded_as(Contexto& contexto, std::string_view source, int breaks, Body&& body) {
    try {
        return body();
    } catch (const std::exception& failure) {
        record_failure(contexto, source, breaks, failure);
        return false;
    }
}

// The same for a member whose source name is the usual "ledgerNova.dll - <member>()", composed
// only when the member fails: members run for every line.
template <typename Body>
bool guarded(Contexto& contexto, std::string_view member, int breaks, Body&& body) {
    try {
        return body();
    } catch (const std::exception& failure) {
        record_failure(contexto, source_name(member), breaks, failure);
        return false;
    }
}

// Booleans read from parameters that may be unset: Null, Empty or blank read as false.
[[nodiscard]] bool parametro_booleano(const Variant& value);

}  // namespace ledgernova::core
