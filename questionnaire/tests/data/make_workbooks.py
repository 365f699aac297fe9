#!/usr/bin/env python3
"""Writes the workbooks the questionnaire tests read (needs python3-xlwt):
    /usr/bin/python3 questionnaire/tests/data/make_workbooks.py
"""
import datetime
import os
import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))


def book_with(rows, name):
    book = xlwt.Workbook(encoding='utf-8')
    sheet = book.add_sheet('Лист1')
    for r, cells in enumerate(rows):
        for c, value in enumerate(cells):
            if value is not None:
                sheet.write(r, c, value)
    book.save(os.path.join(HERE, name))


# A title row, two questions (the second answer without a result) and the end marker.
book_with([
    ['Пример анкеты'],
    ['Вопрос 1', 'Ответ A', 'Результат A'],
    [None, 'Ответ B', 'Результат B'],
    ['Вопрос 2', 'Ответ A'],
    ['QUIT'],
], 'example.xls')

# Two questions and no end marker.
book_with([
    ['Вопрос 1', 'Ответ A', 'Результат A'],
    [None, 'Ответ B', 'Результат B'],
    ['Вопрос 2', 'Ответ C', 'Результат C'],
], 'no_marker.xls')

# Cell values of several kinds.
book = xlwt.Workbook(encoding='utf-8')
sheet = book.add_sheet('Значения')
sheet.write(0, 0, 42)
sheet.write(0, 1, 3.5)
sheet.write(0, 2, 'текст')
sheet.write(1, 0, '   ')
sheet.write(1, 2, -2.25)
sheet.write(3, 0, 1234567.0)
sheet.write(3, 1, datetime.date(2024, 1, 5), xlwt.easyxf(num_format_str='DD.MM.YYYY'))
sheet.write(3, 3, 'четвёртый столбец')
book.save(os.path.join(HERE, 'values.xls'))

# The questionnaire is on the second sheet, which was active when saved.
book = xlwt.Workbook(encoding='utf-8')
first = book.add_sheet('Первый')
first.write(0, 0, 'Вопрос с первого листа')
first.write(0, 1, 'Не тот лист')
second = book.add_sheet('Второй')
second.write(0, 0, 'Вопрос со второго листа')
second.write(0, 1, 'Да')
second.write(0, 2, 'Верно')
second.write(1, 0, 'quit')
first.set_selected(False)
second.set_selected(True)
book.active_sheet = 1
book.save(os.path.join(HERE, 'second_active.xls'))


def with_claimed_rows(source, rows, name):
    """The example workbook whose sheet claims `rows` rows: its DIMENSIONS
    record (type 0x0200, 14 bytes) gets a new last-row-plus-one."""
    data = bytearray(open(os.path.join(HERE, source), 'rb').read())
    at = data.index(b'\x00\x02\x0e\x00')
    data[at + 8:at + 12] = rows.to_bytes(4, 'little')
    open(os.path.join(HERE, name), 'wb').write(bytes(data))


# A sheet that claims a million rows and holds five.
with_claimed_rows('example.xls', 1000000, 'million_rows.xls')
# A sheet that claims a few hundred rows more than it holds, as some writers do.
with_claimed_rows('example.xls', 500, 'claims_500_rows.xls')


def biff2(name, rows, columns, cells):
    """An Excel 2 worksheet (a bare record stream, no container) in the
    Windows Cyrillic code page: BOF, CODEPAGE, DIMENSIONS claiming
    rows x columns, one LABEL per (row, column, text) and EOF."""
    def record(kind, payload):
        return kind.to_bytes(2, 'little') + len(payload).to_bytes(2, 'little') + payload

    def u16(value):
        return value.to_bytes(2, 'little')

    data = record(0x0009, u16(0x0002) + u16(0x0010))
    data += record(0x0042, u16(1251))
    data += record(0x0000, u16(0) + u16(rows) + u16(0) + u16(columns))
    for row, column, text in cells:
        raw = text.encode('cp1251')
        data += record(0x0004, u16(row) + u16(column) + b'\0\0\0' + bytes([len(raw)]) + raw)
    data += record(0x000A, b'')
    open(os.path.join(HERE, name), 'wb').write(data)


# The oldest workbooks the reader reads, and one that claims every row a
# 16-bit field can name.
QUESTION = [(0, 0, 'Вопрос'), (0, 1, 'Ответ'), (0, 2, 'Результат'), (1, 0, 'quit')]
biff2('excel2.xls', 2, 3, QUESTION)
biff2('excel2_claims_all.xls', 65535, 256, QUESTION)
