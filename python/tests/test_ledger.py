import datetime
import sqlite3

import pytest

import ledgernova
from conftest import HEADER, rows

BALANCED = [
    {"account": "6101", "debit": 8000.5, "concept": "Renta"},
    {"account": "2101", "credit": 8000.5, "concept": "Renta por pagar"},
]


def test_a_balanced_voucher_is_posted_and_read_back(ledger, ledger_path):
    posted = ledger.post_voucher(HEADER, BALANCED)
    assert posted == {"folio": "0000000001", "year": "2024", "period": "03",
                      "number": "0000000001"}

    stored = ledger.voucher(posted["folio"])
    header = stored["header"]
    assert header["Pl_Fecha"] == datetime.date(2024, 3, 15)
    assert header["Pl_Tipo"] == 3
    assert header["Em_Cve_Empresa"] == "001"
    assert header["Pl_Comentario"] == "Renta de marzo"
    assert header["Es_Cve_Estado"] == "AC"
    assert [(line["Pd_ID"], line["Cc_Cve_Cuenta_Contable"], line["Pd_Tipo"], line["Pd_Importe"],
             line["Pd_Concepto"]) for line in stored["lines"]] == [
        ("0001", "6101", 1, 8000.5, "Renta"),
        ("0002", "2101", 2, 8000.5, "Renta por pagar"),
    ]
    assert rows(ledger_path, "SELECT Pl_Folio, Pl_Fecha FROM Poliza") == [
        ("0000000001", "2024-03-15")]


def test_a_refused_voucher_raises_the_exact_text_and_leaves_nothing(ledger, ledger_path):
    lines = [{"account": "6101", "debit": 10}, {"account": "9999", "credit": 10}]
    with pytest.raises(ledgernova.LedgerError) as refused:
        ledger.post_voucher(HEADER, lines)
    assert str(refused.value) == (
        "ledgerNova.dll - post_voucher()\r\nLínea 2:\r\nledgerNova.dll - Add_Poliza_Detalle()\r\n"
        "La cuenta contable:9999, no existe")
    assert rows(ledger_path, "SELECT COUNT(*) FROM Poliza") == [(0,)]
    assert rows(ledger_path, "SELECT COUNT(*) FROM Poliza_Detalle") == [(0,)]


def test_an_unbalanced_voucher_leaves_nothing(ledger, ledger_path):
    lines = [{"account": "6101", "debit": 10}, {"account": "2101", "credit": 9}]
    with pytest.raises(ledgernova.LedgerError) as refused:
        ledger.post_voucher(HEADER, lines)
    assert str(refused.value).startswith("ledgerNova.dll - post_voucher()\r\n")
    assert "desbalanceada" in str(refused.value)
    assert rows(ledger_path, "SELECT COUNT(*) FROM Poliza_Detalle") == [(0,)]


def test_a_cancelled_voucher_is_kept_with_its_status(ledger, ledger_path):
    folio = ledger.post_voucher(HEADER, BALANCED)["folio"]
    ledger.cancel(folio)
    assert rows(ledger_path, "SELECT Es_Cve_Estado FROM Poliza") == [("CA",)]
    assert ledger.voucher(folio)["header"]["Es_Cve_Estado"] == "CA"


def test_cancelling_a_missing_voucher_raises(ledger):
    with pytest.raises(ledgernova.LedgerError) as refused:
        ledger.cancel("0000000077")
    assert "Cancelar_Poliza()" in str(refused.value)


def test_reading_a_missing_voucher_raises(ledger):
    with pytest.raises(ledgernova.LedgerError) as refused:
        ledger.voucher("0000000077")
    assert str(refused.value) == "There is no voucher with folio 0000000077."


def test_parameters_are_stored_in_the_ledger(ledger, ledger_path):
    assert ledger.get_parameter("CON_IMPORTE_MAXIMO_REDONDEO") is None
    ledger.set_parameter("CON_IMPORTE_MAXIMO_REDONDEO", "0.05")
    ledger.set_parameter("CON_IMPORTE_MAXIMO_REDONDEO", "0.10")
    assert ledger.get_parameter("CON_IMPORTE_MAXIMO_REDONDEO") == "0.10"
    assert rows(ledger_path, "SELECT Pa_Nombre, Pa_Ambito, Pa_Valor FROM Parametro") == [
        ("CON_IMPORTE_MAXIMO_REDONDEO", 0, "0.10")]


def test_the_export_of_a_posted_month_holds_its_voucher(ledger):
    ledger.post_voucher(HEADER, BALANCED)
    xml = ledger.export_sat(company="001", year=2024, month=3, rfc="LNO010101AB1",
                            request="AF", order_number="ABC1234567/24")
    assert xml.startswith('<?xml version="1.0" encoding="UTF-8"?>\n<PLZ:Polizas')
    assert ('<PLZ:Poliza NumUnIdenPol="3-0000000001" Fecha="2024-03-15" '
            'Concepto="Renta de marzo">') in xml
    assert ('<PLZ:Transaccion NumCta="6101" DesCta="Gastos generales" Concepto="Renta" '
            'Debe="8000.50" Haber="0.00"/>') in xml


def test_a_refused_export_raises_with_its_problems(ledger):
    ledger.post_voucher(HEADER, BALANCED)
    with pytest.raises(ledgernova.LedgerError) as refused:
        ledger.export_sat(company="001", year=2024, month=3, rfc="LNO010101AB1", request="AF")
    assert "NumOrden" in str(refused.value)


