from pathlib import Path

import pytest

import ledgernova
from conftest import fresh_ledger, rows

DEMO = Path(__file__).resolve().parents[2] / "schema" / "sqlite" / "demo.sql"


@pytest.fixture
def demo_path(tmp_path):
    """A ledger with the demo's catalogue, templates and March documents, nothing posted."""
    return fresh_ledger(
        tmp_path / "demo.db", lambda db: db.executescript(DEMO.read_text(encoding="utf-8"))
    )


def test_a_document_is_posted_once_and_cancelled(demo_path):
    with ledgernova.open(demo_path) as ledger:
        folios = ledger.post_document("Compras", "C-0001", "01")
        assert folios == ["0000000001"]
        stored = ledger.voucher("0000000001")
        assert stored["header"]["Pl_Documento"] == "C-0001"
        assert [(line["Pd_ID"], [(row["table"], row["Pdc_UUID"]) for row in line["electronic"]])
                for line in stored["lines"]] == [
            ("0001", []), ("0002", []), ("0003", []),
            ("0004", [("Poliza_Detalle_Comprobante", "2E2B919E-A148-42BE-B131-B2BFC03DB526")]),
        ]
        assert ledger.post_document("Compras", "C-0001", "01") == []
        ledger.cancel_document("Compras", "C-0001")
    assert rows(demo_path, "SELECT Pl_Folio, Pl_Documento, Es_Cve_Estado FROM Poliza") == [
        ("0000000001", "C-0001", "CA")]
