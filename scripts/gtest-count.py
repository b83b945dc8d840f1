#!/usr/bin/env python3
"""Counts the cases in the GoogleTest XML results of one test folder.

Usage: gtest-count.py <folder>
Prints "<passed> <failed> <skipped>" summed over every *.xml in the folder (a test that
runs its executable several times leaves one file per run). A case with a <failure> has
failed; a case skipped at run time (GTEST_SKIP) or disabled has been skipped. Exits 1,
printing nothing, when the folder holds no results or a file cannot be read: the
executable then ended before it wrote them.
"""
import glob
import os
import sys
import xml.etree.ElementTree as ElementTree


def count_file(path):
    passed = failed = skipped = 0
    for case in ElementTree.parse(path).getroot().iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif (case.get("status") == "notrun" or case.get("result") in ("skipped", "suppressed")
              or case.find("skipped") is not None):
            skipped += 1
        else:
            passed += 1
    return passed, failed, skipped


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    files = sorted(glob.glob(os.path.join(argv[1], "*.xml")))
    if not files:
        return 1
    totals = [0, 0, 0]
    try:
        for path in files:
            for i, n in enumerate(count_file(path)):
                totals[i] += n
    except (OSError, ElementTree.ParseError) as error:
        print(f"gtest-count.py: {error}", file=sys.stderr)
        return 1
    print(*totals)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
