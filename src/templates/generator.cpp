#include "templates/generator.h"

#include "core/statement_text.h"
#include "db/recordset_columns.h"
#include "templates/detail_row.h"
#include "templates/diagnostic.h"
#include "templates/line_detail.h"
#include "util/text.h"

namespace ledgernova::templates {
namespace {

const std::string kCrLf(util::kCrLf);
const std::string kSource = "ledgerNova.dll - Genera_Poliza()";

bool fail(core::Contexto& contexto, const std::string& message) {
    contexto.Error = message;
    return false;
}

std::string text_of(const db::Recordset& row, std::string_view column) {
    return db::field_value(row, column).to_text();
}

// The messages that stop a generation show a Null as nothing rather than failing on it, so that
// the reason they give is not lost.
std::string text_or_nothing(const FilaDetalle& row, std::size_t column) {
    const Variant value = row.valor(column);
    return value.is_null() ? std::string() : value.to_text();
}

// The detail row as it came, for the messages that stop a generation.
std::string diagnostico(const Generacion& generacion, const FilaDetalle& row) {
    return bloque_diagnostico({generacion.clave, Variant(generacion.fecha).to_text(),
                               text_or_nothing(row, kCuenta), text_or_nothing(row, kCentroCosto),
                               text_or_nothing(row, kConcepto), text_or_nothing(row, kReferencia),
                               text_or_nothing(row, kImporte), text_or_nothing(row, kTipo) == "1"});
}

void llenar_encabezado(core::Contexto& contexto, const Generacion& generacion,
                       const db::Recordset& row) {
    auto& header = contexto.header;
    header.Pl_Comentario = util::left_chars(text_of(row, "Pl_Comentario"), 50);
    header.Pl_Ejercicio = std::to_string(generacion.fecha.year());
    header.Pl_Periodo = core::zero_padded(generacion.fecha.month(), 2);
    header.Pl_Fecha = generacion.fecha;
    header.Pl_Referencia = util::left_chars(text_of(row, "Pl_Referencia"), 15);
    header.Pl_Tipo_Poliza = static_cast<eTipoPoliza>(db::field_value(row, "Pl_Tipo").to_long());
    header.Pl_Numero.clear();
    header.Pl_Configuracion = generacion.clave;
    header.Em_Cve_Empresa = generacion.empresa;
    if (!generacion.tabla.empty() && !generacion.folio.empty()) {
        header.Pl_Tabla = util::to_upper(generacion.tabla);
        header.Pl_Documento = generacion.folio;
    }
}

void llenar_linea(core::Contexto& contexto, const FilaDetalle& row, double importe) {
    auto& line = contexto.line;
    line.Cc_Cve_Cuenta_Contable = row.texto(kCuenta);
    line.Pd_Centro_Costo = util::left_chars(row.texto(kCentroCosto), 6);
    line.Pd_Concepto = util::left_chars(row.texto(kConcepto), 100);
    line.Pd_Importe = importe;
    line.Pd_Referencia = util::left_chars(row.texto(kReferencia), 15);
    line.Pd_Tipo = static_cast<eTipoMovimiento>(row.valor(kTipo).to_long());
}

bool permite_importe_cero(const std::string& clave) {
    return core::Contexto::valor_campo("Poliza_Configuracion", "Pc_Cve_Poliza_Configuracion", clave,
                                       "Pc_Permitir_Importe_Cero") == "SI";
}

// One detail row: skipped, added as a line with its electronic detail, or the reason the
// generation stops.
bool agregar_fila(core::Contexto& contexto, const Generacion& generacion, const FilaDetalle& row,
                  bool permiso_cero, EntradasElectronicas& entradas) {
    const Variant valor = row.valor(kImporte);
    if (valor.is_null()) {
        return true;
    }
    const double importe = valor.to_double();
    if (importe < 0) {
        return fail(contexto,
                    "Error al agregar un registro a la póliza, el importe no puede ser negativo!" +
                        kCrLf + diagnostico(generacion, row));
    }
    if (!permiso_cero && !(importe > 0)) {
        return true;
    }
    llenar_linea(contexto, row, importe);
    if (!contexto.self.Add_Poliza_Detalle()) {
        return fail(contexto, "Error al agregar un registro a la póliza: " + kCrLf +
                                  contexto.Error + kCrLf + diagnostico(generacion, row));
    }
    return Detalle_Electronico_Linea(contexto, row, entradas);
}

bool generar(core::Contexto& contexto, const Generacion& generacion, std::string& folio_poliza) {
    auto& self = contexto.self;
    const std::string G = self.GetSQL_Condicion_General(generacion.clave, generacion.empresa);
    if (!contexto.Error.empty()) {
        return false;  // without its conditions the template would select foreign documents
    }
    auto encabezado = core::Contexto::conexion().Execute(
        self.GetSQL_Encabezado(generacion.clave, generacion.fecha, generacion.valor, G), -1);
    if (encabezado.Eof()) {
        return fail(contexto, kSource + kCrLf + "No se encontraron resultados para el encabezado!");
    }
    auto detalle = core::Contexto::conexion().Execute(
        self.GetSQL_Detalle(generacion.clave, generacion.fecha, generacion.valor, G), -1);
    if (detalle.Eof()) {
        return fail(contexto, kSource + kCrLf + "No se encontraron resultados para el detalle!");
    }
    const bool permiso_cero = permite_importe_cero(generacion.clave);
    self.Nuevo();
    llenar_encabezado(contexto, generacion, encabezado);
    EntradasElectronicas entradas;
    const FilaDetalle fila(detalle);
    for (; !detalle.Eof(); detalle.MoveNext()) {
        if (!agregar_fila(contexto, generacion, fila, permiso_cero, entradas)) {
            return false;
        }
    }
    folio_poliza = contexto.header.Pl_Folio;
    if (!self.Poliza_Balanceada()) {
        return fail(contexto, kSource + kCrLf + "Póliza desbalanceada! " + folio_poliza + kCrLf +
                                  contexto.Error);
    }
    return true;
}

}  // namespace

bool Genera_Poliza(core::Contexto& contexto, const Generacion& generacion,
                   std::string& folio_poliza) {
    contexto.Error.clear();
    folio_poliza.clear();
    contexto.comandos_de_la_poliza.emplace();  // the commands of this voucher's lines only
    const bool generada =
        core::guarded_as(contexto, "Genera_Poliza: " + generacion.clave + " error: ", 0,
                         [&] { return generar(contexto, generacion, folio_poliza); });
    contexto.comandos_de_la_poliza.reset();
    return generada;
}

}  // namespace ledgernova::templates
