#!/usr/bin/env python3
"""Writes a deterministic synthetic knowledge base of Russian-like
Windows-1251 articles for the search benchmark.

    generate_kb.py DIR [--articles N] [--total-mb M] [--big-mb B [--rtf]]

Every article holds the common pair «линия жизни» close together; one in a
hundred also holds the rare pair «сломанная хиромантия». Every paragraph
starts with «Холм» and ends with «фаланга», so the pair «холм фаланга» is
common but never stands within the search interval, and a search for it
reads every byte. With --big-mb a
single article of that size is written instead (in blocks, so the generator
itself stays small); with --rtf as well, that article is an RTF document with
its letters as \\'hh escapes.
"""
import argparse
import os
import random

SYLLABLES = ("ла ли ло ми ма но не ра ре ру ста сто ть ка ко ки до да ве "
             "вы зо за жи пу по при пре об от на ни ну ся ет ит ат ов ей "
             "ск тр ст гр бл пл кр мн вл зл сл ч щ ш ц ё ю я э").split()
CAPITALS = "АБВГДЕЁЖЗИКЛМНОПРСТУФХЦЧШЭЮЯ"


def word(rng):
    w = "".join(rng.choice(SYLLABLES) for _ in range(rng.randint(1, 4)))
    if rng.random() < 0.08:
        w = rng.choice(CAPITALS) + w
    return w


def paragraph(rng, size):
    out = []
    length = 0
    while length < size:
        sentence = " ".join(word(rng) for _ in range(rng.randint(4, 14)))
        sentence = sentence[0].upper() + sentence[1:] + rng.choice((". ", ", ", "! ", "? ", " — "))
        out.append(sentence)
        length += len(sentence)
    # Paragraphs are far longer than the interval: «фаланга» never follows «Холм» closely.
    return "Холм " + "".join(out) + "фаланга.\r\n"


def article(rng, size, index):
    parts = []
    length = 0
    while length < size:
        p = paragraph(rng, rng.randint(400, 1600))
        parts.append(p)
        length += len(p)
    # The common pair sits somewhere in the middle, the rare one in few articles.
    middle = len(parts) // 2
    parts.insert(middle, "Главная Линия жизни видна всегда.\r\n")
    if index % 100 == 37:
        parts.insert(len(parts) - 1, "Сломанная хиромантия встречается редко.\r\n")
    return "".join(parts)


def to_rtf(text):
    """Windows-1251 bytes as RTF: letters as \\'hh, line ends as \\par."""
    table = {b: b"\\'%02x" % b for b in range(0x80, 0x100)}
    table.update({ord("\\"): b"\\\\", ord("{"): b"\\{", ord("}"): b"\\}", ord("\r"): b"", ord("\n"): b"\\par\r\n"})
    return b"".join(table.get(b, bytes((b,))) for b in text)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dir")
    ap.add_argument("--articles", type=int, default=5000)
    ap.add_argument("--total-mb", type=int, default=100)
    ap.add_argument("--big-mb", type=int, default=0)
    ap.add_argument("--rtf", action="store_true")
    args = ap.parse_args()
    os.makedirs(args.dir, exist_ok=True)
    rng = random.Random(1903)
    if args.big_mb:
        block = "".join(paragraph(rng, 1000) for _ in range(1000)).encode("cp1251")
        end = "Главная Линия жизни в самом конце.\r\n".encode("cp1251")
        name = "большая статья.txt"
        if args.rtf:
            block, end = to_rtf(block), to_rtf(end) + b"}"
            name = "большая статья.rtf"
        with open(os.path.join(args.dir, name), "wb") as f:
            if args.rtf:
                f.write(b"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ")
            written = 0
            while written < args.big_mb << 20:
                f.write(block)
                written += len(block)
            f.write(end)
        return
    size = (args.total_mb << 20) // args.articles
    for i in range(args.articles):
        name = "Статья %04d %s.txt" % (i, word(rng))
        with open(os.path.join(args.dir, name), "wb") as f:
            f.write(article(rng, size, i).encode("cp1251"))


if __name__ == "__main__":
    main()
