#include "ledgernova/ledgernova.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/stored_voucher.h"
#include "db/sql_text.h"
#include "host/module_state.h"
#include "ledgernova/chart.h"
#include "ledgernova/connection.h"
#include "ledgernova/dispatch.h"
#include "ledgernova/export_balance.h"
#include "ledgernova/export_catalogue.h"
#include "ledgernova/export_sat.h"
#include "ledgernova/host.h"
#include "ledgernova/module.h"
#include "ledgernova/polizas.h"
#include "ledgernova/registry.h"
#include "ledgernova/sat_files.h"
#include "ledgernova/schema.h"

struct ln_object {
    std::unique_ptr<ledgernova::_Polizas> polizas;
    bool call_refused = false;  // the last ln_call never reached the object
    std::string refusal;        // why, while call_refused holds
    std::string handed_out;     // the text ln_get_error last returned, kept alive for the caller
};

namespace {

using ledgernova::Date;
using ledgernova::Variant;
using ledgernova::com::DispStatus;

constexpr std::size_t kHeaderFields = 12;
constexpr std::size_t kLineFields = 7;

using ElectronicRows = std::vector<std::vector<ledgernova::tPdElectronico>>;

// ln_sat_file_name hands its kind straight to the library's.
using ledgernova::SatFileKind;
static_assert(static_cast<int>(SatFileKind::Catalogue) == LN_SAT_CATALOGUE);
static_assert(static_cast<int>(SatFileKind::NormalBalance) == LN_SAT_NORMAL_BALANCE);
static_assert(static_cast<int>(SatFileKind::ComplementaryBalance) == LN_SAT_COMPLEMENTARY_BALANCE);
static_assert(static_cast<int>(SatFileKind::Vouchers) == LN_SAT_VOUCHERS);

// Why the thread's last ln_create or ln_init_database failed; read through ln_get_error(NULL).
thread_local std::string thread_failure;

int fail_thread(int status, const char* message) {
    thread_failure = message;
    return status;
}

int refuse(ln_object& object, int status, const std::string& message) {
    object.call_refused = true;
    object.refusal = message;
    return status;
}

int status_of(DispStatus status) {
    switch (status) {
        case DispStatus::Ok:
            return LN_OK;
        case DispStatus::UnknownName:
            return LN_E_UNKNOWNNAME;
        case DispStatus::MemberNotFound:
            return LN_E_MEMBERNOTFOUND;
        case DispStatus::BadParamCount:
            return LN_E_BADPARAMCOUNT;
        case DispStatus::TypeMismatch:
            return LN_E_TYPEMISMATCH;
        case DispStatus::Exception:
            return LN_E_EXCEPTION;
    }
    return LN_E_EXCEPTION;
}

// False for a type tag this library does not know.
bool from_c(const ln_variant& in, Variant& out) {
    switch (in.type) {
        case LN_EMPTY:
            out = Variant();
            return true;
        case LN_NULL:
            out = Variant::null();
            return true;
        case LN_BOOLEAN:
            out = Variant(in.boolean_value != 0);
            return true;
        case LN_LONG:
            out = Variant(in.long_value);
            return true;
        case LN_DOUBLE:
            out = Variant(in.double_value);
            return true;
        case LN_DATE:
            out = Variant(Date{in.date_value});
            return true;
        // A null text pointer is the empty text, as a null string is on the platform.
        case LN_TEXT:
            out = Variant(in.text == nullptr ? "" : in.text);
            return true;
        default:
            return false;
    }
}

char* copy_text(const std::string& text) {
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy == nullptr) {
        throw std::bad_alloc();
    }
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

// Fills a zeroed slot; throws std::bad_alloc, leaving the slot freeable.
void to_c(const Variant& in, ln_variant& out) {
    using Kind = Variant::Kind;
    switch (in.kind()) {
        case Kind::Empty:
            out.type = LN_EMPTY;
            break;
        case Kind::Null:
            out.type = LN_NULL;
            break;
        case Kind::Boolean:
            out.type = LN_BOOLEAN;
            out.boolean_value = in.to_bool() ? 1 : 0;
            break;
        case Kind::Long:
            out.type = LN_LONG;
            out.long_value = in.to_long();
            break;
        case Kind::Double:
            out.type = LN_DOUBLE;
            out.double_value = in.to_double();
            break;
        case Kind::Date:
            out.type = LN_DATE;
            out.date_value = in.to_date().serial;
            break;
        case Kind::Text:
            out.text = copy_text(in.to_text());
            out.type = LN_TEXT;
            break;
    }
}

void free_array(ln_variant* values, std::size_t count) {
    if (values == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::free(const_cast<char*>(values[i].text));  // allocated by copy_text
    }
    std::free(values);
}

// Empties every out pointer the caller gave, so that a refused call never leaves one unset.
template <typename... Out>
void clear_outs(Out*... outs) {
    ((outs != nullptr ? void(*outs = Out{}) : void()), ...);
}

// A library-owned copy of the results; NULL for none.
ln_variant* export_results(const std::vector<Variant>& values) {
    if (values.empty()) {
        return nullptr;
    }
    auto* array = static_cast<ln_variant*>(std::calloc(values.size(), sizeof(ln_variant)));
    if (array == nullptr) {
        throw std::bad_alloc();
    }
    try {
        for (std::size_t i = 0; i < values.size(); ++i) {
            to_c(values[i], array[i]);
        }
    } catch (...) {
        free_array(array, values.size());
        throw;
    }
    return array;
}

// The arguments as Variants, or the refusal of the first one whose tag is unknown.
int import_arguments(ln_object& object, const ln_variant* args, std::size_t nargs,
                     std::vector<Variant>& out) {
    if (args == nullptr && nargs > 0) {
        return refuse(object, LN_E_INVALIDARG, "The arguments are NULL but their count is not 0.");
    }
    out.resize(nargs);
    for (std::size_t i = 0; i < nargs; ++i) {
        if (!from_c(args[i], out[i])) {
            return refuse(object, LN_E_BADVARTYPE,
                          "Argument " + std::to_string(i + 1) + " has the unknown type tag " +
                              std::to_string(args[i].type) + ".");
        }
    }
    return LN_OK;
}

int call_member(ln_object& object, const char* member, int kind, const ln_variant* args,
                std::size_t nargs, ln_variant** results, std::size_t* nresults) {
    std::vector<Variant> arguments;
    if (const int status = import_arguments(object, args, nargs, arguments); status != LN_OK) {
        return status;
    }
    const auto invoke_kind = static_cast<ledgernova::com::InvokeKind>(kind);
    const auto outcome = ledgernova::com::Invoke(*object.polizas, member, invoke_kind, arguments);
    if (outcome.status != DispStatus::Ok) {
        return refuse(object, status_of(outcome.status), outcome.error);
    }
    if (results != nullptr && nresults != nullptr) {
        *results = export_results(outcome.values);
        *nresults = outcome.values.size();
    }
    return LN_OK;
}

// The rows grouped by the line they name; false, with the refusal, for a row that names no line
// of the voucher or has a NULL text.
bool electronic_rows(ln_object& object, const ln_electronic_row* rows, std::size_t nrows,
                     std::size_t nlines, ElectronicRows& grouped) {
    if (nrows > 0 && rows == nullptr) {
        refuse(object, LN_E_INVALIDARG, "The electronic rows are NULL.");
        return false;
    }
    grouped.assign(nlines, {});
    for (std::size_t r = 0; r < nrows; ++r) {
        const ln_electronic_row& row = rows[r];
        const std::string place = "Electronic row " + std::to_string(r + 1);
        if (row.line == 0 || row.line > nlines) {
            refuse(object, LN_E_INVALIDARG, place + " names no line of the voucher.");
            return false;
        }
        if (row.kind == nullptr ||
            (row.nfields > 0 && (row.names == nullptr || row.values == nullptr))) {
            refuse(object, LN_E_INVALIDARG, place + " has a NULL text.");
            return false;
        }
        ledgernova::tPdElectronico& record = grouped[row.line - 1].emplace_back();
        record.Tipo = row.kind;
        for (std::size_t f = 0; f < row.nfields; ++f) {
            if (row.names[f] == nullptr || row.values[f] == nullptr) {
                refuse(object, LN_E_INVALIDARG, place + " has a NULL text.");
                return false;
            }
            record.Campos.emplace_back(row.names[f], row.values[f]);
        }
    }
    return true;
}

int post_voucher(ln_object& object, const ln_variant* header, const ln_variant* lines,
                 std::size_t nlines, const ElectronicRows& electronic, std::int32_t& posted) {
    std::vector<Variant> header_fields;
    std::vector<Variant> line_fields;
    if (nlines > SIZE_MAX / kLineFields) {
        return refuse(object, LN_E_INVALIDARG, "Too many lines.");
    }
    if (const int status = import_arguments(object, header, kHeaderFields, header_fields);
        status != LN_OK) {
        return status;
    }
    if (const int status = import_arguments(object, lines, nlines * kLineFields, line_fields);
        status != LN_OK) {
        return status;
    }
    ledgernova::com::VoucherRecords voucher;
    const auto outcome = ledgernova::com::voucher_from(header_fields, line_fields, voucher);
    if (outcome.status != DispStatus::Ok) {
        return refuse(object, status_of(outcome.status), outcome.error);
    }
    auto* polizas = dynamic_cast<ledgernova::Polizas*>(object.polizas.get());
    if (polizas == nullptr) {
        return refuse(object, LN_E_MEMBERNOTFOUND, "The object cannot post a whole voucher.");
    }
    posted = polizas->post_voucher(voucher.header, voucher.lines, electronic) ? 1 : 0;
    return LN_OK;
}

// The database the thread chose; objects it creates afterwards get the default host over it.
thread_local std::shared_ptr<ledgernova::db::Connection> selected_connection;

// Threads that chose nothing keep the module's own default: LEDGERNOVA_DB, else ledgernova.db.
ledgernova::HostObjects selected_host() {
    ledgernova::DatabaseHostOptions options;
    options.connection = selected_connection;
    if (!options.connection) {
        const char* path = std::getenv("LEDGERNOVA_DB");
        options.connection =
            ledgernova::db::open_sqlite(path != nullptr && *path != '\0' ? path : "ledgernova.db");
    }
    return ledgernova::make_database_host(std::move(options));
}

void select_connection(std::shared_ptr<ledgernova::db::Connection> connection) {
    // Registered each time: a program may have put a factory of its own in between.
    ledgernova::set_host_factory(selected_host);
    selected_connection = std::move(connection);
    ledgernova::Termina_Modulo();
}

// The connection of the thread's host, starting the module when no object has yet.
ledgernova::db::Connection& host_connection() {
    return ledgernova::host::modulo().sistema->Get_Conexion();
}

// A failure of a function that works on the thread's database, for ln_get_error(NULL).
template <typename Body>
int on_database(const char* what, Body body) {
    try {
        const int status = body();
        if (status == LN_OK) {
            thread_failure.clear();
        }
        return status;
    } catch (const ledgernova::db::Error& failure) {
        return fail_thread(LN_E_DATABASE, failure.what());
    } catch (const std::exception& failure) {
        return fail_thread(LN_E_EXCEPTION, failure.what());
    } catch (...) {
        return fail_thread(LN_E_EXCEPTION, (std::string("Unknown failure while ") + what).c_str());
    }
}

std::string parameter_condition(const char* name) {
    return " WHERE Pa_Nombre = '" + ledgernova::db::esc(name) + "' AND Pa_Ambito = 0";
}

// The voucher as one line of JSON, or "" without voucher.
std::string voucher_json(ledgernova::db::Connection& connection, const char* folio) {
    const auto voucher = ledgernova::core::load_voucher(connection, folio);
    return voucher ? ledgernova::core::voucher_json(*voucher, -1) : std::string();
}

std::string problem_lines(const std::vector<ledgernova::ExportProblem>& problems) {
    std::string out;
    for (const auto& problem : problems) {
        out += ledgernova::describe(problem);
        out += '\n';
    }
    return out;
}

const char* or_empty(const char* text) {
    return text == nullptr ? "" : text;
}

// An export of the thread's database handed to a C caller: on LN_OK *xml and *problems (one a
// line) are library-allocated and *ok tells whether the document was accepted.
template <typename Build>
int export_document(const char* function, const char* what, std::int32_t* ok, char** xml,
                    char** problems, Build build) {
    clear_outs(xml, problems);
    if (ok == nullptr || xml == nullptr || problems == nullptr) {
        return fail_thread(LN_E_INVALIDARG,
                           (std::string(function) + " needs its three out pointers.").c_str());
    }
    *ok = 0;
    return on_database(what, [&] {
        const ledgernova::ExportResult result = build(host_connection());
        std::unique_ptr<char, decltype(&std::free)> document(copy_text(result.xml), &std::free);
        *problems = copy_text(problem_lines(result.problems));
        *xml = document.release();
        *ok = result.ok ? 1 : 0;
        return LN_OK;
    });
}

}  // namespace

