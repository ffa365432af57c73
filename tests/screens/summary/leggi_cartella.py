"""Reads a workbook written by the export and prints what a test checks, as
JSON: the sheet names, every cell that holds a value or a style (value,
openpyxl data type, bold) and the column widths that were set."""

import json
import sys

import openpyxl


def main(path):
    workbook = openpyxl.load_workbook(path)
    sheet = workbook.worksheets[0]
    cells = {}
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None and not cell.font.b:
                continue
            cells[cell.coordinate] = {
                "value": cell.value,
                "type": cell.data_type,
                "bold": bool(cell.font.b),
            }
    widths = {
        letter: dimension.width
        for letter, dimension in sheet.column_dimensions.items()
        if dimension.customWidth
    }
    print(json.dumps({"sheets": workbook.sheetnames, "cells": cells, "widths": widths}))


if __name__ == "__main__":
    main(sys.argv[1])
