"""The C interface of libledgernova, declared for ctypes."""

import ctypes
import ctypes.util
import datetime
import os

LN_EMPTY = 0
LN_NULL = 1
LN_LONG = 3
LN_DOUBLE = 5
LN_DATE = 7
LN_TEXT = 8
LN_BOOLEAN = 11

LN_METHOD = 1
LN_PROPERTYGET = 2
LN_PROPERTYPUT = 4

LN_OK = 0

# Day 0 of the library's date serials.
_EPOCH = datetime.date(1899, 12, 30)


class Variant(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int32),
        ("boolean_value", ctypes.c_int32),
        ("long_value", ctypes.c_int32),
        ("double_value", ctypes.c_double),
        ("date_value", ctypes.c_double),
        ("text", ctypes.c_char_p),
    ]


class ElectronicRow(ctypes.Structure):
    _fields_ = [
        ("line", ctypes.c_size_t),
        ("kind", ctypes.c_char_p),
        ("names", ctypes.POINTER(ctypes.c_char_p)),
        ("values", ctypes.POINTER(ctypes.c_char_p)),
        ("nfields", ctypes.c_size_t),
    ]


def _library_path():
    explicit = os.environ.get("LEDGERNOVA_LIBRARY")
    if explicit:
        return explicit
    # find_library knows the ldconfig cache; a plain soname lets the dynamic loader search
    # LD_LIBRARY_PATH as well.
    return ctypes.util.find_library("ledgernova") or "libledgernova.so"


def _declare(lib):
    obj = ctypes.c_void_p
    text_out = ctypes.POINTER(ctypes.c_void_p)
    results = ctypes.POINTER(ctypes.POINTER(Variant))
    size_out = ctypes.POINTER(ctypes.c_size_t)
    signatures = {
        "ln_create": ([ctypes.c_char_p, ctypes.POINTER(obj)], ctypes.c_int),
        "ln_call": (
            [obj, ctypes.c_char_p, ctypes.c_int, ctypes.POINTER(Variant), ctypes.c_size_t,
             results, size_out],
            ctypes.c_int,
        ),
        "ln_get_error": ([obj], ctypes.c_char_p),
        "ln_free_results": ([ctypes.POINTER(Variant), ctypes.c_size_t], None),
        "ln_release": ([obj], None),
        "ln_post_voucher": (
            [obj, ctypes.POINTER(Variant), ctypes.POINTER(Variant), ctypes.c_size_t,
             ctypes.POINTER(ctypes.c_int32)],
            ctypes.c_int,
        ),
        "ln_post_voucher_electronic": (
            [obj, ctypes.POINTER(Variant), ctypes.POINTER(Variant), ctypes.c_size_t,
             ctypes.POINTER(ElectronicRow), ctypes.c_size_t, ctypes.POINTER(ctypes.c_int32)],
            ctypes.c_int,
        ),
        "ln_open_database": ([ctypes.c_char_p], ctypes.c_int),
        "ln_open_server": ([ctypes.c_char_p], ctypes.c_int),
        "ln_set_parameter": ([ctypes.c_char_p, ctypes.c_char_p], ctypes.c_int),
        "ln_get_parameter": ([ctypes.c_char_p, text_out], ctypes.c_int),
        "ln_export_sat": (
            [ctypes.c_char_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p, ctypes.c_char_p,
             ctypes.c_char_p, ctypes.c_char_p, ctypes.c_int32, ctypes.POINTER(ctypes.c_int32),
             text_out, text_out],
            ctypes.c_int,
        ),
        "ln_export_catalogue": (
            [ctypes.c_char_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p,
             ctypes.POINTER(ctypes.c_int32), text_out, text_out],
            ctypes.c_int,
        ),
        "ln_export_balance": (
            [ctypes.c_char_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p, ctypes.c_char_p,
             ctypes.c_char_p, ctypes.POINTER(ctypes.c_int32), text_out, text_out],
            ctypes.c_int,
        ),
        "ln_sat_file_name": (
            [ctypes.c_char_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p,
             text_out],
            ctypes.c_int,
        ),
        "ln_read_voucher": ([ctypes.c_char_p, text_out], ctypes.c_int),
        "ln_posted_folios": ([obj, results, size_out], ctypes.c_int),
        "ln_free_text": ([ctypes.c_void_p], None),
    }
    for name, (argtypes, restype) in signatures.items():
        function = getattr(lib, name)
        function.argtypes = argtypes
        function.restype = restype
    return lib


