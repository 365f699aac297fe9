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
