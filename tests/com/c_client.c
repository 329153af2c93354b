/* A C host of the component: creates the voucher object by ProgID over a fresh database file,
 * puts a header and reads it back, calls members by name, reads Error, offers a voucher with an
 * electronic row on no line and asks for the chart and trial balance exports.
 * Exit status 0 when every check passed. */
#define _POSIX_C_SOURCE 200809L

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "ledgernova/ledgernova.h"

static int passed = 0;
static int failed = 0;

static void check(int condition, const char* what) {
    if (condition) {
        ++passed;
    } else {
        ++failed;
        fprintf(stderr, "FAILED: %s\n", what);
    }
}

static ln_variant text(const char* value) {
    ln_variant v;
    memset(&v, 0, sizeof v);
    v.type = LN_TEXT;
    v.text = value;
    return v;
}

static ln_variant whole(int32_t value) {
    ln_variant v;
    memset(&v, 0, sizeof v);
    v.type = LN_LONG;
    v.long_value = value;
    return v;
}

static ln_variant date(double serial) {
    ln_variant v;
    memset(&v, 0, sizeof v);
    v.type = LN_DATE;
    v.date_value = serial;
    return v;
}

static int is_text(const ln_variant* v, const char* expected) {
    return v->type == LN_TEXT && strcmp(v->text, expected) == 0;
}

/* 15 March 2024 as a day serial. */
static const double kMarch15 = 45366.0;

static void header_round_trip(ln_object* object) {
    ln_variant header[12];
    ln_variant* back = NULL;
    size_t count = 0;
    header[0] = text("IGNORED");
    header[1] = text("1999");
    header[2] = text("");
    header[3] = whole(3);
    header[4] = text("");
    header[5] = date(kMarch15);
    header[6] = text("Compras");
    header[7] = text("A-17");
    header[8] = text("REF");
    header[9] = text("Comentario");
    header[10] = text("");
    header[11] = text("001");
    check(ln_call(object, "Encabezado", LN_PROPERTYPUT, header, 12, NULL, NULL) == LN_OK,
          "put the header");
    check(ln_call(object, "encabezado", LN_PROPERTYGET, NULL, 0, &back, &count) == LN_OK &&
              count == 12 && is_text(&back[0], "") && is_text(&back[1], "2024") &&
              is_text(&back[2], "03") && back[3].type == LN_LONG && back[3].long_value == 3 &&
              back[5].type == LN_DATE && back[5].date_value == kMarch15 &&
              is_text(&back[11], "001"),
          "read the header back: no folio, year and period from the date");
    ln_free_results(back, count);
}

/* A line on an account the ledger does not have: the call succeeds, the member says False. */
static void add_line_on_unknown_account(ln_object* object) {
    ln_variant line[7];
    ln_variant* result = NULL;
    size_t count = 0;
    line[0] = text("");
    line[1] = text("9999");
    line[2] = text("Concepto");
    line[3] = text("");
    line[4] = whole(1);
    line[5] = whole(100);
    line[6] = text("");
    check(ln_call(object, "Detalle", LN_PROPERTYPUT, line, 7, NULL, NULL) == LN_OK, "put a line");
    check(ln_call(object, "ADD_POLIZA_DETALLE", LN_METHOD, NULL, 0, &result, &count) == LN_OK &&
              count == 1 && result[0].type == LN_BOOLEAN && result[0].boolean_value == 0,
          "Add_Poliza_Detalle called by name returns False");
    ln_free_results(result, count);
    check(strstr(ln_get_error(object), "9999, no existe") != NULL, "Error names the account");
}

/* A row naming a third line of a two-line voucher is refused before anything is posted. */
static void post_electronic_row_on_no_line(ln_object* object) {
    ln_variant header[12];
    ln_variant lines[14];
    const char* names[] = {"Pdc_UUID"};
    const char* values[] = {"6F9619FF-8B86-D011-B42D-00C04FC964FF"};
    ln_electronic_row row;
    int32_t posted = -1;
    size_t i;
    for (i = 0; i < 12; ++i) {
        header[i] = text("");
    }
    for (i = 0; i < 14; ++i) {
        lines[i] = text("");
    }
    row.line = 3;
    row.kind = "COMPROBANTE";
    row.names = names;
    row.values = values;
    row.nfields = 1;
    check(
        ln_post_voucher_electronic(object, header, lines, 2, &row, 1, &posted) == LN_E_INVALIDARG &&
            posted == 0 &&
            strcmp(ln_get_error(object), "Electronic row 1 names no line of the voucher.") == 0,
        "an electronic row on no line of the voucher is refused");
}

/* A company missing from Empresa has no RFC: both exports refuse, naming the problem. */
static void export_chart_and_balance(void) {
    int32_t ok = -1;
    char* xml = NULL;
    char* problems = NULL;
    check(ln_export_catalogue("001", 2024, 3, NULL, &ok, &xml, &problems) == LN_OK && ok == 0 &&
              strcmp(xml, "") == 0 && strstr(problems, "not in Empresa") != NULL,
          "the chart of a company without RFC is refused");
    ln_free_text(xml);
    ln_free_text(problems);
    check(ln_export_balance("001", 2024, 3, NULL, "N", NULL, &ok, &xml, &problems) == LN_OK &&
              ok == 0 && strcmp(xml, "") == 0 && strstr(problems, "RFC") != NULL,
          "the balance of a company without RFC is refused");
    ln_free_text(xml);
    ln_free_text(problems);
    check(ln_export_balance("001", 2024, 3, NULL, NULL, NULL, &ok, NULL, NULL) == LN_E_INVALIDARG,
          "an export without its out pointers is refused");
}

static void run(void) {
    ln_object* object = NULL;
    check(ln_create("ledgerNova.Polizas", &object) == LN_OK && object != NULL, "create by ProgID");
    if (object == NULL) {
        fprintf(stderr, "%s\n", ln_get_error(NULL));
        return;
    }
    check(strcmp(ln_get_error(object), "") == 0, "a new object has no error");
    header_round_trip(object);
    add_line_on_unknown_account(object);
    post_electronic_row_on_no_line(object);
    check(ln_call(object, "Borrar", LN_METHOD, NULL, 0, NULL, NULL) == LN_E_UNKNOWNNAME &&
              strstr(ln_get_error(object), "Borrar") != NULL,
          "an unknown member is refused with its name");
    ln_release(object);
    export_chart_and_balance();
}

int main(void) {
    char folder[] = "/tmp/ledgernova-c-client-XXXXXX";
    char path[sizeof folder + 32];
    char companion[sizeof path + 8];
    const char* suffixes[] = {"", "-wal", "-shm"};
    size_t i;
    if (mkdtemp(folder) == NULL) {
        perror("mkdtemp");
        return 2;
    }
    snprintf(path, sizeof path, "%s/ledger.db", folder);
    setenv("LEDGERNOVA_DB", path, 1);
    check(ln_init_database(path) == LN_OK, "create the tables");
    run();
    for (i = 0; i < sizeof suffixes / sizeof suffixes[0]; ++i) {
        snprintf(companion, sizeof companion, "%s%s", path, suffixes[i]);
        remove(companion);
    }
    rmdir(folder);
    printf("C ABI: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
