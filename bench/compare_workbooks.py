#!/usr/bin/env python3
"""compare_workbooks.py READER FILE.xls...

Reads each workbook twice: with the command READER followed by the file's
name (a program printing the first three columns of the active sheet one row
a line, tab-separated, with tab, line break and backslash escaped, exiting
non-zero when it refuses the file, as "build/bin/palmora-anketa --cells"
does) under the C locale, and with python3-xlrd (apt-get install
python3-xlrd) as a reference. Prints per file what differs and a summary:
workbooks the reference reads that READER refuses, and cells that differ.
Dates are compared as the C locale shows them.
"""
import datetime
import os
import shlex
import struct
import subprocess
import sys

import xlrd
from xlrd import compdoc

ERRORS = {0x00: '#NULL!', 0x07: '#DIV/0!', 0x0F: '#VALUE!', 0x17: '#REF!', 0x1D: '#NAME?', 0x24: '#NUM!',
          0x2A: '#N/A'}
MONTHS = 'Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec'.split()


def active_worksheet(path, book):
    """The worksheet shown on opening: the WINDOW1 record's tab, or the
    first worksheet when that tab is no worksheet."""
    data = open(path, 'rb').read()
    stream = data
    try:
        doc = compdoc.CompDoc(data, logfile=open(os.devnull, 'w'))
        for name in ('Workbook', 'Book', 'WORKBOOK', 'BOOK', 'workbook', 'book'):
            try:
                found = doc.get_named_stream(name)
            except Exception:
                found = None
            if found:
                stream = found
                break
    except Exception:
        pass
    tab, kinds, at = 0, [], 0
    while at + 4 <= len(stream):
        kind, size = struct.unpack('<HH', stream[at:at + 4])
        body = stream[at + 4:at + 4 + size]
        if kind == 0x000A:
            break
        if kind == 0x003D and size >= 12:
            tab = struct.unpack('<H', body[10:12])[0]
        if kind == 0x0085 and size >= 6:
            kinds.append(body[5])
        at += 4 + size
    if tab < len(kinds) and kinds[tab] == 0:
        return sum(1 for k in kinds[:tab] if k == 0)
    return 0


def text(cell, datemode):
    if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
        return ''
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return cell.value
    if cell.ctype == xlrd.XL_CELL_NUMBER:
        return '%.15g' % cell.value
    if cell.ctype == xlrd.XL_CELL_BOOLEAN:
        return 'TRUE' if cell.value else 'FALSE'
    if cell.ctype == xlrd.XL_CELL_ERROR:
        return ERRORS.get(cell.value, '#ERR')
    if cell.ctype == xlrd.XL_CELL_DATE:
        try:
            y, mo, d, h, mi, s = xlrd.xldate_as_tuple(cell.value, datemode)
        except Exception:
            return '%.15g' % cell.value
        day = '%d %s %d' % (d, MONTHS[mo - 1], y) if y else ''
        clock = '%02d:%02d:%02d' % (h, mi, s) if (h or mi or s) else ''
        return (day + ' ' + clock).strip() if day else clock or '00:00:00'
    return str(cell.value)


def escape(value):
    return value.replace('\\', '\\\\').replace('\t', '\\t').replace('\n', '\\n').replace('\r', '\\r')


def main():
    reader, files = shlex.split(sys.argv[1]), sys.argv[2:]
    env = dict(os.environ, LANG='C.UTF-8', LC_ALL='C.UTF-8', LANGUAGE='')
    read_by_reference = refused = differing = compared = 0
    for path in files:
        name = os.path.basename(path)
        try:
            book = xlrd.open_workbook(path, logfile=open(os.devnull, 'w'), on_demand=False)
            sheet = book.sheet_by_index(active_worksheet(path, book))
            expected = [[escape(text(sheet.cell(r, c), book.datemode)) if c < sheet.ncols else ''
                         for c in range(3)] for r in range(sheet.nrows)]
        except Exception as error:
            print('%s: reference refuses (%s)' % (name, str(error).splitlines()[0][:80] if str(error) else type(error).__name__))
            continue
        read_by_reference += 1
        run = subprocess.run(reader + [path], env=env, capture_output=True, text=True, errors='replace')
        if run.returncode != 0:
            refused += 1
            print('%s: refused: %s' % (name, run.stderr.strip()[:120]))
            continue
        got = [line.split('\t') for line in run.stdout.split('\n')[:-1]]
        got = [(row + ['', '', ''])[:3] for row in got]
        while expected and expected[-1] == ['', '', '']:
            expected.pop()
        while got and got[-1] == ['', '', '']:
            got.pop()
        rows = max(len(expected), len(got))
        shown = 0
        for r in range(rows):
            want = expected[r] if r < len(expected) else ['', '', '']
            have = got[r] if r < len(got) else ['', '', '']
            for c in range(3):
                compared += 1
                if want[c] != have[c]:
                    differing += 1
                    if shown < 3:
                        print('%s: row %d column %d: reference %r, read %r' % (name, r + 1, c + 1, want[c][:60], have[c][:60]))
                    shown += 1
    print('workbooks the reference reads: %d; refused of them: %d; cells compared: %d; differing: %d'
          % (read_by_reference, refused, compared, differing))


if __name__ == '__main__':
    main()
