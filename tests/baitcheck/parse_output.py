#!/usr/bin/env python3
"""Parses baitcheck's CSV or JSON output with Python's own csv and json
modules and writes what they read as JSON, for the program test to compare:

    parse_output.py csv FILE    a list of rows, each a list of fields
    parse_output.py json FILE   the array of file objects, as read

Fails (status 1, a line on standard error) when the output is not well
formed: a CSV record of another length than its header, a CSV line end other
than CR LF, a JSON document that is not an array of objects with a path,
values and findings.
"""
import csv
import json
import sys


def fail(message):
    print(f"parse_output: {message}", file=sys.stderr)
    sys.exit(1)


def parse_csv(path):
    with open(path, "rb") as raw:
        data = raw.read()
    if data.replace(b"\r\n", b"").count(b"\n") or data.replace(b"\r\n", b"").count(b"\r"):
        fail("a CSV line does not end in CR LF")
    with open(path, newline="", encoding="utf-8") as text:
        rows = list(csv.reader(text, strict=True))
    if not rows:
        fail("no header row")
    for number, row in enumerate(rows, start=1):
        if len(row) != len(rows[0]):
            fail(f"row {number} has {len(row)} fields, the header {len(rows[0])}")
    return rows


def parse_json(path):
    with open(path, encoding="utf-8") as text:
        files = json.load(text)
    if not isinstance(files, list):
        fail("not an array")
    for file in files:
        if not isinstance(file, dict) or set(file) != {"path", "values", "findings"}:
            fail(f"not a file object: {file!r}")
        for finding in file["findings"]:
            if set(finding) != {"code", "line", "message"}:
                fail(f"not a finding: {finding!r}")
    return files


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("csv", "json"):
        fail("usage: parse_output.py csv|json FILE")
    parsed = parse_csv(sys.argv[2]) if sys.argv[1] == "csv" else parse_json(sys.argv[2])
    json.dump(parsed, sys.stdout)


main()
