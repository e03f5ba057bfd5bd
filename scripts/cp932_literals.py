#!/usr/bin/env python3
"""Mirrors the source tree with every non-ASCII string and character literal
rewritten as CP932 octal escapes.

clang, which builds the fuzz targets, only knows UTF-8 as execution
character set; the program's literals must still be CP932 bytes there, as
the other builds make them with -fexec-charset=CP932. Octal escapes are used
because they take at most three digits, so a following digit is never read
into them (a CP932 trail byte may be 0x5C, so raw bytes are no option).

usage: cp932_literals.py SOURCE_ROOT TARGET_ROOT DIR [DIR ...]
"""
import os
import shutil
import sys

EXTENSIONS = (".cpp", ".h", ".hpp", ".cc", ".inl")


def escape(body: str) -> str:
    out = []
    for ch in body:
        if ord(ch) < 0x80:
            out.append(ch)
        else:
            out.extend("\\%03o" % b for b in ch.encode("cp932"))
    return "".join(out)


def unicode_prefix(text: str, quote: int) -> bool:
    k = quote
    while k > 0 and (text[k - 1].isalnum() or text[k - 1] == "_"):
        k -= 1
    return text[k:quote] in ("u", "U", "u8", "L")


def rewrite(text: str) -> str:
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(text[i:j])
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(text[i:j])
            i = j
        elif c == 'R' and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == '_')):
            k = text.find("(", i + 2)
            delim = text[i + 2:k]
            end = text.find(")" + delim + '"', k)
            j = end + len(delim) + 2
            raw = text[k + 1:end]
            if any(ord(ch) >= 0x80 for ch in raw):
                out.append('"' + escape(raw.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")) + '"')
            else:
                out.append(text[i:j])
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            if unicode_prefix(text, i):
                # u"", U"", u8"" and L"" literals are not in the execution
                # character set: every compiler encodes them the same way.
                out.append(text[i:j + 1])
            else:
                out.append(c + escape(text[i + 1:j]) + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def main() -> int:
    src, dst, dirs = sys.argv[1], sys.argv[2], sys.argv[3:]
    for d in dirs:
        for root, _, files in os.walk(os.path.join(src, d)):
            rel = os.path.relpath(root, src)
            os.makedirs(os.path.join(dst, rel), exist_ok=True)
            for name in files:
                s, t = os.path.join(root, name), os.path.join(dst, rel, name)
                if name.endswith(EXTENSIONS):
                    with open(s, encoding="utf-8") as f:
                        new = rewrite(f.read())
                    old = open(t, encoding="utf-8").read() if os.path.exists(t) else None
                    if new != old:  # keep timestamps of unchanged files for make
                        with open(t, "w", encoding="utf-8") as f:
                            f.write(new)
                else:
                    shutil.copy2(s, t)
    return 0


if __name__ == "__main__":
    sys.exit(main())
