"""Post, read, cancel and export ledgerNova vouchers through the library's C interface."""

from ledgernova._ledger import Ledger, LedgerError, open, open_server

__all__ = ["Ledger", "LedgerError", "open", "open_server"]
