"""Post, read, cancel and export ledgerNova vouchers through the library's C interface."""

from ledgernova._ledger import Ledger, LedgerError, open, open_server, sat_file_name

__all__ = ["Ledger", "LedgerError", "open", "open_server", "sat_file_name"]