_lib = None


def library():
    global _lib
    if _lib is None:
        _lib = _declare(ctypes.CDLL(_library_path()))
    return _lib


def encode(text):
    return None if text is None else str(text).encode("utf-8")


def decode(raw):
    return "" if raw is None else raw.decode("utf-8")


def take_text(pointer):
    """The library-allocated text at `pointer` as str (None for NULL), freed afterwards."""
    if not pointer.value:
        return None
    try:
        return decode(ctypes.string_at(pointer.value))
    finally:
        library().ln_free_text(pointer.value)


class Arguments:
    """Variants for one call; keeps the encoded texts alive as long as the array."""

    def __init__(self, values):
        self._texts = []
        self.array = (Variant * max(len(values), 1))()
        self.count = len(values)
        for slot, value in zip(self.array, values):
            self._fill(slot, value)

    def _fill(self, slot, value):
        if value is None:
            slot.type = LN_EMPTY
        elif isinstance(value, bool):
            slot.type = LN_BOOLEAN
            slot.boolean_value = 1 if value else 0
        elif isinstance(value, int):
            slot.type = LN_LONG
            slot.long_value = value
        elif isinstance(value, float):
            slot.type = LN_DOUBLE
            slot.double_value = value
        elif isinstance(value, datetime.datetime):
            slot.type = LN_DATE
            midnight = datetime.datetime.combine(value.date(), datetime.time())
            slot.date_value = (value.date() - _EPOCH).days + (
                (value - midnight).total_seconds() / 86400.0
            )
        elif isinstance(value, datetime.date):
            slot.type = LN_DATE
            slot.date_value = float((value - _EPOCH).days)
        else:
            encoded = encode(value)
            self._texts.append(encoded)
            slot.type = LN_TEXT
            slot.text = encoded


def from_variant(value):
    if value.type == LN_TEXT:
        return decode(value.text)
    if value.type == LN_LONG:
        return value.long_value
    if value.type == LN_DOUBLE:
        return value.double_value
    if value.type == LN_BOOLEAN:
        return value.boolean_value != 0
    if value.type == LN_DATE:
        days = int(value.date_value)
        return _EPOCH + datetime.timedelta(days=days)
    return None


class ElectronicRows:
    """The electronic detail rows of a voucher's lines for one call; keeps the encoded texts alive
    as long as the array. `lines` are dicts whose "electronic" list holds, per row, "kind" and the
    row's fields by column name (values as text; numbers are written as Python writes them)."""

    def __init__(self, lines):
        self._keep = []
        rows = [(number, row) for number, line in enumerate(lines, 1)
                for row in line.get("electronic", ())]
        self.array = (ElectronicRow * max(len(rows), 1))()
        self.count = len(rows)
        for slot, (number, row) in zip(self.array, rows):
            self._fill(slot, number, row)

    def _texts(self, texts):
        encoded = (ctypes.c_char_p * max(len(texts), 1))(*[encode(text) for text in texts])
        self._keep.append(encoded)
        return encoded

    def _fill(self, slot, number, row):
        fields = [(name, value) for name, value in row.items() if name != "kind"]
        slot.line = number
        kind = encode(row["kind"])
        self._keep.append(kind)
        slot.kind = kind
        slot.names = self._texts([name for name, _ in fields])
        slot.values = self._texts([value for _, value in fields])
        slot.nfields = len(fields)
