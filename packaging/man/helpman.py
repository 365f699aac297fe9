#!/usr/bin/env python3
"""helpman.py PROGRAM LANG DATE EXTRA OUTPUT [FROM=TO ...]

Writes the manual page of PROGRAM in the language LANG ("en" or "ru") from
what the program itself prints for --help and --version under that language,
so the page and the help never disagree. EXTRA adds the sections the help has
no room for (files, examples), in the form

    [SECTION NAME]
    roff text...

DATE (YYYY-MM-DD) is the release's, so a rebuild makes the same page. FROM=TO
pairs replace text of the help (the build folder by the installed one).
@FIRST_START_MARKER@ in EXTRA stands for the file the program's English help
names as its first-run marker, so the page never spells it on its own.
"""

import os
import re
import subprocess
import sys

HEADINGS = {
    "en": {"name": "NAME", "synopsis": "SYNOPSIS", "description": "DESCRIPTION", "options": "OPTIONS",
           "exit": "EXIT STATUS", "manual": "User Commands"},
    "ru": {"name": "ИМЯ", "synopsis": "СИНТАКСИС", "description": "ОПИСАНИЕ", "options": "ПАРАМЕТРЫ",
           "exit": "КОД ВЫХОДА", "manual": "Пользовательские команды"},
}
LOCALES = {"en": "C.UTF-8", "ru": "ru_RU.UTF-8"}
EXIT_PREFIXES = ("Exit status:", "Код выхода:")


def escape(text):
    text = text.replace("\\", "\\e")
    text = re.sub(r"(?<![\w])-", r"\\-", text)
    # A line may not start with a control character.
    return re.sub(r"^([.'])", r"\\&\1", text, flags=re.M)


def run(program, lang, *args):
    env = dict(os.environ, LANG=LOCALES[lang], LC_ALL=LOCALES[lang], LANGUAGE="", QT_QPA_PLATFORM="offscreen")
    return subprocess.run([program, *args], env=env, check=True, capture_output=True, text=True).stdout


def paragraphs(lines):
    block = []
    for line in lines:
        if line.strip():
            block.append(line)
        elif block:
            yield block
            block = []
    if block:
        yield block


def options(block):
    """Option lines "  -x, --long ARG   what it does" with indented continuations,
    and the lines of plain text that may follow them in the same block."""
    entries = []
    for index, line in enumerate(block):
        match = re.match(r"^  (\S.*?)(?:\s{2,}(.*))?$", line)
        if match and not line.startswith("   "):
            entries.append([match.group(1), match.group(2) or ""])
        elif entries and line.startswith("   "):
            entries[-1][1] += " " + line.strip()
        elif entries:
            return entries, block[index:]
        else:
            return None, block
    return entries, []


def page(program, lang, date, extra, replacements):
    name = os.path.basename(program)
    help_text = run(program, lang, "--help")
    for old, new in replacements:
        help_text = help_text.replace(old, new)
    version = run(program, lang, "--version").split()[-1]
    headings = HEADINGS[lang]
    lines = help_text.splitlines()
    usage = lines[0].split(":", 1)[1].strip()
    summary, description, option_list, exit_status, notes = None, [], [], [], []
    for block in paragraphs(lines[1:]):
        found, block = options(block)
        if found is not None:
            option_list.extend(found)
        if not block:
            continue
        text = " ".join(line.strip() for line in block)
        if found is not None:
            notes.append(text)
        elif text.startswith(EXIT_PREFIXES):
            exit_status.append(text.split(":", 1)[1].strip())
        elif summary is None:
            summary = text
        elif option_list:
            notes.append(text)
        else:
            description.append(text)
    # The first sentence names the program in the NAME line.
    first = re.split(r"(?<=[.:])\s", summary, maxsplit=1)
    tagline = re.sub(r"^\S+(, | — )", "", first[0]).split(", ")[0].rstrip(".:")

    out = ['.TH %s 1 "%s" "%s %s" "%s"' % (name.upper(), date, name, version, headings["manual"])]
    out += [".SH " + headings["name"], "%s \\- %s" % (escape(name), escape(tagline))]
    usage_words = usage.split(" ", 1)
    out += [".SH " + headings["synopsis"], ".B " + escape(usage_words[0])]
    if len(usage_words) > 1:
        out.append(escape(usage_words[1]))
    out += [".SH " + headings["description"], escape(summary)]
    for text in description + notes:
        out += [".PP", escape(text)]
    out.append(".SH " + headings["options"])
    for option, text in option_list:
        out += [".TP", ".B " + escape(option), escape(text)]
    if exit_status:
        out += [".SH " + headings["exit"], escape(" ".join(exit_status))]
    with open(extra, encoding="utf-8") as f:
        extra_text = f.read()
    if "@FIRST_START_MARKER@" in extra_text:
        english = help_text if lang == "en" else run(program, "en", "--help")
        marker = re.search(r"first-run marker (\S+)", english)
        if not marker:
            raise SystemExit("%s --help names no first-run marker" % program)
        extra_text = extra_text.replace("@FIRST_START_MARKER@", marker.group(1))
    for line in extra_text.splitlines():
        section = re.match(r"^\[(.+)\]$", line)
        out.append(".SH " + section.group(1) if section else line)
    return "\n".join(out) + "\n"


def main():
    program, lang, date, extra, output = sys.argv[1:6]
    replacements = [pair.split("=", 1) for pair in sys.argv[6:]]
    text = page(program, lang, date, extra, replacements)
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
