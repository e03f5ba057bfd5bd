#!/usr/bin/env python3
"""Builds the program's help from the pages in help/ (UTF-8 sources).

  help_build.py chm  WORK_DIR OUT.chm   compiled help (pages in Shift_JIS, chmcmd)
  help_build.py site OUT_DIR            the same pages for a browser, contents beside each
  help_build.py text OUT.inc            the help window's text per context, as C++ table rows
  help_build.py names OUT.h             the help contexts' names for the program (kHelpXxx)

The first three come from the same pages, so the compiled help, the browser
site and the help window the program falls back on never disagree; the names
come from the project's [MAP], so the program, the help and its checks agree
on every context number.
"""
import html
import html.parser
import os
import re
import shutil
import subprocess
import sys

HELP = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'help')
PROJECT = 'Ambrel.hhp'
UTF8_META = '<meta charset="UTF-8">'
SJIS_META = '<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">'


def read(name):
    with open(os.path.join(HELP, name), encoding='utf-8') as f:
        return f.read()


def project_sections():
    """The .hhp as {section: [lines]}."""
    sections, current = {}, None
    for line in read(PROJECT).splitlines():
        line = line.strip()
        if not line or line.startswith(';'):
            continue
        m = re.fullmatch(r'\[(\w+)\]', line)
        if m:
            current = sections.setdefault(m.group(1), [])
        elif current is not None:
            current.append(line)
    return sections


def contexts():
    """[(name, context number, page)] from [MAP] and [ALIAS], in [MAP] order."""
    s = project_sections()
    alias = dict(line.split('=', 1) for line in s.get('ALIAS', []))
    rows, numbers = [], set()
    for line in s.get('MAP', []):
        m = re.fullmatch(r'#define\s+(IDH_[A-Z0-9_]+)\s+(\d+)', line)
        if not m:
            sys.exit(f'{PROJECT}: bad [MAP] line: {line}')
        name, number = m.group(1), int(m.group(2))
        if name not in alias:
            sys.exit(f'{PROJECT}: {name} has no [ALIAS] entry')
        if number in numbers or number == 0:
            sys.exit(f'{PROJECT}: {name} has a context number in use already: {number}')
        numbers.add(number)
        rows.append((name, number, alias[name].strip()))
    cpp = [cpp_name(name) for name, _, _ in rows]
    if len(set(cpp)) != len(cpp):
        sys.exit(f'{PROJECT}: two [MAP] names give the same program name')
    return rows


def cpp_name(name):
    """The program's name of a context: IDH_EDIT_MENU is kHelpEditMenu; an
    error topic drops its ERR_ (IDH_ERR_CANNOT_READ is kHelpCannotRead)."""
    words = name.removeprefix('IDH_').removeprefix('ERR_').split('_')
    return 'kHelp' + ''.join(w.capitalize() for w in words)


def context_pages():
    """{context number: page}; context 0 is the default topic."""
    pages = {number: page for _, number, page in contexts()}
    options = dict(line.split('=', 1) for line in project_sections().get('OPTIONS', []))
    pages[0] = options['Default topic'].strip()
    return pages


def context_numbers():
    """{program name: context number}, kHelpContents (0) included."""
    numbers = {cpp_name(name): number for name, number, _ in contexts()}
    numbers['kHelpContents'] = 0
    return numbers


def title_of(page):
    return html.unescape(re.search(r'<title>(.*?)</title>', read(page), re.S).group(1).strip())


# --- compiled help -----------------------------------------------------------

def to_sjis(text, name):
    text = text.replace(UTF8_META, SJIS_META)
    try:
        return text.encode('cp932')
    except UnicodeEncodeError as e:
        sys.exit(f'help/{name}: {text[e.start:e.end]!r} has no Shift_JIS code')


def alias_page(context):
    return f'ctx_{context}.html'


