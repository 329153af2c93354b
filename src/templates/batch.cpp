#include "templates/batch.h"

#include <array>
#include <string_view>
#include <utility>

#include "core/statement_text.h"
#include "db/exclusive_lock.h"
#include "db/recordset_columns.h"
#include "db/sql_text.h"
#include "host/kept_reads.h"
#include "templates/generator.h"
#include "util/text.h"

namespace ledgernova::templates {
namespace {

const std::string kCrLf(util::kCrLf);

// One active template of the table, as the batch reads it.
struct Plantilla {
    std::string K;  // key
    std::string M;  // expression of the document key
    std::string D;  // expression of the document date
    std::string R;  // FROM-clause body
    std::string T;  // source table
    std::string G;  // general condition, for the company
};

// The active templates of a table that post on line: the FROM and WHERE both members read.
std::string online_templates_of(const std::string& tabla) {
    return "FROM Poliza_Configuracion "
           "   INNER JOIN Poliza_Configuracion_Tabla ON Poliza_Configuracion.Pc_Tabla = "
           "Poliza_Configuracion_Tabla.Pc_Tabla "
           "WHERE "
           "   Poliza_Configuracion_Tabla.Pc_Tabla = '" +
           db::esc(tabla) +
           "' AND "
           "   Poliza_Configuracion.Es_Cve_Estado <> 'BA' AND "
           "Poliza_Configuracion_Tabla.Pc_Contabiliza_Linea = 'SI' ";
}

std::string templates_statement(const std::string& tabla) {
    return "SELECT "
           "   Poliza_Configuracion.Pc_Cve_Poliza_Configuracion, "
           "   Poliza_Configuracion.Pc_Descripcion, "
           "   Poliza_Configuracion.Pc_Tabla, "
           "   Poliza_Configuracion.Pc_Permitir_Importe_Cero, "
           "   Poliza_Configuracion.Pc_Relacion, "
           "   Poliza_Configuracion_Tabla.Pc_Campo_Dia, "
           "   Poliza_Configuracion_Tabla.Pc_Campo_Movimiento " +
           online_templates_of(tabla) +
           "ORDER BY "
           "   Poliza_Configuracion.Pc_Cve_Poliza_Configuracion";
}

std::string general_condition(const Plantilla& p) {
    return p.G.empty() ? std::string() : " AND " + p.G + " ";
}

std::string documents_statement(const Plantilla& p, const std::string& folio) {
    return core::joined("SELECT DISTINCT(", p.M, ") as Folio, ", p.D, " as Fecha ", kCrLf, "FROM ",
                        kCrLf, p.R, " ", kCrLf, "WHERE ", p.M, " = '", db::esc(folio), "' ",
                        general_condition(p), " AND ", p.M,
                        " NOT IN ( "
                        "   SELECT DISTINCT "
                        "       Poliza_Control.Pc_Documento "
                        "   FROM Poliza_Control "
                        "       INNER JOIN Poliza ON Poliza.Pl_Folio = Poliza_Control.Pl_Folio "
                        "   WHERE "
                        "       Poliza.Es_Cve_Estado <> 'CA' AND "
                        "       Poliza_Control.Pc_Tabla = '",
                        db::esc(util::to_upper(p.T)),
                        "' AND "
                        "       Poliza.Pl_Configuracion = '",
                        db::esc(p.K),
                        "' AND "
                        "       Poliza_Control.Pc_Documento = '",
                        db::esc(folio),
                        "'"
                        ") ",
                        kCrLf, "ORDER BY ", p.D, ", ", p.M);
}

std::string link_statement(const Plantilla& p, const std::string& folio_poliza,
                           const std::string& documento) {
    auto& sistema = core::Contexto::sistema();
    return core::joined(
        "INSERT INTO Poliza_Control( "
        "   Pl_Folio, "
        "   Pc_Tabla, "
        "   Pc_Documento, "
        "   Oper_Alta, "
        "   Fecha_Alta, "
        "   Oper_Ult_Modif, "
        "   Fecha_Ult_Modif "
        ") ",
        kCrLf,
        "SELECT DISTINCT "
        "   '",
        db::esc(folio_poliza),
        "', "
        "   '",
        db::esc(util::to_upper(p.T)),
        "', "
        "   ",
        p.M,
        ", "
        "   '",
        db::esc(sistema.Get_Operador()),
        "', "
        "   GETDATE(), "
        "   '",
        db::esc(sistema.Get_Operador()),
        "', "
        "   GETDATE() ",
        kCrLf, "FROM ", p.R, " ", kCrLf, "WHERE ", p.M, " = '", db::esc(documento), "' ",
        general_condition(p));
}

std::string field_text(const db::Recordset& rows, std::string_view column) {
    return db::field_value(rows, column).to_text();
}

enum class Resultado { Posted, Skipped, Failed };

// One document row of one template: its voucher and its link. Skipped when the generation failed
// without a reason, as such a document always was; Failed when it gave one.
Resultado generate_document(core::Contexto& contexto, const Plantilla& p,
                            const db::Recordset& documento, const std::string& tabla,
                            const std::string& folio, const std::string& empresa,
                            std::vector<std::string>& folios) {
    const std::string documento_folio = field_text(documento, "Folio");
    const Generacion generacion{
        p.K, db::field_value(documento, "Fecha").to_date(), documento_folio, tabla, folio, empresa};
    std::string folio_poliza;
    if (!Genera_Poliza(contexto, generacion, folio_poliza)) {
        return contexto.Error.empty() ? Resultado::Skipped : Resultado::Failed;
    }
    if (!folio_poliza.empty()) {
        core::Contexto::ejecutar(link_statement(p, folio_poliza, documento_folio));
        folios.push_back(folio_poliza);
    }
    return Resultado::Posted;
}

// One of several documents, under a savepoint of the template's transaction, so that a failure
// takes back its own writes and keeps those of the documents before it.
bool post_document(core::Contexto& contexto, const Plantilla& p, const db::Recordset& documento,
                   const std::string& tabla, const std::string& folio, const std::string& empresa,
                   std::vector<std::string>& folios) {
    db::Transaction savepoint(core::Contexto::conexion());
    const Resultado resultado =
        generate_document(contexto, p, documento, tabla, folio, empresa, folios);
    if (resultado == Resultado::Posted) {
        savepoint.Commit();
    }
    return resultado != Resultado::Failed;
}

// The documents still to post are read and posted inside one transaction that holds the
// document's lock: a second poster of the same document waits, then finds it posted. The lock's
// name is folded as the ledger compares text, so that two spellings of one document share it.
// A lone document, the usual call, is posted without a savepoint: the transaction is all its
// work, kept or taken back whole, and SQLite need not keep the original of every page it writes.
bool post_documents(core::Contexto& contexto, const Plantilla& p, const std::string& tabla,
                    const std::string& folio, const std::string& empresa) {
    auto& conexion = core::Contexto::conexion();
    db::Transaction transaction(conexion);
    db::lock_until_transaction_ends(
        conexion, "Poliza_Control:" + util::fold_case(p.T) + ":" + util::fold_case(folio));
    std::vector<std::string> folios;
    bool posted = true;
    auto documentos = core::Contexto::ejecutar(documents_statement(p, folio));
    if (documentos.RecordCount() == 1) {
        const Resultado resultado =
            generate_document(contexto, p, documentos, tabla, folio, empresa, folios);
        if (resultado != Resultado::Posted) {
            return resultado == Resultado::Skipped;  // the transaction takes its writes back
        }
    } else {
        for (; posted && !documentos.Eof(); documentos.MoveNext()) {
            posted = post_document(contexto, p, documentos, tabla, folio, empresa, folios);
        }
    }
    transaction.Commit();  // what was posted before a failure stays, as it did document by document
    contexto.folios_generados.insert(contexto.folios_generados.end(), folios.begin(), folios.end());
    return posted;
}

bool post_template(core::Contexto& contexto, Plantilla& p, const std::string& tabla,
                   const std::string& folio, const std::string& empresa) {
    // Error is kept across the member, so only a text set by this read tells of its failure.
    const std::string previous = std::exchange(contexto.Error, {});
    p.G = contexto.self.GetSQL_Condicion_General(p.K, empresa);
    if (!contexto.Error.empty()) {
        return false;  // without its conditions the template would select foreign documents
    }
    contexto.Error = previous;
    return post_documents(contexto, p, tabla, folio, empresa);
}

// The columns each active template gives, one template after the other: key, document key,
// document date, FROM-clause body and source table.
constexpr std::array<std::string_view, 5> kColumnasPlantilla = {
    "Pc_Cve_Poliza_Configuracion", "Pc_Campo_Movimiento", "Pc_Campo_Dia", "Pc_Relacion",
    "Pc_Tabla"};

std::vector<std::string> columnas_de_plantillas(const std::string& tabla) {
    std::vector<std::string> columnas;
    for (auto rows = core::Contexto::leer_estable(templates_statement(tabla)); !rows.Eof();
         rows.MoveNext()) {
        for (const std::string_view columna : kColumnasPlantilla) {
            columnas.push_back(field_text(rows, columna));
        }
    }
    return columnas;
}

// The templates come from the template tables alone: a batch call keeps them.
std::vector<Plantilla> active_templates(const std::string& tabla) {
    const std::vector<std::string> columnas = core::Contexto::compuesto(
        "Genera_Poliza_Tabla\x1f" + tabla, [&] { return columnas_de_plantillas(tabla); });
    std::vector<Plantilla> plantillas;
    for (auto c = columnas.begin(); c != columnas.end(); c += kColumnasPlantilla.size()) {
        plantillas.push_back({c[0], c[1], c[2], c[3], c[4], ""});
    }
    return plantillas;
}

}  // namespace

bool Genera_Poliza_Tabla(core::Contexto& contexto, const std::string& tabla,
                         const std::string& folio, const std::string& empresa) {
    constexpr std::string_view kMember = "Genera_Poliza_Tabla";
    contexto.folios_generados.clear();
    if (util::trim_blanks(empresa).empty()) {
        return core::refuse(contexto, kMember, "No se especifico la empresa");
    }
    return core::guarded(contexto, kMember, 1, [&] {
        const host::KeptReadsScope lecturas(core::Contexto::modulo().lecturas,
                                            core::Contexto::conexion());
        for (auto& plantilla : active_templates(tabla)) {
            if (!post_template(contexto, plantilla, tabla, folio, empresa)) {
                return false;
            }
        }
        return true;
    });
}

bool Contabiliza_En_Linea(core::Contexto& contexto, const std::string& tabla) {
    contexto.Error.clear();
    return core::guarded_as(contexto, "ledgerNova.dll - Contabiliza_En_Linea() ", 1, [&] {
        const auto rows = core::Contexto::ejecutar(
            "SELECT "
            "   Poliza_Configuracion.Pc_Cve_Poliza_Configuracion, "
            "   Poliza_Configuracion.Pc_Descripcion, "
            "   Poliza_Configuracion.Pc_Tabla " +
            online_templates_of(tabla));
        return !rows.Eof();
    });
}

}  // namespace ledgernova::templates
