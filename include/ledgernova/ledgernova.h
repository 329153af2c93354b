/* The voucher object for any language with a C foreign-function interface: create it by name,
 * call its members late-bound by name, read its Error, release it.
 *
 * Plain C99. No function raises a C++ exception or aborts: each reports through its status.
 * An object belongs to the thread that created it; objects of different threads are independent.
 *
 * Ownership, in short:
 *  - ln_object: created by ln_create, destroyed by ln_release (once).
 *  - Arguments: owned by the caller; the library copies what it needs before returning.
 *  - Results: an array allocated by the library, text included; free it with ln_free_results.
 *  - Error texts: owned by the library; see ln_get_error for how long they stay valid.
 */
#ifndef LEDGERNOVA_LEDGERNOVA_H
#define LEDGERNOVA_LEDGERNOVA_H

#include <stddef.h>
#include <stdint.h>

#include "ledgernova/export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ln_object ln_object;

/* Type tags of ln_variant. The numbers are the platform VARTYPEs these stand in for, so a caller
 * translating from that platform maps them one to one. */
enum {
    LN_EMPTY = 0,
    LN_NULL = 1,
    LN_LONG = 3,    /* long_value */
    LN_DOUBLE = 5,  /* double_value */
    LN_DATE = 7,    /* date_value: days since 30 December 1899, the fraction the time of day */
    LN_TEXT = 8,    /* text: UTF-8, NUL-terminated */
    LN_BOOLEAN = 11 /* boolean_value: 0 false, anything else true (results give 1) */
};

/* One value. Only the field named by `type` is meaningful. In an argument, a NULL `text` of an
 * LN_TEXT value reads as the empty text. In a result, `text` is NULL unless type is LN_TEXT. */
typedef struct ln_variant {
    int32_t type;
    int32_t boolean_value;
    int32_t long_value;
    double double_value;
    double date_value;
    const char* text;
} ln_variant;

/* Kinds of call: the platform's DISPATCH_METHOD, DISPATCH_PROPERTYGET and DISPATCH_PROPERTYPUT. */
enum { LN_METHOD = 1, LN_PROPERTYGET = 2, LN_PROPERTYPUT = 4 };

/* Status of every entry point. A member that ran and failed is LN_OK: its result says False (or
 * "") and ln_get_error tells why. */
enum {
    LN_OK = 0,
    LN_E_INVALIDARG = 1,     /* a required pointer was NULL */
    LN_E_CLASSNOTREG = 2,    /* ln_create: no class by that ProgID or CLSID */
    LN_E_UNKNOWNNAME = 3,    /* ln_call: the object has no member by that name */
    LN_E_MEMBERNOTFOUND = 4, /* ln_call: the member cannot be called with that kind */
    LN_E_BADPARAMCOUNT = 5,  /* ln_call: too few or too many arguments */
    LN_E_TYPEMISMATCH = 6,   /* ln_call: an argument does not convert (Null as text, ...) */
    LN_E_BADVARTYPE = 7,     /* ln_call: an argument carries an unknown type tag */
    LN_E_EXCEPTION = 8,      /* an unexpected failure inside the library */
    LN_E_DATABASE = 9        /* ln_init_database: the database could not be opened or set up */
};

/* Creates an object of the class known by `progid` ("ledgerNova.Polizas", or its CLSID with or
 * without braces), compared without regard to case. The first object of a thread starts the
 * module: without a host of its own, it uses the database named by the environment variable
 * LEDGERNOVA_DB (or "ledgernova.db" in the current folder). An object whose host could not be
 * reached is still created, with the reason in its Error.
 * On success *out owns the object (release it with ln_release). On failure *out is NULL and
 * ln_get_error(NULL) tells why. */
LEDGERNOVA_API int ln_create(const char* progid, ln_object** out);

/* Calls a member by name (compared without regard to case) with `nargs` arguments in the order
 * the member declares them. A record put (Encabezado, Detalle) takes the record's fields in
 * interface order: 12 for the header, 7 for the line; a record get returns them in that order.
 * Omitted optional arguments are "".
 * On LN_OK, *results is an array of *nresults values allocated by the library (NULL when there
 * are none), which the caller frees with ln_free_results; `results` and `nresults` may both be
 * NULL when the caller wants no result. On failure *results is NULL, *nresults 0, and
 * ln_get_error(object) tells why. */
