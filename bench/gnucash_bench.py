#!/usr/bin/python3
"""Posts N four-split entries into a new GnuCash 4.13 book kept in SQLite, as ledgernova-bench
posts its purchases (two charges, VAT charged, the supplier credited), and prints one JSON line.

Not part of CI: it needs Debian's gnucash, python3-gnucash and libdbd-sqlite3. Run it with the
system's Python, which finds the gnucash module:

    /usr/bin/python3 bench/gnucash_bench.py --entries 1000
"""

import argparse
import json
import os
import resource
import sqlite3
import tempfile
import time

from gnucash import Account, GncNumeric, Session, SessionOpenMode, Split, Transaction
from gnucash.gnucash_core_c import ACCT_TYPE_ASSET, ACCT_TYPE_EXPENSE, ACCT_TYPE_LIABILITY


def new_account(book, parent, name, kind, currency):
    account = Account(book)
    account.BeginEdit()
    account.SetName(name)
    account.SetType(kind)
    account.SetCommodity(currency)
    parent.append_child(account)
    account.CommitEdit()
    return account


def cents(value):
    return GncNumeric(value, 100)


def add_split(book, entry, account, amount_cents):
    split = Split(book)
    split.SetParent(entry)
    split.SetAccount(account)
    split.SetValue(cents(amount_cents))
    split.SetAmount(cents(amount_cents))
    split.SetMemo(account.GetName())


# The amounts of purchase i as ledgernova-bench generates them, in cents.
def purchase(i):
    expense = 100000 + 1225 * (i % 97)
    goods = 48050 + 375 * (i % 89)
    vat = (expense + goods) * 4 // 25
    return expense, goods, vat, expense + goods + vat


def post_entries(book, accounts, currency, count):
    expense_account, goods_account, vat_account, supplier_account = accounts
    for i in range(1, count + 1):
        expense, goods, vat, total = purchase(i)
        entry = Transaction(book)
        entry.BeginEdit()
        entry.SetCurrency(currency)
        entry.SetDate(1 + (i - 1) % 31, 3, 2024)
        entry.SetNum("B-%07d" % i)
        entry.SetDescription("Compra B-%07d" % i)
        add_split(book, entry, expense_account, expense)
        add_split(book, entry, goods_account, goods)
        add_split(book, entry, vat_account, vat)
        add_split(book, entry, supplier_account, -total)
        entry.CommitEdit()  # the SQL backend writes the entry here


# Entries and splits in the book's file: the SQL backend writes each entry when it is committed.
def stored_entries(path):
    with sqlite3.connect(path) as book:
        entries = book.execute("SELECT COUNT(*) FROM transactions").fetchone()[0]
        splits = book.execute("SELECT COUNT(*) FROM splits").fetchone()[0]
    return entries, splits


def create_book(uri):
    session = Session(uri, SessionOpenMode.SESSION_NEW_STORE)
    session.end()
    session.destroy()


# The book is created first and opened again, as a program opens an existing book: on a new
# store the Python session writes the book's row twice, and the second write fails the session.
def run(count):
    folder = tempfile.mkdtemp(prefix="gnucash-bench-")
    path = os.path.join(folder, "book.gnucash")
    uri = "sqlite3://" + path
    create_book(uri)
    session = Session(uri, SessionOpenMode.SESSION_NORMAL_OPEN)
    try:
        book = session.book
        currency = book.get_table().lookup("CURRENCY", "MXN")
        root = book.get_root_account()
        accounts = [
            new_account(book, root, "Papeleria", ACCT_TYPE_EXPENSE, currency),
            new_account(book, root, "Mercancia", ACCT_TYPE_ASSET, currency),
            new_account(book, root, "IVA acreditable", ACCT_TYPE_ASSET, currency),
            new_account(book, root, "Proveedores", ACCT_TYPE_LIABILITY, currency),
        ]
        start = time.perf_counter()
        post_entries(book, accounts, currency, count)
        spent = time.perf_counter() - start
    finally:
        session.end()
        session.destroy()
    stored = stored_entries(path)
    if stored != (count, 4 * count):
        raise RuntimeError("the book holds %d entries and %d splits" % stored)
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    os.rmdir(folder)
    return {
        "program": "gnucash 4.13 (python3-gnucash, SQLite backend)",
        "entries": count,
        "per_entry_us": round(spent * 1e6 / count, 1),
        "total_s": round(spent, 2),
        "peak_rss_mb": round(resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0, 1),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--entries", type=int, default=1000)
    arguments = parser.parse_args()
    print(json.dumps(run(arguments.entries)))


if __name__ == "__main__":
    main()