def write_project(work):
    """The project as chmcmd takes it. chmcmd refuses two aliases of one page,
    so every context after the first of a page opens a small page of its own
    that forwards to it."""
    project = read(PROJECT)
    opened = set()
    for name, context, page in sorted(contexts(), key=lambda row: row[1]):
        if page not in opened:
            opened.add(page)
            continue
        stub = (f'<!DOCTYPE html>\n<html lang="ja">\n<head>\n{UTF8_META}\n'
                f'<meta http-equiv="refresh" content="0; url={page}">\n<title>{html.escape(title_of(page))}</title>\n'
                f'</head>\n<body><p><a href="{page}">{html.escape(title_of(page))}</a></p></body>\n</html>\n')
        with open(os.path.join(work, alias_page(context)), 'wb') as f:
            f.write(to_sjis(stub, alias_page(context)))
        project = re.sub(rf'^({name})=.*$', rf'\1={alias_page(context)}', project, flags=re.M)
        project = project.replace('[FILES]\n', f'[FILES]\n{alias_page(context)}\n', 1)
    with open(os.path.join(work, PROJECT), 'wb') as f:
        f.write(to_sjis(project, PROJECT))


def build_chm(work, out):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for name in os.listdir(HELP):
        path = os.path.join(HELP, name)
        if name.endswith(('.html', '.hhc', '.hhk', '.hhp')):
            with open(os.path.join(work, name), 'wb') as f:
                f.write(to_sjis(read(name), name))
        elif os.path.isfile(path):
            shutil.copy(path, work)
    write_project(work)
    run = subprocess.run(['chmcmd', PROJECT], cwd=work, capture_output=True, text=True)
    built = os.path.join(work, 'Ambrel.chm')
    if run.returncode != 0 or not os.path.exists(built):
        sys.exit('chmcmd failed:\n' + run.stdout + run.stderr)
    shutil.move(built, out)


# --- browser site ------------------------------------------------------------

def contents_tree():
    """The .hhc as nested [(name, page or None, children)]."""
    root, stack, last = [], [], None
    stack.append(root)
    for m in re.finditer(r'<ul>|</ul>|<object type="text/sitemap">(.*?)</object>', read('Ambrel.hhc'), re.S):
        token = m.group(0)
        if token == '<ul>':
            if last is not None:
                stack.append(last[2])
        elif token == '</ul>':
            if len(stack) > 1:
                stack.pop()
        else:
            params = dict(re.findall(r'<param name="(\w+)" value="([^"]*)">', m.group(1)))
            last = (params.get('Name', ''), params.get('Local'), [])
            stack[-1].append(last)
    return root


def nav_html(tree, here):
    items = []
    for name, page, children in tree:
        label = html.escape(html.unescape(name))
        if page:
            cls = ' class="here"' if page == here else ''
            entry = f'<a{cls} href="{page}">{label}</a>'
        else:
            entry = label
        if children:
            entry += nav_html(children, here)
        items.append(f'<li>{entry}</li>')
    return '<ul>' + ''.join(items) + '</ul>'


def build_site(out):
    os.makedirs(out, exist_ok=True)
    tree = contents_tree()
    for name in os.listdir(HELP):
        if name.endswith('.html'):
            page = read(name)
            nav = f'<nav><b>目次</b>{nav_html(tree, name)}</nav>'
            page = page.replace('<body>', f'<body class="site">\n{nav}\n<main>', 1)
            page = page.replace('</body>', '</main>\n</body>', 1)
            with open(os.path.join(out, name), 'w', encoding='utf-8') as f:
                f.write(page)
        elif name.endswith('.css') or name.endswith('.png'):
            shutil.copy(os.path.join(HELP, name), out)


# --- help window text --------------------------------------------------------