LEDGERNOVA_API int ln_call(ln_object* object, const char* member, int kind, const ln_variant* args,
                           size_t nargs, ln_variant** results, size_t* nresults);

/* The object's Error text; after an ln_call that failed before reaching the object, the reason
 * for that failure instead. With a NULL object: why the calling thread's last ln_create or
 * ln_init_database failed ("" when it did not).
 * The text is owned by the library and stays valid until the next call of this library with
 * the same object (for NULL, on the same thread), or the object's release. Never NULL. */
LEDGERNOVA_API const char* ln_get_error(ln_object* object);

/* Frees an array that ln_call returned, with its text. NULL is allowed. */
LEDGERNOVA_API void ln_free_results(ln_variant* results, size_t nresults);

/* Destroys the object. NULL is allowed. */
LEDGERNOVA_API void ln_release(ln_object* object);

/* Posts a whole manual voucher in one transaction: `header` holds the 12 fields of the header
 * and `lines` the 7 fields of each of `nlines` lines, one line after another (7 * nlines values),
 * as the Encabezado and Detalle puts take them. The object starts a new voucher, adds every line
 * and checks the balance (one rounding line at most).
 * On LN_OK, *posted is 1 when the voucher was written and balances (Encabezado then gives its
 * folio and number), 0 when it was refused: ln_get_error(object) tells why, and nothing of the
 * voucher stays in the database. Other statuses, as ln_call gives them, mean the fields were
 * refused before anything ran. */
LEDGERNOVA_API int ln_post_voucher(ln_object* object, const ln_variant* header,
                                   const ln_variant* lines, size_t nlines, int32_t* posted);

/* One electronic detail row of a manual voucher line: `line` is the line's place in the voucher
 * (1 for the first), `kind` the row's kind ("COMPROBANTE", "COMPROBANTE OTRO", "COMPROBANTE
 * EXTRANJERO", "CHEQUE", "TRANSFERENCIA", "OTRO METODO PAGO"), and `names` and `values` its
 * `nfields` fields as UTF-8 texts, by the names of the detail table's columns ("Pdc_UUID", ...). */
typedef struct ln_electronic_row {
    size_t line;
    const char* kind;
    const char* const* names;
    const char* const* values;
    size_t nfields;
} ln_electronic_row;

/* ln_post_voucher with electronic detail: the `nrows` rows are written, in their order, after
 * the line each names, checked as a template's rows are. A row refused refuses the voucher
 * (ln_get_error(object) then starts with "Línea N, comprobante M:" after the member's name) and
 * nothing of it stays. A row naming no line of the voucher, or with a NULL text, is refused with
 * LN_E_INVALIDARG before anything runs. */
LEDGERNOVA_API int ln_post_voucher_electronic(ln_object* object, const ln_variant* header,
                                              const ln_variant* lines, size_t nlines,
                                              const ln_electronic_row* rows, size_t nrows,
                                              int32_t* posted);

/* Creates, in the SQLite database file at `path` (made when missing), every table the component
 * and its default host use; tables that exist are left as they are. On failure ln_get_error(NULL)
 * tells why. */
LEDGERNOVA_API int ln_init_database(const char* path);

/* Chooses the database of the objects the calling thread creates afterwards: the SQLite file at
 * `path` (made, with every table, when missing; ln_init_database does the same) or the server an
 * ODBC connection string names (its tables must exist). Each thread chooses for itself; a thread
 * that never chooses uses LEDGERNOVA_DB as ln_create describes. The thread's objects created
 * before the call must not be used afterwards; release them. On failure ln_get_error(NULL) tells
 * why and the thread's choice is left as it was. */
LEDGERNOVA_API int ln_open_database(const char* path);
LEDGERNOVA_API int ln_open_server(const char* odbc_connection_string);

/* The default host's parameters (scope 0) in the thread's database, as its objects read them.
 * A parameter is read when the thread's first object starts: set it before creating objects.
 * ln_get_parameter sets *value to a library-allocated text (free it with ln_free_text), or to
 * NULL when the parameter is not set. On failure ln_get_error(NULL) tells why. */
