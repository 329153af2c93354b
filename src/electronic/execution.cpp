#include "electronic/execution.h"

#include <algorithm>
#include <array>
#include <exception>
#include <utility>

#include "electronic/checks.h"
#include "electronic/invoices.h"
#include "electronic/payments.h"
#include "util/text.h"

namespace ledgernova::electronic {
namespace {

using core::Contexto;

constexpr std::string_view kSinResultados =
    "No se encontraron resultados para el detalle electrónico: ";

const std::array<const Clase*, 6> kClases = {
    &kClaseCheque,          &kClaseTransferencia,         &kClaseComprobante,
    &kClaseComprobanteOtro, &kClaseComprobanteExtranjero, &kClaseOtroMetodoPago,
};

// The kind an entry's type names, compared after upper-casing but untrimmed; nullptr for none.
// The names are upper-case ASCII, which upper-casing makes of ASCII letters only.
const Clase* clase_de(const std::string& Tipo) {
    const auto clase = std::ranges::find_if(
        kClases, [&](const Clase* c) { return util::iequals(Tipo, c->nombre); });
    return clase == kClases.end() ? nullptr : *clase;
}

// A command that names a table a posting writes may answer differently once a line was written.
bool lee_lo_que_se_escribe(const std::string& comando) {
    constexpr std::array<std::string_view, 3> kTablas = {"POLIZA", "CONSECUTIVO", "FOLIO_TABLA"};
    return std::ranges::any_of(kTablas, [&](std::string_view tabla) {
        return util::find_any_case(comando, tabla) != std::string_view::npos;
    });
}

// The rows of a command. While a voucher is generated, a command that an earlier line of the
// voucher ran gives its rows again: the documents it reads do not change during the posting.
db::Recordset filas_del_comando(Contexto& contexto, const std::string& comando) {
    auto& ejecutados = contexto.comandos_de_la_poliza;
    if (!ejecutados) {
        return Contexto::conexion().Execute(comando, -1);
    }
    if (const auto found = ejecutados->find(comando); found != ejecutados->end()) {
        return found->second;  // only commands that read no ledger table are kept
    }
    db::Recordset filas = Contexto::conexion().Execute(comando, -1);
    if (lee_lo_que_se_escribe(comando)) {
        return filas;
    }
    ejecutados->emplace(comando, filas);
    return filas;
}

// A command that finds nothing stops the entry under the validation switch; without it, the entry
// leaves one row of default values so that the line still shows its kind of detail.
bool sin_resultados(Ejecucion& e, const Clase* clase) {
    e.contexto.Error = std::string(kSinResultados) + std::string(util::kCrLf) + e.diagnostico();
    if (e.validar) {
        return false;
    }
    return clase == nullptr || clase->escribe(e, e.valores_iniciales());
}

// Checks and writes every row of the result, whose columns are recognised first. `Ejecutado`
// becomes true only when every row was read.
bool escribe_filas(Ejecucion& e, const Clase* clase, bool& Ejecutado) {
    if (!Valida_Campos_SQL(e.contexto, e.rs, e.campos)) {
        return false;
    }
    for (; !e.rs.Eof(); e.rs.MoveNext()) {
        Valores valores = e.valores_de_fila();  // read even for a kind that writes nothing
        if (clase != nullptr && !(clase->revisa(e, valores) && clase->escribe(e, valores))) {
            return false;
        }
    }
    Ejecutado = true;
    return true;
}

// Runs the command and writes its rows. False when the entry stopped.
bool recorre(Ejecucion& e, bool& Ejecutado) {
    if (e.Comando.empty()) {
        return true;  // the database refuses an empty statement; there is nothing to run
    }
    e.rs = filas_del_comando(e.contexto, e.Comando);
    Contexto::modulo().Texto_SQL.clear();
    const Clase* clase = clase_de(e.Tipo);
    if (e.rs.Eof()) {
        return sin_resultados(e, clase);
    }
    return escribe_filas(e, clase, Ejecutado);
}

// The frame both entry points share: the local currency refreshed, one run for the line, and any
// failure that no check foresees turned into the general failure text.
template <typename Paso>
bool ejecuta(Contexto& contexto, const std::string& Pl_Folio, const std::string& Pd_ID,
             const std::string& Tipo, const std::string& Comando, Paso paso) {
    contexto.Error.clear();
    try {
        contexto.Moneda_Local = Contexto::parametro("FIN_MONEDA_LOCAL", 0, "T", "MXN").to_text();
        Ejecucion ejecucion(contexto, Pl_Folio, Pd_ID, Tipo, Comando);
        return paso(ejecucion);
    } catch (const std::exception& failure) {
        contexto.Error =
            "Ejecutar_Consulta() - " + Tipo + std::string(util::kCrLf) + failure.what();
        return false;
    }
}

}  // namespace

bool Ejecutar_Consulta(Contexto& contexto, const std::string& Pl_Folio, const std::string& Pd_ID,
                       tPlDetalleElectronico& Detalle) {
    Detalle.Ejecutado = false;
    const std::string Tipo = Detalle.Tipo;
    return ejecuta(contexto, Pl_Folio, Pd_ID, Tipo, Detalle.Comando,
                   [&](Ejecucion& e) { return recorre(e, Detalle.Ejecutado); });
}

bool Escribir_Filas(Contexto& contexto, const std::string& Pl_Folio, const std::string& Pd_ID,
                    const std::string& Tipo, db::Recordset filas) {
    return ejecuta(contexto, Pl_Folio, Pd_ID, Tipo, {}, [&](Ejecucion& e) {
        e.rs = std::move(filas);
        bool leidas = false;
        return escribe_filas(e, clase_de(Tipo), leidas);
    });
}

}  // namespace ledgernova::electronic
