"""A ledger: the thread's database and one voucher object over it."""

import ctypes
import datetime
import json
import threading

from ledgernova import _native as n

_VOUCHER_TYPES = {"ingreso": 1, "income": 1, "egreso": 2, "expense": 2, "diario": 3, "journal": 3}
_CHARGE = 1
_CREDIT = 2


class LedgerError(Exception):
    """A refusal of the component; str() is its exact error text."""


def _thread_error():
    return n.decode(n.library().ln_get_error(None))


def _check_thread(status):
    if status != n.LN_OK:
        raise LedgerError(_thread_error())


def _voucher_type(value):
    if isinstance(value, str):
        key = value.strip().lower()
        if key not in _VOUCHER_TYPES:
            raise ValueError(f"unknown voucher type {value!r}")
        return _VOUCHER_TYPES[key]
    return int(value)


def _header_fields(header):
    if "date" not in header:
        raise ValueError("the header needs a 'date'")
    return [
        header.get("folio", ""),
        header.get("year", ""),
        header.get("period", ""),
        _voucher_type(header.get("type", 3)),
        header.get("number", ""),
        header["date"],
        header.get("table", ""),
        header.get("document", ""),
        header.get("reference", ""),
        header.get("comment", ""),
        header.get("template", ""),
        header.get("company", ""),
    ]


def _line_fields(line):
    debit = line.get("debit")
    credit = line.get("credit")
    if (debit is None) == (credit is None):
        raise ValueError("each line needs exactly one of 'debit' and 'credit'")
    kind, amount = (_CHARGE, debit) if debit is not None else (_CREDIT, credit)
    return [
        "",
        line["account"],
        line.get("concept", ""),
        line.get("reference", ""),
        kind,
        float(amount),
        line.get("cost_center", ""),
    ]


def _typed(name, value):
    """Dates of the ledger's date columns (stored as ISO text) as datetime objects."""
    if not isinstance(value, str) or not (name == "Pl_Fecha" or name.startswith("Fecha_")):
        return value
    try:
        if len(value) == 10:
            return datetime.date.fromisoformat(value)
        return datetime.datetime.fromisoformat(value)
    except ValueError:
        return value


def _typed_row(row):
    return {name: _typed(name, value) for name, value in row.items()}


