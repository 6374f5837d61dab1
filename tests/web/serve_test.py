#!/usr/bin/python3
"""qpx-run --serve under Node: the WebAssembly runner answers a session
exactly as the native program does, whole from a file and line by line
through the Python client, which waits for each answer before writing the
next line.

Usage: serve_test.py NATIVE_QPX_RUN BUILD_WEB_DIR REPOSITORY_ROOT
"""
import os
import subprocess
import sys
import tempfile

NATIVE, WEB, ROOT = (os.path.abspath(a) for a in sys.argv[1:4])
NODE = ["node", os.path.join(WEB, "qpx-run.js")]
os.environ["NODE_PATH"] = "/usr/share/nodejs"
sys.path.insert(0, os.path.join(ROOT, "clients", "python"))
from qpx_sim import Simulator, SimulatorError  # noqa: E402

# Every kind of line: inputs, waits, checks passed and failed, the queries,
# files written and read back, and refusals.
SESSION = """on
pressure 1500
rpm 120
wait 4s
expect screen RunScreen
expect hobbsHours 3
get pressureMillibar
get flightLogHours
get screen
texts
frame
state
press knob
turn cw 2
texts
save-state saved.toml
save shot.png --scale 2
load-state saved.toml
load-state missing.toml
expect-frame missing.pbm
# a comment

bogus
get nothing
wait 3 s
expect-text "caf\xc3\xa9"
""" + "x" * 5000 + "\nget menuCursor\nquit\nget menuCursor\n"


def answers(program):
    with tempfile.TemporaryDirectory() as folder:
        result = subprocess.run(program + ["--serve"], input=SESSION.encode("utf-8", "surrogateescape"),
                                cwd=folder, capture_output=True, timeout=120)
        files = sorted(os.listdir(folder))
    return result.returncode, result.stdout.decode(), files


def main():
    failures = []
    native, node = answers([NATIVE]), answers(NODE)
    lines = SESSION.count("\n") - 1  # the line after quit is never read
    if len(native[1].splitlines()) != lines:
        failures.append(f"the native session answered {len(native[1].splitlines())} lines of {lines}")
    for what, a, b in zip(("exit code", "answers", "files written"), native, node):
        if a != b:
            failures.append(f"{what} differ: native {a!r}, Node {b!r}")

    # Line by line: Node must read each line as it comes, not wait for the end.
    with Simulator(program=NODE) as sim:
        sim.on()
        sim.pressure(1500)
        sim.wait("4s")
        with Simulator(path=NATIVE) as ref:
            ref.on()
            ref.pressure(1500)
            ref.wait("4s")
            if sim.frame() != ref.frame() or sim.state() != ref.state():
                failures.append("line by line, the frame or the state differ from the native program's")
        try:
            sim.expect("hobbsHours", 9)
            failures.append("a failed check raised nothing")
        except SimulatorError as error:
            if str(error) != "expected hobbsHours 9, found 0":
                failures.append(f"a failed check raised {error}")

    for failure in failures:
        print("FAIL " + failure)
    print(f"serve_test: {lines} lines compared, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
