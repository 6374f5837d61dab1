#!/usr/bin/env python3
"""Keeps README.md and docs/*.md true.

    doc_commands.py --source DIR --build DIR   run what the documents show, check their links
    doc_commands.py --links-only DIR           only check the links (the package's doc folder)

Each command of an `sh` block runs in a copy of the source tree, build-tests/
and build-sim/ meaning this build tree, where qpx-sim and qpx-run are found:
it must exit 0 within a minute, or, opening the window, still run after a few
seconds (on the display ctest's xvfb-run gives). NOT_RUN names, by exact text,
the commands a test cannot run; one neither run nor listed fails, and so does
a listed one no document shows. `scenario` blocks must pass through qpx-run,
`lesson` blocks through qpx-run --lesson with --auto; `toml` blocks must load
as state files without a word on the standard error.
Relative links must name an existing file and, with #, one of its headings.
"""
import argparse
import glob
import os
import re
import shlex
import shutil
import signal
import subprocess
import sys

NOT_RUN = {
    "./scripts/run-simulator": "builds a release tree and opens the window until the user closes it",
    "./scripts/run-tests": "the whole test command, which runs this test",
    "./scripts/build": "builds the whole test tree, which this test is part of",
    "./scripts/run-web": "builds the WebAssembly tree and serves it until stopped",
    "./scripts/package": "builds a release tree for minutes; scripts/run-tests runs it",
    "./scripts/fuzz 600      # seconds per target; scripts/run-tests runs 30": "ten minutes a target",
    "build-tests-sanitize/tests/soak/qpx_soak --seed 42 --events 2000000   # add --corrupt for the "
    "corrupted mode": "a long soak in the sanitizer tree; scripts/run-tests runs a short one",
    "build-tests/tests/soak/qpx_soak --seed 42 --drawing": "minutes; the tests run a sample of it",
    "build-tests-sanitize/fuzz/qpx_fuzz_state_file -merge=1 -use_counters=0 fuzz/corpus/state_file "
    "build-tests-sanitize/fuzz-work/state_file": "needs the sanitizer tree's fuzz targets",
    "NODE_PATH=/usr/share/nodejs node build-web/qpx-run.js scenarios/*.txt scenarios/faults/*.txt":
        "needs the WebAssembly tree; scripts/run-tests runs it",
    "printf 'on\\nwait 3s\\nget screen\\n' | NODE_PATH=/usr/share/nodejs node build-web/qpx-run.js --serve":
        "needs the WebAssembly tree; scripts/run-tests runs tests/web/serve_test.py",
    "fgfs --generic=socket,out,10,127.0.0.1,5600,udp,qpx": "the flight simulator, not part of this project",
}
COMMAND_SECONDS = 60
WINDOW_SECONDS = 4
FENCE = re.compile(r"^\s*```\s*([\w-]*)\s*$")
LINK = re.compile(r"!?\[[^\]]*\]\(([^)\s]+)\)")


def documents(root):
    return [os.path.join(root, "README.md")] + sorted(glob.glob(os.path.join(root, "docs", "*.md")))


def parse(path):
    """The fenced blocks (language, first line, lines) and the lines outside
    them (number, text)."""
    blocks, prose, block = [], [], None
    for number, line in enumerate(open(path, encoding="utf-8").read().split("\n"), 1):
        fence = FENCE.match(line)
        if fence and (block is None or not fence.group(1)):
            if block is None:
                block = (fence.group(1), number + 1, [])
            else:
                blocks.append(block)
                block = None
        elif block is not None:
            block[2].append(line)
        else:
            prose.append((number, line))
    return blocks, prose


def commands(lines):
    """The commands of an sh block, continuation lines joined."""
    result, pending = [], ""
    for line in lines:
        text = (pending + " " + line.strip()).strip() if pending else line.strip()
        if text.endswith("\\"):
            pending = text[:-1].rstrip()
            continue
        pending = ""
        if text and not text.startswith("#"):
            result.append(text)
    return result


def slug(heading):
    return re.sub(r"[^\w\- ]", "", heading.strip().lower()).replace(" ", "-")