class Ledger:
    """The ledger of one database. The library ties the database and the voucher object to the
    thread that opened them: use a Ledger only on that thread, and one Ledger per thread."""

    def __init__(self, opener, target):
        self._lib = n.library()
        self._thread = threading.get_ident()
        _check_thread(opener(n.encode(target)))
        handle = ctypes.c_void_p()
        _check_thread(self._lib.ln_create(b"ledgerNova.Polizas", ctypes.byref(handle)))
        self._object = handle

    # -- plumbing ------------------------------------------------------------------------------

    def _handle(self):
        if self._object is None:
            raise LedgerError("The ledger is closed.")
        if threading.get_ident() != self._thread:
            raise LedgerError("The ledger belongs to the thread that opened it.")
        return self._object

    def _error(self):
        return n.decode(self._lib.ln_get_error(self._handle()))

    def _call(self, member, kind, *args):
        arguments = n.Arguments(list(args))
        results = ctypes.POINTER(n.Variant)()
        count = ctypes.c_size_t()
        status = self._lib.ln_call(self._handle(), member.encode(), kind, arguments.array,
                                   arguments.count, ctypes.byref(results), ctypes.byref(count))
        if status != n.LN_OK:
            raise LedgerError(self._error())
        try:
            return [n.from_variant(results[i]) for i in range(count.value)]
        finally:
            self._lib.ln_free_results(results, count)

    def _method(self, member, *args):
        """A member that answers True, or False with its reason in Error."""
        (done,) = self._call(member, n.LN_METHOD, *args)
        if not done:
            raise LedgerError(self._error())

    # -- the ledger ------------------------------------------------------------------------------

    def post_voucher(self, header, lines):
        """Posts a whole manual voucher atomically; returns its folio, number, year and period.

        header: date (datetime.date), company, type ("diario"/"ingreso"/"egreso" or 3/1/2,
        default journal), reference, comment, and optionally table, document, template.
        lines: dicts of account, debit or credit, and optionally concept, reference,
        cost_center and electronic: the line's electronic detail rows, each a dict of "kind"
        ("COMPROBANTE", "CHEQUE", ...) and the row's fields by column name ("Pdc_UUID": ...).
        A refused voucher raises LedgerError and leaves nothing in the ledger.
        """
        head = n.Arguments(_header_fields(header))
        body = n.Arguments([field for line in lines for field in _line_fields(line)])
        electronic = n.ElectronicRows(lines)
        posted = ctypes.c_int32()
        status = self._lib.ln_post_voucher_electronic(
            self._handle(), head.array, body.array, len(lines), electronic.array,
            electronic.count, ctypes.byref(posted))
        if status != n.LN_OK or not posted.value:
            raise LedgerError(self._error())
        fields = self._call("Encabezado", n.LN_PROPERTYGET)
        return {"folio": fields[0], "year": fields[1], "period": fields[2], "number": fields[4]}

    def post_document(self, table, document, company=""):
        """Posts a source document through its templates; returns the folios written (none
        when the document was already posted)."""
        self._method("Genera_Poliza_Tabla", table, document, company)
        results = ctypes.POINTER(n.Variant)()
        count = ctypes.c_size_t()
        if self._lib.ln_posted_folios(self._handle(), ctypes.byref(results),
                                      ctypes.byref(count)) != n.LN_OK:
            raise LedgerError(self._error())
        try:
            return [n.from_variant(results[i]) for i in range(count.value)]
        finally:
            self._lib.ln_free_results(results, count)

    def cancel(self, folio):
        self._method("Cancelar_Poliza", folio)

    def cancel_document(self, table, document):
        self._method("Cancelar_Poliza_Documento", table, document)

    def voucher(self, folio):
        """{"header": {column: value}, "lines": [{column: value, "electronic": [{"table": name,
        column: value}, ...]}, ...]}, every column as the ledger holds it, the voucher's and
        audit dates as datetime.date (time stamps as datetime.datetime)."""
        self._handle()
        out = ctypes.c_void_p()
        _check_thread(self._lib.ln_read_voucher(n.encode(folio), ctypes.byref(out)))
        text = n.take_text(out)
        if text is None:
            raise LedgerError(f"There is no voucher with folio {folio}.")
        stored = json.loads(text)
        lines = []
        for line in stored["lines"]:
            typed = _typed_row(line)
            typed["electronic"] = [_typed_row(row) for row in line["electronic"]]
            lines.append(typed)
        return {"header": _typed_row(stored["header"]), "lines": lines}

    def export_sat(self, company, year, month, rfc, request, order_number="",
                   procedure_number="", force=False):
        """The PolizasPeriodo XML of a company and month, under `rfc` (None: the company's).
        A refused export raises LedgerError whose text lists the problems, one a line."""
        return self._export(
            self._lib.ln_export_sat, n.encode(company), int(year), int(month), n.encode(rfc),
            n.encode(request), n.encode(order_number), n.encode(procedure_number),
            1 if force else 0)

    def export_catalogue(self, company, year, month, rfc=None):
        """The CatalogoCuentas XML, the company's chart of accounts, for a year and month, under
        `rfc` (None: the company's). Refused as export_sat is."""
        return self._export(self._lib.ln_export_catalogue, n.encode(company), int(year),
                            int(month), n.encode(rfc))

    def export_balance(self, company, year, month, rfc=None, type="N",  # noqa: A002
                       modified=None):
        """The BalanzaComprobacion XML, a month's trial balance (month 13: the year-end
        period). `type` "C" is a complementary delivery, with `modified` (a date or
        "YYYY-MM-DD") the day the books were changed. Refused as export_sat is."""
        if isinstance(modified, datetime.date):
            modified = modified.isoformat()
        return self._export(self._lib.ln_export_balance, n.encode(company), int(year),
                            int(month), n.encode(rfc), n.encode(type), n.encode(modified))

    def _export(self, function, *arguments):
        self._handle()
        ok = ctypes.c_int32()
        xml = ctypes.c_void_p()
        problems = ctypes.c_void_p()
        status = function(*arguments, ctypes.byref(ok), ctypes.byref(xml), ctypes.byref(problems))
        document = n.take_text(xml)
        found = n.take_text(problems)
        _check_thread(status)
        if not ok.value:
            raise LedgerError(found.rstrip("\n"))
        return document

    def set_parameter(self, name, value):
        """Stores a host parameter (scope 0). Objects read parameters when they start, so
        the new value counts for ledgers opened afterwards."""
        self._handle()
        _check_thread(self._lib.ln_set_parameter(n.encode(name), n.encode(value)))

    def get_parameter(self, name, default=None):
        self._handle()
        out = ctypes.c_void_p()
        _check_thread(self._lib.ln_get_parameter(n.encode(name), ctypes.byref(out)))
        value = n.take_text(out)
        return default if value is None else value

    def close(self):
        if self._object is not None:
            self._lib.ln_release(self._object)
            self._object = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def __del__(self):
        # Objects are tied to their thread; one dropped elsewhere is left for the process's end.
        if getattr(self, "_object", None) is not None and threading.get_ident() == self._thread:
            self.close()


_SAT_FILE_KINDS = {"catalogue": 0, "balance": 1, "complementary balance": 2, "vouchers": 3}


def sat_file_name(rfc, year, month, kind, extension=".xml"):
    """The name the tax administration expects for a file: "AAA010101AAA202403CT.xml".
    `kind` is "catalogue", "balance", "complementary balance" or "vouchers"."""
    if kind not in _SAT_FILE_KINDS:
        raise ValueError(f"unknown kind of file {kind!r}")
    out = ctypes.c_void_p()
    _check_thread(n.library().ln_sat_file_name(
        n.encode(rfc), int(year), int(month), _SAT_FILE_KINDS[kind], n.encode(extension),
        ctypes.byref(out)))
    return n.take_text(out)


def open(path):  # noqa: A001 - the natural name, as io.open
    """The SQLite ledger at `path`, created with its tables when missing."""
    return Ledger(n.library().ln_open_database, str(path))


def open_server(connection_string):
    """The ledger of a server database, by its ODBC connection string."""
    return Ledger(n.library().ln_open_server, connection_string)