class PlainText(html.parser.HTMLParser):
    """A page's body as plain lines for a read-only text window."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.lines, self.line, self.skip, self.pre = [], '', 0, False
        self.lists, self.cells, self.header_row = [], None, True
        self.skip_tags = []

    def flush(self, blank=False):
        text = self.line.strip() if not self.pre else self.line
        if text:
            self.lines.append(text)
        self.line = ''
        if blank and self.lines and self.lines[-1] != '':
            self.lines.append('')

    def handle_starttag(self, tag, attrs):
        if self.skip:
            return
        if tag in ('head', 'h1', 'script', 'style') or ('class', 'seealso') in attrs:
            # Links to other pages mean nothing in a window of one page.
            self.skip_tags.append(tag)
            self.skip += 1
        elif tag == 'h2':
            self.flush(blank=True)
            self.line = '■ '
        elif tag in ('p', 'div'):
            self.flush()
        elif tag in ('ul', 'ol'):
            self.flush()
            self.lists.append(0 if tag == 'ol' else None)
        elif tag == 'li':
            self.flush()
            depth = '  ' * (len(self.lists) - 1)
            if self.lists and self.lists[-1] is not None:
                self.lists[-1] += 1
                self.line = f'{depth}{self.lists[-1]}. '
            else:
                self.line = depth + '・'
        elif tag == 'tr':
            self.flush()
            self.cells, self.header_row = [], True
        elif tag in ('td', 'th'):
            if tag == 'td':
                self.header_row = False
            self.line = ''
        elif tag == 'br':
            self.flush()
        elif tag == 'pre':
            self.flush()
            self.pre = True

    def handle_endtag(self, tag):
        if self.skip_tags and tag == self.skip_tags[-1]:
            self.skip_tags.pop()
            self.skip -= 1
        elif self.skip:
            return
        elif tag == 'h2':
            self.flush()
        elif tag in ('p', 'div'):
            self.flush(blank=True)
        elif tag in ('ul', 'ol'):
            self.flush()
            self.lists.pop()
            if not self.lists:
                self.flush(blank=True)
        elif tag == 'li':
            self.flush()
        elif tag in ('td', 'th'):
            if self.cells is not None:
                self.cells.append(' '.join(self.line.split()))
            self.line = ''
        elif tag == 'tr':
            if self.cells and not self.header_row:
                self.lines.append('・' + '：'.join(c for c in self.cells if c))
            self.cells = None
        elif tag == 'table':
            self.flush(blank=True)
        elif tag == 'pre':
            for text in self.line.strip('\n').split('\n'):
                self.lines.append('    ' + text.replace('\t', '    '))
            self.line, self.pre = '', False
            self.flush(blank=True)

    def handle_data(self, data):
        if self.skip:
            return
        self.line += data if self.pre else re.sub(r'\s+', ' ', data)

    def text(self):
        self.flush()
        while self.lines and self.lines[-1] == '':
            self.lines.pop()
        return self.lines


def cpp_string(text):
    escaped = text.replace('\\', '\\\\').replace('"', '\\"')
    return '"' + escaped.replace('\r', '\\r').replace('\n', '\\n') + '"'


def build_text(out):
    rows = []
    for context, page in sorted(context_pages().items()):
        parser = PlainText()
        parser.feed(read(page))
        lines = parser.text()
        title = title_of(page)
        for piece in [title] + lines:
            to_sjis(piece, page)
        body = '\n'.join(f'       {cpp_string(line + chr(13) + chr(10))}' for line in lines)
        rows.append(f'  // {page}\n  {{{context}, {cpp_string(title)},\n{body or "       " + chr(34) * 2}}},')
    write_if_changed(out, '// Made by scripts/help_build.py from help/: do not edit.\n' + '\n'.join(rows) + '\n')


# --- context names -----------------------------------------------------------

def write_if_changed(out, text):
    if not os.path.exists(out) or open(out, encoding='utf-8').read() != text:
        os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
        with open(out, 'w', encoding='utf-8') as f:
            f.write(text)


def build_names(out):
    rows = sorted(contexts(), key=lambda row: row[1])
    width = max(len(cpp_name(name)) for name, _, _ in rows)
    lines = ['// Made by scripts/help_build.py from help/Ambrel.hhp: do not edit.',
             '// The help context of each topic, as the program passes it to the help.',
             '#pragma once', '', 'namespace ambrel {', '',
             f'inline constexpr int {"kHelpContents":<{width}} = 0;  // the contents']
    lines += [f'inline constexpr int {cpp_name(name):<{width}} = {number};  // {page}'
              for name, number, page in rows]
    lines += ['', '// Every context of the help but the contents.',
              'inline constexpr int kHelpContexts[] = {',
              *(f'    {cpp_name(name)},' for name, _, _ in rows), '};', '', '}  // namespace ambrel', '']
    write_if_changed(out, '\n'.join(lines))


def main():
    if len(sys.argv) == 4 and sys.argv[1] == 'chm':
        build_chm(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3 and sys.argv[1] == 'site':
        build_site(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == 'text':
        build_text(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == 'names':
        build_names(sys.argv[2])
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main()