def check_links(path, prose, faults):
    for number, line in prose:
        for target in LINK.findall(line):
            if re.match(r"[a-z]+:", target) or target.startswith("#"):
                continue
            file, _, fragment = target.partition("#")
            full = os.path.normpath(os.path.join(os.path.dirname(path), file))
            if not os.path.exists(full):
                faults.append(f"{path}:{number}: the link {target} names a missing file")
            elif fragment and full.endswith(".md"):
                headings = [slug(h) for h in re.findall(r"^#+ (.*)$", open(full).read(), re.M)]
                if fragment not in headings:
                    faults.append(f"{path}:{number}: the link {target} names no heading of {file}")


def run(command, cwd, env, window):
    """Runs a shell command in its own process group; None when it did what
    it should, else what went wrong."""
    child = subprocess.Popen(["sh", "-c", command], cwd=cwd, env=env, start_new_session=True,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    try:
        output, _ = child.communicate(timeout=WINDOW_SECONDS if window else COMMAND_SECONDS)
    except subprocess.TimeoutExpired:
        os.killpg(child.pid, signal.SIGKILL)
        child.communicate()
        return None if window else f"still running after {COMMAND_SECONDS} s"
    tail = " | ".join(output.decode(errors="replace").strip().split("\n")[-5:])
    if window:
        return f"the window closed at once (exit code {child.returncode}): {tail}"
    return f"exit code {child.returncode}: {tail}" if child.returncode else None


def opens_window(command):
    words = shlex.split(command, comments=True)
    return (any(os.path.basename(w) == "qpx-sim" for w in words) and
            not {"--help", "--version"} & set(words))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source")
    parser.add_argument("--build")
    parser.add_argument("--links-only")
    args = parser.parse_args()
    root = args.links_only or args.source
    if not root or (not args.links_only and not args.build):
        parser.error("give --source and --build, or --links-only")
    faults, ran, examples = [], 0, 0
    parsed = {path: parse(path) for path in documents(root)}
    for path, (_, prose) in parsed.items():
        check_links(path, prose, faults)
    if not args.links_only:
        build = os.path.abspath(args.build)
        scratch = os.path.join(build, "doc-commands")
        shutil.rmtree(scratch, ignore_errors=True)
        clone = os.path.join(scratch, "clone")
        source = os.path.abspath(args.source)
        shutil.copytree(source, clone, ignore=lambda folder, names: [
            n for n in names if folder == source and (n.startswith("build") or n in (".git", "qpx-run-out"))])
        env = dict(os.environ, PATH=build + os.pathsep + os.environ["PATH"],
                   HOME=scratch, XDG_CONFIG_HOME=os.path.join(scratch, "config"))
        probe = os.path.join(scratch, "probe.txt")
        open(probe, "w").write("on\nwait 3s\n")
        shown = set()
        for path, (blocks, _) in parsed.items():
            for language, first, lines in blocks:
                where = f"{path}:{first}"
                if language == "sh":
                    for command in commands(lines):
                        shown.add(command)
                        if command in NOT_RUN:
                            continue
                        mapped = re.sub(r"(?<![\w/.-])(\./)?build-(tests|sim)/", build + "/", command)
                        fault = run(mapped, clone, env, opens_window(mapped))
                        ran += 1
                        if fault:
                            faults.append(f"{where}: {command}: {fault}")
                elif language in ("scenario", "lesson", "toml"):
                    examples += 1
                    example = os.path.join(scratch, f"example-{examples}.{'toml' if language == 'toml' else 'txt'}")
                    open(example, "w").write("\n".join(lines) + "\n")
                    script = {"scenario": example, "lesson": f"--lesson {example} --auto",
                              "toml": f"--state {example} {probe}"}[language]
                    result = subprocess.run(f"qpx-run --out {scratch}/out {script}", shell=True, cwd=clone,
                                            env=env, capture_output=True, text=True, timeout=COMMAND_SECONDS)
                    if result.returncode != 0 or (language == "toml" and result.stderr):
                        faults.append(f"{where}: the {language} example fails (exit code {result.returncode}): "
                                      + (result.stdout + result.stderr).strip().replace("\n", " | "))
        for command in sorted(set(NOT_RUN) - shown):
            faults.append(f"NOT_RUN lists a command no document shows: {command}")
    for fault in faults:
        print(fault)
    print(f"doc_commands: {len(parsed)} documents, {ran} commands run, {examples} examples, "
          f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