LEDGERNOVA_API int ln_set_parameter(const char* name, const char* value);
LEDGERNOVA_API int ln_get_parameter(const char* name, char** value);

/* The electronic accounting XML "PolizasPeriodo" of one company and month of the thread's
 * database, under `rfc` (NULL or "": the company's Em_R_F_C). `request_type` is AF, FC, DE or CO;
 * `order_number` goes with AF and FC, `procedure_number` with DE and CO (NULL reads as ""). With
 * `force` nonzero the document is written even when the check finds problems. On LN_OK, *ok is 1
 * when *xml holds the document, 0 when the export was refused; *xml and *problems (one problem a
 * line, "" when none) are library-allocated texts to free with ln_free_text. On failure both are
 * NULL and ln_get_error(NULL) tells why. */
LEDGERNOVA_API int ln_export_sat(const char* company, int32_t year, int32_t month, const char* rfc,
                                 const char* request_type, const char* order_number,
                                 const char* procedure_number, int32_t force, int32_t* ok,
                                 char** xml, char** problems);

/* The chart of accounts of a company as the electronic accounting XML "CatalogoCuentas" 1.3, for
 * `year` and `month` (1 to 12), under `rfc` (NULL or "": the company's Em_R_F_C). The out
 * pointers as with ln_export_sat; a refused chart is never written. */
LEDGERNOVA_API int ln_export_catalogue(const char* company, int32_t year, int32_t month,
                                       const char* rfc, int32_t* ok, char** xml, char** problems);

/* A month's trial balance as the electronic accounting XML "BalanzaComprobacion" 1.3; `month` 13
 * is the year-end period. `rfc` as with ln_export_catalogue; `type` is N (NULL or "": the month's
 * first delivery) or C (a complementary one, with `modified`, YYYY-MM-DD, the day the books were
 * changed; NULL reads as ""). The out pointers as with ln_export_sat. */
LEDGERNOVA_API int ln_export_balance(const char* company, int32_t year, int32_t month,
                                     const char* rfc, const char* type, const char* modified,
                                     int32_t* ok, char** xml, char** problems);

/* Kinds of monthly electronic accounting file, for ln_sat_file_name. */
enum {
    LN_SAT_CATALOGUE = 0,             /* CT: the chart of accounts */
    LN_SAT_NORMAL_BALANCE = 1,        /* BN: the month's trial balance */
    LN_SAT_COMPLEMENTARY_BALANCE = 2, /* BC: a trial balance sent again corrected */
    LN_SAT_VOUCHERS = 3               /* PL: the month's vouchers */
};

/* The name the tax administration expects for a file: RFC, year (four digits), month (two), the
 * kind's two letters, then `extension` (NULL: ".xml"), as "AAA010101AAA202403CT.xml". On LN_OK
 * *name is a library-allocated text to free with ln_free_text; an unknown kind is
 * LN_E_INVALIDARG. */
LEDGERNOVA_API int ln_sat_file_name(const char* rfc, int32_t year, int32_t month, int32_t kind,
                                    const char* extension, char** name);

/* The voucher of `folio` in the thread's database, as JSON text: {"header": {column: value, ...},
 * "lines": [{column: value, ..., "electronic": [{"table": name, column: value, ...}, ...]}, ...]}
 * with every column of the voucher, of each line (ordered by Pd_ID) and of the line's electronic
 * detail rows, dates as "YYYY-MM-DD". On LN_OK *json is a library-allocated text to free with
 * ln_free_text, or NULL when there is no such voucher. */
LEDGERNOVA_API int ln_read_voucher(const char* folio, char** json);

/* The folios the object's last Genera_Poliza_Tabla wrote and committed, in order: an array of
 * *nresults LN_TEXT values to free with ln_free_results (NULL and 0 when none). */
LEDGERNOVA_API int ln_posted_folios(ln_object* object, ln_variant** results, size_t* nresults);

/* Frees a text this library allocated. NULL is allowed. */
LEDGERNOVA_API void ln_free_text(char* text);

#ifdef __cplusplus
}
#endif

#endif /* LEDGERNOVA_LEDGERNOVA_H */
