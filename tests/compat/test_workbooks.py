#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Converts workbooks written by python3-openpyxl, python3-xlsxwriter and python3-odf and holds
each network to the one urdiva-cli makes of the CSV export of the same rows read with --quotes
(Python's csv module writes it); checks the cell rules (numbers, dates, errors, merged cells) and
that a damaged or protected workbook is refused with nothing written.

Usage: test_workbooks.py PATH_TO_URDIVA_CLI
"""
import csv
import datetime
import os
import subprocess
import sys
import tempfile
import unittest

import openpyxl
import xlsxwriter
from odf.opendocument import OpenDocumentSpreadsheet
from odf.table import Table, TableCell, TableRow
from odf.text import P

CLI = sys.argv.pop(1) if len(sys.argv) > 1 else "urdiva-cli"

# Two sheets of rows of the same width: accents, quotation marks, commas, semicolons, line
# breaks and spaces in names; integer and decimal weights; an empty row and a blank weight.
SHEETS = {
    "Coautoria": [
        ["Autor", "Coautor", "Peso"],
        ["Ana Souza", "João, Pereira", 3],
        ['Érica "Lima"', "Ana Souza", 2.5],
        ["Zé\nCarlos", "Ana Souza; Bia", 0.1],
        ["", "", ""],
        [" Márcia ", "Zé\nCarlos", 10],
        ["Ana Souza", "Wang 王", 2.25],
        ["Bia", "Lúcia", ""],
    ],
    "Nome da planilha": [
        ["Pessoa", "Cidade", "Anos"],
        ["Ana Souza", "São Paulo", 1],
        ["Rui", "Rio de Janeiro", 12],
        ["Ana Souza", "Rio de Janeiro", 7],
    ],
}


def write_openpyxl(path):
    book = openpyxl.Workbook()
    book.remove(book.active)
    for name, rows in SHEETS.items():
        sheet = book.create_sheet(name)
        for row in rows:
            sheet.append([None if cell == "" else cell for cell in row])
    book.save(path)


def write_xlsxwriter(path):
    book = xlsxwriter.Workbook(path)
    for name, rows in SHEETS.items():
        sheet = book.add_worksheet(name)
        for r, row in enumerate(rows):
            for c, cell in enumerate(row):
                if cell != "":
                    sheet.write(r, c, cell)
    book.close()


def write_odfpy(path):
    book = OpenDocumentSpreadsheet()
    for name, rows in SHEETS.items():
        table = Table(name=name)
        for row in rows:
            table_row = TableRow()
            for cell in row:
                if isinstance(cell, str):
                    table_cell = TableCell(valuetype="string") if cell else TableCell()
                    for line in cell.split("\n") if cell else []:
                        table_cell.addElement(P(text=line))
                else:
                    table_cell = TableCell(valuetype="float", value=cell)
                    table_cell.addElement(P(text=str(cell)))
                table_row.addElement(table_cell)
            table.addElement(table_row)
        book.spreadsheet.addElement(table)
    book.save(path)


WRITERS = {"openpyxl.xlsx": write_openpyxl, "xlsxwriter.xlsx": write_xlsxwriter,
           "odfpy.ods": write_odfpy}


def convert(folder, source, *options):
    """The network's bytes, or None and the error when the run fails."""
    out = os.path.join(folder, "rede.net")
    if os.path.exists(out):
        os.remove(out)
    run = subprocess.run([CLI, "-q", "-f", *options, source, out], capture_output=True,
                         env=dict(os.environ, LC_ALL="C.UTF-8"))
    if run.returncode != 0:
        return None, run.stderr.decode()
    with open(out, "rb") as f:
        return f.read(), ""


class Workbooks(unittest.TestCase):
    def test_networks_as_of_the_csv_export(self):
        with tempfile.TemporaryDirectory() as folder:
            for number, (name, rows) in enumerate(SHEETS.items(), start=1):
                csv_path = os.path.join(folder, f"planilha{number}.csv")
                with open(csv_path, "w", encoding="utf-8", newline="") as f:
                    csv.writer(f).writerows(rows)
                for options in (["--value", "3"], ["--two-mode", "--value", "Peso" if number == 1
                                                   else "Anos"], ["--merge", "count"]):
                    wanted, error = convert(folder, csv_path, "--quotes", "-s", "comma",
                                            "--header", "1", *options)
                    self.assertIsNotNone(wanted, error)
                    for writer_name, write in WRITERS.items():
                        book = os.path.join(folder, writer_name)
                        write(book)
                        for sheet in ([] if number == 1 else ["--sheet", "2"]), ["--sheet", name]:
                            with self.subTest(writer=writer_name, sheet=sheet, options=options):
                                got, error = convert(folder, book, "--header", "1", *sheet,
                                                     *options)
                                self.assertEqual(got, wanted, error)

    def test_cell_rules(self):
        """Numbers as their shortest decimal, dates by their format as ISO dates, formulas by
        their stored result, error cells empty; merged cells hold their value in the first."""
        with tempfile.TemporaryDirectory() as folder:
            book = os.path.join(folder, "regras.xlsx")
            workbook = xlsxwriter.Workbook(book)
            sheet = workbook.add_worksheet()
            dated = workbook.add_format({"num_format": "dd/mm/yyyy"})
            rows = [("a", 0.1), ("b", 1 / 3), ("c", 1e20), ("d", -0.0)]
            for r, (name, number) in enumerate(rows):
                sheet.write_string(r, 0, name)
                sheet.write_number(r, 1, number)
            sheet.write_string(4, 0, "e")
            sheet.write_datetime(4, 1, datetime.datetime(2021, 3, 4), dated)
            sheet.write_string(5, 0, "f")
            sheet.write_formula(5, 1, "=1+1", None, 2)
            sheet.write_string(6, 0, "g")
            sheet.write_formula(6, 1, "=NA()", None, "#N/A")
            sheet.merge_range(7, 0, 7, 1, "h")
            workbook.close()
            got, error = convert(folder, book, "--two-mode")
            self.assertIsNotNone(got, error)
            lines = got.decode("utf-8-sig").split("\r\n")
            # The error cell and the cell that the merged one covers are both empty: one blank
            # second-mode vertex, as a CSV export's empty fields give.
            self.assertEqual(lines[:lines.index("*Edges")],
                             ["*Vertices 15 8"] + [f'{k} "{n}"' for k, n in enumerate(
                                 ["a", "b", "c", "d", "e", "f", "g", "h", "0.1",
                                  "0.3333333333333333", "1e+20", "0", "2021-03-04", "2", ""],
                                 start=1)])
            self.assertEqual(lines[lines.index("*Edges") + 7:], ["7 15", "8 15", ""])
            warned = subprocess.run([CLI, "-f", "--two-mode", book, os.path.join(folder, "r")],
                                    capture_output=True, env=dict(os.environ, LC_ALL="C.UTF-8"))
            self.assertIn("células da planilha com erro (#N/A, #DIV/0!…) lidas como vazias: 1.",
                          warned.stderr.decode())

    def test_refusals(self):
        with tempfile.TemporaryDirectory() as folder:
            damaged = os.path.join(folder, "danificada.xlsx")
            write_openpyxl(damaged)
            with open(damaged, "r+b") as f:
                f.truncate(os.path.getsize(damaged) // 2)
            protected = os.path.join(folder, "protegida.xlsx")
            with open(protected, "wb") as f:
                f.write(b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(504))
            good = os.path.join(folder, "boa.xlsx")
            write_openpyxl(good)
            for book, options, says in [
                    (damaged, [], "danificado"), (protected, [], "protegida por senha"),
                    (good, ["--sheet", "9"], '"Coautoria", "Nome da planilha"'),
                    (good, ["-s", "comma"], "'--separator' não vale"),
                    (good, ["--quotes"], "'--quotes' não vale")]:
                with self.subTest(book=book, options=options):
                    got, error = convert(folder, book, *options)
                    self.assertIsNone(got)
                    self.assertIn(says, error)
                    self.assertFalse(os.path.exists(os.path.join(folder, "rede.net")))


if __name__ == "__main__":
    unittest.main()
