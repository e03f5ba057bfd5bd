#!/usr/bin/env python3
"""Checks the help against the program and itself:
- the program names every help context it uses (kHelpXxx of help_contexts.h,
  which the build makes from the project's [MAP]); a bare number in
  OpenHelp(...), ErrorBox(..., N), ShowMsgDlg(..., N), a help-context
  constant or a message table of src/ is a problem, and so is one without a
  page in [MAP]/[ALIAS];
- every link and picture of a page, and every .hhc/.hhk entry, points to a
  file of help/; [FILES] lists exactly the pages;
- the compiled file (default build/win/Ambrel.chm) holds every page and
  opens every mapped context (chmls).

  help_check.py [COMPILED.chm]
Prints what is wrong and one closing line; exit status 1 when anything is.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
HELP = os.path.join(ROOT, 'help')
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import help_build  # noqa: E402  (the same reading of the project as the build)

problems = []


def read(path):
    with open(path, encoding='utf-8', errors='replace') as f:
        return f.read()


def call_arguments(text, start):
    """The top-level arguments of the call whose '(' is at start."""
    depth, args, current, i, quote = 0, [], '', start, None
    while i < len(text):
        c = text[i]
        if quote:
            current += c
            if c == '\\':
                current += text[i + 1]
                i += 1
            elif c == quote:
                quote = None
        elif c in '"\'':
            quote = c
            current += c
        elif c in '([{':
            depth += 1
            if depth > 1:
                current += c
        elif c in ')]}':
            depth -= 1
            if depth == 0:
                args.append(current.strip())
                return args
            current += c
        elif c == ',' and depth == 1:
            args.append(current.strip())
            current = ''
        else:
            current += c
        i += 1
    return args


def used_contexts(names):
    """{context: [where]} of every help context in src/, by its name
    (kHelpXxx of help_contexts.h) or, wrongly, by a bare number in a help
    call, a help-context constant or a message table."""
    used = {}
    files = []
    for folder, _, file_names in os.walk(os.path.join(ROOT, 'src')):
        for name in file_names:
            if name.endswith(('.cpp', '.h')):
                files.append(os.path.join(folder, name))
    named = re.compile(r'\bkHelp[A-Z]\w*')
    constant = re.compile(r'constexpr\s+int\s+(k\w*Help\w*)\s*=\s*(\d+)\s*[;,]')
    calls = re.compile(r'\b(OpenHelp|openHelp_?|ErrorBox|ShowMsgDlg)\s*(?=\()')
    table_row = re.compile(r'\{\s*"(?:[^"\\]|\\.)*"\s*,\s*(\d{3,4})\s*\}')

    def bare(value, where, what):
        used.setdefault(value, []).append(where)
        if value != 0:
            name = next((n for n, v in names.items() if v == value), None)
            problems.append(f'{where}: help context {value} {what} as a number'
                            + (f': use {name}' if name else ''))

    for path in files:
        text = read(path)
        rel = os.path.relpath(path, ROOT)

        def where(pos):
            return f'{rel}:{text.count(chr(10), 0, pos) + 1}'
        for m in named.finditer(text):
            if m.group(0) in names:
                used.setdefault(names[m.group(0)], []).append(where(m.start()))
        for m in constant.finditer(text):
            if not m.group(1).endswith(('Id', 'Btn', 'Menu')):
                bare(int(m.group(2)), where(m.start()), 'defined')
        for m in calls.finditer(text):
            args = call_arguments(text, m.end())
            if not args or (m.group(1) in ('ErrorBox', 'ShowMsgDlg') and len(args) < 2):
                continue
            if re.fullmatch(r'\d+', args[-1]):
                bare(int(args[-1]), where(m.start()), 'passed')
        for m in table_row.finditer(text):
            bare(int(m.group(1)), where(m.start()), 'in a table')
    return used


def check_contexts(pages):
    used = used_contexts(help_build.context_numbers())
    for context, places in sorted(used.items()):
        if context != 0 and context not in pages:
            problems.append(f'help context {context} has no page in help/Ambrel.hhp ({", ".join(places)})')
    return used


def check_pages(pages):
    existing = set(os.listdir(HELP))
    for context, page in sorted(pages.items()):
        if page not in existing:
            problems.append(f'help context {context} maps to a missing page {page}')
    html_pages = sorted(n for n in existing if n.endswith('.html'))
    listed = help_build.project_sections().get('FILES', [])
    for name in listed:
        if name not in existing:
            problems.append(f'[FILES] lists a missing file {name}')
    for name in html_pages:
        if name not in listed:
            problems.append(f'{name} is not in [FILES] of help/Ambrel.hhp')
        text = read(os.path.join(HELP, name))
        for target in re.findall(r'(?:href|src)="([^"]*)"', text):
            if re.match(r'[a-z]+:', target) or target.startswith('#'):
                continue
            if target.split('#')[0] not in existing:
                problems.append(f'{name} links to a missing {target}')
    for name in ('Ambrel.hhc', 'Ambrel.hhk'):
        for target in re.findall(r'<param name="Local" value="([^"]*)">', read(os.path.join(HELP, name))):
            if target.split('#')[0] not in existing:
                problems.append(f'{name} has an entry for a missing {target}')
    return html_pages


def check_compiled(chm, html_pages, pages):
    if not os.path.exists(chm):
        problems.append(f'{chm} is missing (build the Windows program first)')
        return
    try:
        listing = subprocess.run(['chmls', '-n', 'list', chm], capture_output=True, text=True, check=True).stdout
        with tempfile.TemporaryDirectory() as work:
            # chmls writes the map beside the file it reads: read a copy.
            copy = os.path.join(work, 'help.chm')
            shutil.copy(chm, copy)
            subprocess.run(['chmls', 'extractalias', copy], cwd=work, capture_output=True, check=True)
            aliases = ''.join(read(os.path.join(work, n)) for n in os.listdir(work) if n.endswith('.ali'))
    except (OSError, subprocess.CalledProcessError) as e:
        problems.append(f'chmls could not read {chm}: {e}')
        return
    inside = {line.strip().lstrip('/') for line in listing.splitlines()}
    for name in html_pages + ['style.css', 'Ambrel.hhc', 'Ambrel.hhk']:
        if name not in inside:
            problems.append(f'{name} is not in {chm}')
    mapped = {int(n) for n in re.findall(r'^helpid(\d+)=', aliases, re.M)}
    for context in sorted(set(pages) - {0} - mapped):
        problems.append(f'{chm} does not open help context {context}')


def main():
    chm = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'win', 'Ambrel.chm')
    pages = help_build.context_pages()
    used = check_contexts(pages)
    html_pages = check_pages(pages)
    check_compiled(chm, html_pages, pages)
    for p in problems:
        print('help check:', p)
    verdict = 'FAIL' if problems else 'PASS'
    print(f'help check: {verdict}: {len(used)} contexts used by the program, '
          f'{len(pages) - 1} mapped, {len(html_pages)} pages, {len(problems)} problems')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