@pytest.fixture
def chart(ledger_path):
    """The small chart with grouping codes and natures, under company 001 and its RFC."""
    with sqlite3.connect(ledger_path) as db:
        db.execute("INSERT INTO Empresa (Em_Cve_Empresa, Em_R_F_C) VALUES ('001', 'LNO010101AB1')")
        db.executemany(
            "UPDATE Cuenta_Contable SET Cc_Codigo_Agrupador = ?, Cc_Naturaleza = ? "
            "WHERE Cc_Cve_Cuenta_Contable = ?",
            [("101.01", "D", "1101"), ("201.01", "A", "2101"), ("601.84", "D", "6101")])
    return ledger_path


def test_the_chart_of_accounts_is_exported_under_the_companys_rfc(chart, ledger):
    xml = ledger.export_catalogue(company="001", year=2024, month=3)
    assert ' RFC="LNO010101AB1" Mes="03" Anio="2024">' in xml
    assert ('<catalogocuentas:Ctas CodAgrup="201.01" NumCta="2101" Desc="Proveedores" '
            'Nivel="1" Natur="A"/>') in xml
    assert ' RFC="AAA010101AAA" ' in ledger.export_catalogue("001", 2024, 3, rfc="AAA010101AAA")
    assert ledgernova.sat_file_name("LNO010101AB1", 2024, 3, "catalogue") == (
        "LNO010101AB1202403CT.xml")
    assert ledgernova.sat_file_name("LNO010101AB1", 2024, 13, "complementary balance",
                                    ".zip") == "LNO010101AB1202413BC.zip"


def test_the_trial_balance_is_exported_or_refused_with_its_problems(chart, ledger):
    ledger.post_voucher(HEADER, BALANCED)
    xml = ledger.export_balance(company="001", year=2024, month=3, type="C",
                                modified=datetime.date(2024, 4, 2))
    assert 'TipoEnvio="C" FechaModBal="2024-04-02">' in xml
    assert ('<BCE:Ctas NumCta="2101" SaldoIni="0.00" Debe="0.00" Haber="8000.50" '
            'SaldoFin="8000.50"/>') in xml

    with sqlite3.connect(chart) as db:
        db.execute("UPDATE Cuenta_Contable SET Cc_Naturaleza = '' WHERE "
                   "Cc_Cve_Cuenta_Contable = '6101'")
    with pytest.raises(ledgernova.LedgerError) as refused:
        ledger.export_balance(company="001", year=2024, month=3)
    assert str(refused.value) == (
        'Ctas, NumCta "6101": the account has no nature: Cc_Naturaleza must be D (deudora) '
        "or A (acreedora)")


def test_a_ledger_opened_on_a_missing_folder_raises(tmp_path):
    with pytest.raises(ledgernova.LedgerError) as refused:
        ledgernova.open(tmp_path / "missing" / "ledger.db")
    assert str(refused.value) != ""


def test_electronic_rows_are_posted_with_their_line_or_refuse_the_voucher(ledger, ledger_path):
    invoice = {"kind": "COMPROBANTE", "Pdc_UUID": "6F9619FF-8B86-D011-B42D-00C04FC964FF",
               "Pdc_Monto": 8000.5, "Pdc_RFC": "AAA010101AAA", "Pdc_Metodo_Pago": "PUE"}
    transfer = {"kind": "transferencia", "Pdt_Banco_Origen_Nacional": "002",
                "Pdt_Cuenta_Origen": "0123", "Pdt_Banco_Destino_Nacional": "012",
                "Pdt_Cuenta_Destino": "0456", "Pdt_Fecha": "2024-03-15", "Pdt_Monto": "8000.50",
                "Pdt_Beneficiario": "Renta SA", "Pdt_RFC": "REN010101AB1"}
    lines = [dict(BALANCED[0], electronic=[invoice]), dict(BALANCED[1], electronic=[transfer])]
    folio = ledger.post_voucher(HEADER, lines)["folio"]
    assert rows(ledger_path, "SELECT * FROM Poliza_Detalle_Comprobante") == [
        (folio, "0001", "0001", "6F9619FF-8B86-D011-B42D-00C04FC964FF", 8000.5, "AAA010101AAA",
         "MXN", "PUE", 1)]
    assert rows(ledger_path, "SELECT * FROM Poliza_Detalle_Transferencia") == [
        (folio, "0002", "0001", "002", "0123", "012", "0456", "2024-03-15", 8000.5, "Renta SA",
         "REN010101AB1", "", "", "MXN", 1)]
    assert ledger.voucher(folio)["lines"][1]["electronic"][0]["Pdt_Beneficiario"] == "Renta SA"

    del transfer["Pdt_Beneficiario"]
    with pytest.raises(ledgernova.LedgerError) as refused:
        ledger.post_voucher(HEADER, lines)
    assert str(refused.value) == (
        "ledgerNova.dll - post_voucher()\r\nLínea 2, comprobante 1:\r\n"
        "No se encontró la columna en el comando especificado o esta vacía: \r\n"
        "=> COLUMNA: BENEFICIARIO\r\n=> POLIZA: 0000000002\r\n=> ID: 0002\r\n"
        "=> TIPO: transferencia\r\n=> SQL: ")
    assert rows(ledger_path, "SELECT COUNT(*) FROM Poliza_Detalle_Transferencia") == [(1,)]
    assert rows(ledger_path, "SELECT COUNT(*) FROM Poliza") == [(1,)]
