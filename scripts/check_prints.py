#!/usr/bin/env python3
"""Reads back what the end-to-end print test sent to the PDF printer.

The test (Data.PrintsReachTheDefaultPrinter) writes, for each print job in
order, the texts that job must show:

    job NAME MIN_PAGES
    text            a line that must appear, after the one before it
    @LEVEL text     the same, indented LEVEL steps (deeper levels further right)
    !text           a line that must not appear anywhere in the job
    end

The jobs are the newest PDF files of the printer's folder, in the order
they came out. Each page is
rendered (pdftoppm -r 200) and read by OCR (tesseract -l jpn+eng); texts are
compared ignoring case and white space. The PDF carries no text layer that
could be read directly.

    check_prints.py EXPECT_FILE PDF_DIR [--png PAGE_PNG]
"""
import argparse
import difflib
import os
import re
import subprocess
import sys
import tempfile


def parse_expectations(path):
    jobs = []
    with open(path, encoding="cp932") as f:
        for raw in f.read().splitlines():
            if raw.startswith("job "):
                _, name, pages = raw.split(" ")
                jobs.append({"name": name, "pages": int(pages), "lines": []})
            elif raw != "end" and jobs:
                jobs[-1]["lines"].append(raw)
    return jobs


def job_number(path):
    m = re.search(r"job_(\d+)\.pdf$", path)
    return int(m.group(1)) if m else -1


def page_count(pdf):
    out = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", out, re.M).group(1))


def ocr_lines(pdf, pages, workdir):
    """Every text line of the job as (text, left x), page after page."""
    lines = []
    for page in range(1, pages + 1):
        base = os.path.join(workdir, "page")
        subprocess.run(["pdftoppm", "-r", "200", "-png", "-f", str(page), "-l", str(page),
                        "-singlefile", pdf, base], check=True)
        tsv = subprocess.run(["tesseract", base + ".png", "-", "-l", "jpn+eng", "tsv"],
                             capture_output=True, text=True, check=True).stdout
        words = {}
        for row in tsv.splitlines()[1:]:
            cols = row.split("\t")
            if len(cols) < 12 or cols[0] != "5" or not cols[11].strip():
                continue
            key = (int(cols[2]), int(cols[3]), int(cols[4]))
            words.setdefault(key, []).append((int(cols[6]), cols[11]))
        for key in sorted(words):
            ws = sorted(words[key])
            lines.append(("".join(w for _, w in ws), ws[0][0]))
    return lines


def normal(text):
    return re.sub(r"\s+", "", text).casefold()


def split_ascii(text):
    # OCR reads a zero after a letter as "o" now and then, and may double it:
    # numbers compare by value.
    ascii_part = "".join(c for c in text if c.isascii() and c.isalnum()).replace("o", "0")
    ascii_part = re.sub(r"(?<!\d)0+(?=\d)", "", ascii_part)
    other = "".join(c for c in text if not c.isascii())
    return ascii_part, other


def matches(expected, line):
    """Whole ASCII words exactly, the Japanese allowing OCR slips."""
    e, l = normal(expected), normal(line)
    if e in l:
        return True
    ea, ej = split_ascii(e)
    la, lj = split_ascii(l)
    if ea and ea not in la:
        return False
    if not ej:
        return bool(ea)
    found = sum(b.size for b in difflib.SequenceMatcher(None, ej, lj).get_matching_blocks())
    return found / len(ej) >= 0.7


def check_job(job, pdf, workdir):
    problems = []
    pages = page_count(pdf)
    if pages < job["pages"]:
        problems.append(f"{pages} page(s), expected at least {job['pages']}")
    lines = ocr_lines(pdf, pages, workdir)
    at = 0
    levels = {}
    for want in job["lines"]:
        if want.startswith("!"):
            if any(normal(want[1:]) in normal(text) for text, _ in lines):
                problems.append(f"printed although it must not be: {want[1:]}")
            continue
        level = None
        m = re.match(r"@(\d+) (.*)", want)
        if m:
            level, want = int(m.group(1)), m.group(2)
        for i in range(at, len(lines)):
            if matches(want, lines[i][0]):
                at = i + 1
                if level is not None:
                    levels.setdefault(level, []).append(lines[i][1])
                break
        else:
            problems.append(f"missing (or out of order): {want}")
    # Each level at one indentation, every deeper level further right.
    lefts = {lv: sorted(xs)[len(xs) // 2] for lv, xs in levels.items()}
    for lv, xs in levels.items():
        if max(xs) - min(xs) > 25:
            problems.append(f"level {lv} lines start at different places: {min(xs)}..{max(xs)}")
    for lv in sorted(lefts):
        if lv + 1 in lefts and lefts[lv + 1] <= lefts[lv] + 30:
            problems.append(f"level {lv + 1} is not indented beyond level {lv}")
    return pages, problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("expect")
    parser.add_argument("pdf_dir")
    parser.add_argument("--png", help="keep the last job's first page as this PNG")
    args = parser.parse_args()

    jobs = parse_expectations(args.expect)
    # In the order they came out: the job numbers start again with a fresh
    # CUPS spool, the files' times do not.
    pdfs = sorted((os.path.join(args.pdf_dir, n) for n in os.listdir(args.pdf_dir) if n.endswith(".pdf")),
                  key=lambda p: (os.path.getmtime(p), job_number(p)))
    if len(pdfs) < len(jobs):
        print(f"print check: {len(pdfs)} PDF file(s) for {len(jobs)} job(s)")
        return 1
    pdfs = pdfs[-len(jobs):]
    failed = 0
    total_pages = 0
    with tempfile.TemporaryDirectory() as workdir:
        for job, pdf in zip(jobs, pdfs):
            pages, problems = check_job(job, pdf, workdir)
            total_pages += pages
            state = "ok" if not problems else "FAILED"
            print(f"print check: job {job['name']}: {pages} page(s), {state} ({os.path.basename(pdf)})")
            for p in problems:
                print(f"  {p}")
            failed += bool(problems)
        if args.png:
            subprocess.run(["pdftoppm", "-r", "100", "-png", "-f", "1", "-l", "1", "-singlefile", pdfs[-1],
                            os.path.splitext(args.png)[0]], check=True)
            print(f"print check: first page of the last job kept as {args.png}")
    print(f"print check: {len(jobs)} job(s), {total_pages} page(s), {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
