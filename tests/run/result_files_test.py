#!/usr/bin/env python3
"""result_files_test.py QPX_RUN: runs qpx-run with --junit and --json in a
scratch folder and reads both files back as their consumers do, the JUnit
XML with junitparser (Debian's python3-junitparser), the JSON with json:
the counts, names, messages and pictures of a run with a failed check, and
a refused script as an error."""
import json
import subprocess
import sys
import tempfile
from pathlib import Path

from junitparser import Error, Failure, JUnitXml

SCRIPTS = {
    "pass.txt": "expect lamp red\non\nwait 3s\nexpect screen RunScreen\n",
    # A failed text check whose expected text needs escaping, and a missing reference.
    "fail.txt": "expect hobbsHours 0\nexpect-text \"<&'>\"\nexpect-frame refs/none.pbm\n",
    "bad.txt": "on\nwait 3 s\nfoo\n",
}
problems = []


def check(condition, what):
    if not condition:
        problems.append(what)


def run(folder, *scripts):
    result = subprocess.run([sys.argv[1], "--junit", "r.xml", "--json", "r.json", *scripts], cwd=folder,
                            capture_output=True, text=True)
    suites = list(JUnitXml.fromfile(str(folder / "r.xml")))
    check(len(suites) == 1, f"one test suite, not {len(suites)}")
    return result, suites[0], json.loads((folder / "r.json").read_text(encoding="utf-8"))


with tempfile.TemporaryDirectory() as scratch:
    folder = Path(scratch)
    for name, text in SCRIPTS.items():
        (folder / name).write_text(text)

    result, suite, data = run(folder, "pass.txt", "fail.txt")
    check(result.returncode == 1, f"exit code {result.returncode} after a failed check")
    check((suite.tests, suite.failures, suite.errors) == (2, 1, 0),
          f"tests, failures, errors: {suite.tests}, {suite.failures}, {suite.errors}")
    cases = {case.name: case for case in suite}
    check(sorted(cases) == ["fail.txt", "pass.txt"], f"test cases {sorted(cases)}")
    check(cases["pass.txt"].result == [], f"pass.txt has results {cases['pass.txt'].result}")
    check(cases["pass.txt"].time > 0, "pass.txt took no time")
    outcome = cases["fail.txt"].result
    failure = outcome[0] if len(outcome) == 1 and isinstance(outcome[0], Failure) else None
    check(failure is not None, f"fail.txt has one failure, not {outcome}")
    printed = [line for line in result.stdout.splitlines() if line.startswith("fail.txt:")]
    check(len(printed) == 2, f"two failed checks printed: {result.stdout}")
    if failure and len(printed) == 2:
        check(failure.message == printed[0], f"the message is the first failed check: {failure.message!r}")
        check(failure.text.splitlines() == printed, f"the text lists the failed checks: {failure.text!r}")
        check("qpx-run-out/fail/line3-none-actual.png" in failure.text, "the failed frame's picture")

    check((data["passed"], data["failed"]) == (3, 2), f"passed, failed: {data['passed']}, {data['failed']}")
    scripts = {script["file"]: script for script in data["scripts"]}
    checks = [(c["line"], c["kind"], c["expected"], c["passed"]) for c in scripts["fail.txt"]["checks"]]
    check(checks == [(1, "expect", "hobbsHours 0", True),
                     (2, "expect-text", "the text \"<&'>\" exactly", False),
                     (3, "expect-frame", "the frame of refs/none.pbm", False)], f"fail.txt's checks: {checks}")
    frame = scripts["fail.txt"]["checks"][2]
    check(frame["found"] == "no readable 128 x 64 PBM picture there", f"found {frame['found']!r}")
    check([p["path"] for p in frame["pictures"]] == ["qpx-run-out/fail/line3-none-actual.png"],
          f"pictures {frame['pictures']}")
    check(scripts["pass.txt"]["status"] == "ran" and len(scripts["pass.txt"]["checks"]) == 2,
          f"pass.txt: {scripts['pass.txt']}")

    # A refused script is an error, the other one is not run; both files are written.
    result, suite, data = run(folder, "pass.txt", "bad.txt")
    check(result.returncode == 2, f"exit code {result.returncode} for a refused script")
    check((suite.tests, suite.failures, suite.errors, suite.skipped) == (2, 0, 1, 1),
          f"tests, failures, errors, skipped: {suite.tests}, {suite.failures}, {suite.errors}, {suite.skipped}")
    errors = [r for case in suite if case.name == "bad.txt" for r in case.result if isinstance(r, Error)]
    check(len(errors) == 1 and errors[0].message.startswith("bad.txt:2: bad duration"),
          f"bad.txt's error: {[e.message for e in errors]}")
    check(len(errors) == 1 and errors[0].text.count("\n") == 2, "both bad lines in the error's text")
    statuses = [(s["file"], s["status"], len(s["errors"])) for s in data["scripts"]]
    check(statuses == [("pass.txt", "not run", 0), ("bad.txt", "refused", 2)], f"statuses {statuses}")

for problem in problems:
    print("result_files_test:", problem, file=sys.stderr)
print(f"result_files_test: {len(problems)} problems" if problems else "result_files_test: all passed")
sys.exit(1 if problems else 0)
