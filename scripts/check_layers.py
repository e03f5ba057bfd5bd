#!/usr/bin/env python3
"""Checks that the folders of src/ form a one-way graph.

The order of the folders is read from docs/ARCHITECTURE.md: the fenced block
right after the heading "## Folder order", one folder a line, the highest
first. A folder may include its own files and those of any folder below it,
never one above it; so no two folders include each other. Every #include
and every quoted file of a resource script (.rc) that names a folder of
src/ is checked, and so is every folder of src/: one that the order does not
list is a fault too (a new folder must say where it stands).

  check_layers.py [ROOT]
Prints each include that runs up and one closing line; exit status 1 when
there is any.
"""
import os
import re
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                       os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
SRC = os.path.join(ROOT, 'src')
ARCHITECTURE = os.path.join(ROOT, 'docs', 'ARCHITECTURE.md')

# An include line, or a quoted path in a resource statement ("ICON
# "app/resources/x.ico"", "#include "app/version.rc"").
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
RC_FILE = re.compile(r'"([A-Za-z0-9_]+/[^"]+)"')


def folder_order():
    with open(ARCHITECTURE, encoding='utf-8') as f:
        text = f.read()
    m = re.search(r'^## Folder order\s*$.*?^```[^\n]*\n(.*?)^```', text, re.M | re.S)
    if not m:
        sys.exit('check_layers: docs/ARCHITECTURE.md has no "## Folder order" block')
    order = []
    for line in m.group(1).splitlines():
        name = line.split('#', 1)[0].strip().split()
        if name:
            order.append(name[0].strip('`/'))
    return order


def referenced_folders(path, folders):
    """(line number, folder, text) for every reference to another src folder."""
    with open(path, encoding='utf-8', errors='replace') as f:
        lines = f.read().splitlines()
    for number, line in enumerate(lines, 1):
        targets = []
        m = INCLUDE.match(line)
        if m:
            targets.append(m.group(1))
        elif path.endswith('.rc') and not line.lstrip().startswith('//'):
            targets.extend(RC_FILE.findall(line))
        for target in targets:
            head = target.replace('\\', '/').split('/', 1)
            if len(head) == 2 and head[0] in folders:
                yield number, head[0], target


def main():
    order = folder_order()
    rank = {name: i for i, name in enumerate(order)}
    folders = sorted(d for d in os.listdir(SRC) if os.path.isdir(os.path.join(SRC, d)))
    problems = [f'src/{d}: not in the folder order of docs/ARCHITECTURE.md'
                for d in folders if d not in rank]
    problems += [f'{d}: in the folder order but not a folder of src/' for d in order
                 if d not in folders]
    checked = 0
    for d in folders:
        if d not in rank:
            continue
        for base, _, files in os.walk(os.path.join(SRC, d)):
            for name in sorted(files):
                if not name.endswith(('.h', '.cpp', '.rc', '.def')):
                    continue
                path = os.path.join(base, name)
                checked += 1
                for number, target_folder, target in referenced_folders(path, rank):
                    if rank[target_folder] < rank[d]:
                        rel = os.path.relpath(path, ROOT)
                        problems.append(f'{rel}:{number}: {d} reaches up to {target_folder} ("{target}")')
    for p in problems:
        print(p)
    verdict = 'passed' if not problems else f'{len(problems)} problem(s)'
    print(f'layers: {checked} files of {len(folders)} folders checked, {verdict}')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