extern "C" {

int ln_create(const char* progid, ln_object** out) {
    try {
        if (out == nullptr || progid == nullptr) {
            return fail_thread(LN_E_INVALIDARG, "ln_create needs a class name and an out pointer.");
        }
        *out = nullptr;
        auto object = std::make_unique<ln_object>();
        object->polizas = ledgernova::com::CreateObject(progid);
        if (!object->polizas) {
            return fail_thread(
                LN_E_CLASSNOTREG,
                ("No class is registered as '" + std::string(progid) + "'.").c_str());
        }
        thread_failure.clear();
        *out = object.release();
        return LN_OK;
    } catch (const std::exception& failure) {
        return fail_thread(LN_E_EXCEPTION, failure.what());
    } catch (...) {
        return fail_thread(LN_E_EXCEPTION, "Unknown failure while creating the object.");
    }
}

int ln_call(ln_object* object, const char* member, int kind, const ln_variant* args, size_t nargs,
            ln_variant** results, size_t* nresults) {
    clear_outs(results, nresults);
    if (object == nullptr) {
        return LN_E_INVALIDARG;
    }
    try {
        object->call_refused = false;
        if (member == nullptr) {
            return refuse(*object, LN_E_INVALIDARG, "The member name is NULL.");
        }
        return call_member(*object, member, kind, args, nargs, results, nresults);
    } catch (const std::exception& failure) {
        return refuse(*object, LN_E_EXCEPTION, failure.what());
    } catch (...) {
        return refuse(*object, LN_E_EXCEPTION, "Unknown failure while calling the object.");
    }
}

const char* ln_get_error(ln_object* object) {
    try {
        if (object == nullptr) {
            return thread_failure.c_str();
        }
        object->handed_out = object->call_refused ? object->refusal : object->polizas->get_Error();
        return object->handed_out.c_str();
    } catch (...) {
        return "";
    }
}

void ln_free_results(ln_variant* results, size_t nresults) {
    free_array(results, nresults);
}

// Nothing to catch: destructors do not throw.
void ln_release(ln_object* object) {
    delete object;
}

int ln_post_voucher(ln_object* object, const ln_variant* header, const ln_variant* lines,
                    size_t nlines, int32_t* posted) {
    return ln_post_voucher_electronic(object, header, lines, nlines, nullptr, 0, posted);
}

int ln_post_voucher_electronic(ln_object* object, const ln_variant* header, const ln_variant* lines,
                               size_t nlines, const ln_electronic_row* rows, size_t nrows,
                               int32_t* posted) {
    if (object == nullptr || posted == nullptr) {
        return LN_E_INVALIDARG;
    }
    *posted = 0;
    try {
        object->call_refused = false;
        if (header == nullptr) {
            return refuse(*object, LN_E_INVALIDARG, "The header is NULL.");
        }
        ElectronicRows electronic;
        if (!electronic_rows(*object, rows, nrows, nlines, electronic)) {
            return LN_E_INVALIDARG;
        }
        return post_voucher(*object, header, lines, nlines, electronic, *posted);
    } catch (const std::exception& failure) {
        return refuse(*object, LN_E_EXCEPTION, failure.what());
    } catch (...) {
        return refuse(*object, LN_E_EXCEPTION, "Unknown failure while posting the voucher.");
    }
}

int ln_init_database(const char* path) {
    try {
        if (path == nullptr) {
            return fail_thread(LN_E_INVALIDARG, "ln_init_database needs a path.");
        }
        auto connection = ledgernova::db::open_sqlite(path);
        ledgernova::create_schema(*connection);
        select_connection(std::move(connection));
        thread_failure.clear();
        return LN_OK;
    } catch (const ledgernova::db::Error& failure) {
        return fail_thread(LN_E_DATABASE, failure.what());
    } catch (const std::exception& failure) {
        return fail_thread(LN_E_EXCEPTION, failure.what());
    } catch (...) {
        return fail_thread(LN_E_EXCEPTION, "Unknown failure while creating the tables.");
    }
}

int ln_open_database(const char* path) {
    return ln_init_database(path);
}

int ln_open_server(const char* odbc_connection_string) {
    if (odbc_connection_string == nullptr) {
        return fail_thread(LN_E_INVALIDARG, "ln_open_server needs a connection string.");
    }
    return on_database("opening the server database.", [&] {
        select_connection(ledgernova::db::open_odbc(odbc_connection_string));
        return LN_OK;
    });
}

int ln_set_parameter(const char* name, const char* value) {
    if (name == nullptr || value == nullptr) {
        return fail_thread(LN_E_INVALIDARG, "ln_set_parameter needs a name and a value.");
    }
    return on_database("storing the parameter.", [&] {
        auto& connection = host_connection();
        const std::string condition = parameter_condition(name);
        const std::string literal = "'" + ledgernova::db::esc(value) + "'";
        ledgernova::db::Transaction transaction(connection);
        if (connection.Execute("SELECT Pa_Valor FROM Parametro" + condition).Eof()) {
            connection.Execute("INSERT INTO Parametro (Pa_Nombre, Pa_Ambito, Pa_Valor) VALUES ('" +
                               ledgernova::db::esc(name) + "', 0, " + literal + ")");
        } else {
            connection.Execute("UPDATE Parametro SET Pa_Valor = " + literal + condition);
        }
        transaction.Commit();
        return LN_OK;
    });
}

int ln_get_parameter(const char* name, char** value) {
    clear_outs(value);
    if (name == nullptr || value == nullptr) {
        return fail_thread(LN_E_INVALIDARG, "ln_get_parameter needs a name and an out pointer.");
    }
    return on_database("reading the parameter.", [&] {
        const auto rows =
            host_connection().Execute("SELECT Pa_Valor FROM Parametro" + parameter_condition(name));
        if (!rows.Eof() && !rows.Fields("Pa_Valor").Value.is_null()) {
            *value = copy_text(rows.Fields("Pa_Valor").Value.to_text());
        }
        return LN_OK;
    });
}

int ln_export_sat(const char* company, int32_t year, int32_t month, const char* rfc,
                  const char* request_type, const char* order_number, const char* procedure_number,
                  int32_t force, int32_t* ok, char** xml, char** problems) {
    return export_document("ln_export_sat", "exporting the vouchers.", ok, xml, problems,
                           [&](ledgernova::db::Connection& connection) {
                               const ledgernova::ExportRequest request{
                                   .company = or_empty(company),
                                   .year = year,
                                   .month = month,
                                   .rfc = or_empty(rfc),
                                   .request_type = or_empty(request_type),
                                   .order_number = or_empty(order_number),
                                   .procedure_number = or_empty(procedure_number),
                                   .force = force != 0};
                               return ledgernova::export_polizas_periodo(connection, request);
                           });
}

int ln_export_catalogue(const char* company, int32_t year, int32_t month, const char* rfc,
                        int32_t* ok, char** xml, char** problems) {
    return export_document("ln_export_catalogue", "exporting the chart of accounts.", ok, xml,
                           problems, [&](ledgernova::db::Connection& connection) {
                               const ledgernova::CatalogueRequest request{or_empty(company), year,
                                                                          month, or_empty(rfc)};
                               return ledgernova::export_catalogo_cuentas(connection, request);
                           });
}

int ln_export_balance(const char* company, int32_t year, int32_t month, const char* rfc,
                      const char* type, const char* modified, int32_t* ok, char** xml,
                      char** problems) {
    return export_document("ln_export_balance", "exporting the trial balance.", ok, xml, problems,
                           [&](ledgernova::db::Connection& connection) {
                               ledgernova::BalanceRequest request;
                               request.company = or_empty(company);
                               request.year = year;
                               request.month = month;
                               request.rfc = or_empty(rfc);
                               // The program's own default: the month's first delivery.
                               if (type != nullptr && *type != '\0') {
                                   request.type = type;
                               }
                               request.modified = or_empty(modified);
                               return ledgernova::export_balanza_comprobacion(connection, request);
                           });
}

int ln_sat_file_name(const char* rfc, int32_t year, int32_t month, int32_t kind,
                     const char* extension, char** name) {
    clear_outs(name);
    if (rfc == nullptr || name == nullptr) {
        return fail_thread(LN_E_INVALIDARG, "ln_sat_file_name needs an RFC and an out pointer.");
    }
    if (kind < LN_SAT_CATALOGUE || kind > LN_SAT_VOUCHERS) {
        return fail_thread(LN_E_INVALIDARG,
                           ("There is no kind of file " + std::to_string(kind) + ".").c_str());
    }
    try {
        *name =
            copy_text(ledgernova::sat_file_name(rfc, year, month, static_cast<SatFileKind>(kind),
                                                extension == nullptr ? ".xml" : extension));
        thread_failure.clear();
        return LN_OK;
    } catch (...) {
        return fail_thread(LN_E_EXCEPTION, "Unknown failure while naming the file.");
    }
}

int ln_read_voucher(const char* folio, char** json) {
    clear_outs(json);
    if (folio == nullptr || json == nullptr) {
        return fail_thread(LN_E_INVALIDARG, "ln_read_voucher needs a folio and an out pointer.");
    }
    return on_database("reading the voucher.", [&] {
        const std::string text = voucher_json(host_connection(), folio);
        if (!text.empty()) {
            *json = copy_text(text);
        }
        return LN_OK;
    });
}

int ln_posted_folios(ln_object* object, ln_variant** results, size_t* nresults) {
    clear_outs(results, nresults);
    if (object == nullptr) {
        return LN_E_INVALIDARG;
    }
    try {
        object->call_refused = false;
        if (results == nullptr || nresults == nullptr) {
            return refuse(*object, LN_E_INVALIDARG, "ln_posted_folios needs its out pointers.");
        }
        auto* polizas = dynamic_cast<ledgernova::Polizas*>(object->polizas.get());
        if (polizas == nullptr) {
            return refuse(*object, LN_E_MEMBERNOTFOUND, "The object does not post documents.");
        }
        const auto& folios = polizas->posted_folios();
        *results = export_results(std::vector<Variant>(folios.begin(), folios.end()));
        *nresults = folios.size();
        return LN_OK;
    } catch (const std::exception& failure) {
        return refuse(*object, LN_E_EXCEPTION, failure.what());
    } catch (...) {
        return refuse(*object, LN_E_EXCEPTION, "Unknown failure while listing the folios.");
    }
}

void ln_free_text(char* text) {
    std::free(text);
}

}  // extern "C"
