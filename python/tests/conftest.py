import datetime
import sqlite3
import sys
from pathlib import Path

import pytest

# The package from this source tree unless one is installed on purpose.
sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

import ledgernova  # noqa: E402

ACCOUNTS = [("1101", "Caja"), ("2101", "Proveedores"), ("6101", "Gastos generales")]


def fresh_ledger(path, fill):
    """A new ledger file with its tables, then `fill(db)` on a plain sqlite3 connection to it."""
    with ledgernova.open(path):
        pass
    with sqlite3.connect(path) as db:
        fill(db)
    return path


@pytest.fixture
def ledger_path(tmp_path):
    """A fresh ledger file with its tables and a small chart of accounts."""
    return fresh_ledger(
        tmp_path / "ledger.db",
        lambda db: db.executemany(
            "INSERT INTO Cuenta_Contable (Cc_Cve_Cuenta_Contable, Cc_Descripcion) VALUES (?, ?)",
            ACCOUNTS,
        ),
    )


@pytest.fixture
def ledger(ledger_path):
    with ledgernova.open(ledger_path) as opened:
        yield opened


def rows(path, sql):
    with sqlite3.connect(path) as db:
        return db.execute(sql).fetchall()


HEADER = {
    "date": datetime.date(2024, 3, 15),
    "type": "diario",
    "company": "001",
    "reference": "R-1",
    "comment": "Renta de marzo",
}
