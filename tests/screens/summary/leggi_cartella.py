"""Prints a workbook written by the export as an independent reader sees it,
one line each: the sheet names, then every
row holding a value or a style as "row:cell|cell|..." from column A, where a
bold cell starts with "*", a number with "#", any other non-text type with
its openpyxl type and ":"; last, "widths:" and the letters of the columns
given a width of their own, if any."""

import sys

import openpyxl
from openpyxl.utils import get_column_letter


def cell_text(cell):
    if cell.value is None and not cell.font.b:
        return ""
    mark = {"s": "", "n": "#"}.get(cell.data_type, cell.data_type + ":")
    value = "" if cell.value is None else str(cell.value)
    return ("*" if cell.font.b else "") + (mark if value else "") + value


def main(path):
    workbook = openpyxl.load_workbook(path)
    sheet = workbook.worksheets[0]
    print(",".join(workbook.sheetnames))
    for row in sheet.iter_rows():
        texts = [cell_text(cell) for cell in row]
        while texts and not texts[-1]:
            texts.pop()
        if texts:
            print(f"{row[0].row}:" + "|".join(texts))
    widths = "".join(
        get_column_letter(c)
        for dim in sheet.column_dimensions.values() if dim.customWidth
        for c in range(dim.min, dim.max + 1))
    if widths:
        print("widths:" + widths)


if __name__ == "__main__":
    main(sys.argv[1])
