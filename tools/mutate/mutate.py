#!/usr/bin/env python3
"""Plants single faults in the game's sources, one at a time, and reports which ones the tests catch.

The faults are planted in a copy of the working tree (build-mutate/tree), never in src/ itself, so
editing the tests while a run goes on cannot disturb it and a killed run leaves nothing behind. The
copy is built without optimisation or debug information, the quickest build to redo, but with the
containers' bounds checks; ccache serves the restored file's object again after each fault.

    tools/mutate/mutate.py --folder src/games/dice       # one folder (run folders one at a time)
    tools/mutate/mutate.py --folder src/warp --list      # only list the faults it would plant
    tools/mutate/mutate.py --report                      # scores from the results kept so far

Results are kept in build-mutate/results.json keyed by the fault and the line it changes: a second
run plants only the faults not yet tried on unchanged lines; --retry plants the survivors again,
--fresh forgets a folder's results.
"""
import argparse
import hashlib
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WORK = os.path.join(ROOT, "build-mutate")
TREE = os.path.join(WORK, "tree")
BUILD = os.path.join(TREE, "build")
RESULTS = os.path.join(WORK, "results.json")
# Bounds-checked containers, as in the sanitized suite: an index one past the end stops the test
# instead of quietly writing over a neighbour.
FLAGS = "-O0 -D_GLIBCXX_ASSERTIONS"
FOLDERS = ["src/games/action", "src/games/dice", "src/games/kit", "src/games/puzzle",
           "src/scenes", "src/warp"]

# The test binaries that cover each folder; the shared base is covered by every game's tests.
TESTS = {
    "src/games/action": ["action_tests"],
    "src/games/dice": ["dice_tests"],
    "src/games/puzzle": ["puzzle_tests"],
    "src/games/kit": ["puzzle_tests", "action_tests", "dice_tests"],
    "src/scenes": ["scenes_tests"],
    "src/warp": ["warp_tests", "app_tests"],  # a fifth row of buttons is the chain test's
}

# --- Finding the faults ---------------------------------------------------------------------------

NUM = r"(?<![\w.])(\d+)(?![\w.])"
CMP_SWAP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}


def mask(line):
    """The line with string and character literals blanked and any // comment cut off, same length."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\" and i + 1 < len(line):
                out.append("  ")
                i += 2
                continue
            out.append(" " if c != quote else c)
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def bump(n):
    return n + 1


def is_layout(numbers):
    # A rectangle or a size in twips: moving it by one twip cannot be seen on any screen.
    return len(numbers) in (2, 4) and all(n >= 100 or n == 0 for n in numbers) and any(n >= 100 for n in numbers)


def find_faults(path, text):
    """Every fault for one file, in file order: dicts with line, col, op, before, after."""
    faults = []
    lines = text.split("\n")
    in_table = False
    skip_depth = None  # inside a consistency check only the random player reads
    depth = 0
    for ln, raw in enumerate(lines, 1):
        line = mask(raw)
        stripped = line.strip()
        if stripped.startswith("#"):
            continue
        if skip_depth is None and re.search(r"\bcheckInvariants\s*\(\s*\)\s*const\s*\{", line):
            skip_depth = depth
        depth += line.count("{") - line.count("}")
        if skip_depth is not None:
            if depth <= skip_depth:
                skip_depth = None
            continue

        def add(col, end, op, after):
            faults.append({"line": ln, "col": col, "op": op, "before": raw[col:end], "after": after})

        # Timer intervals.
        for m in re.finditer(r"\btimer\(\s*\"[^\"]*\"\s*,\s*(\d+)\s*\)|\bsetInterval\(\s*(\d+)\s*\)", line):
            g = 1 if m.group(1) else 2
            n = int(m.group(g))
            add(m.start(g), m.end(g), "interval", str(n + max(1, n // 10)))
        # Tables: the entries of a constant array, or a list of plain numbers on a line of its own.
        starts_table = re.search(r"\b(constexpr|const|static)\b.*(\[\s*\w*\s*\]|std::array<).*[={]", line)
        if starts_table:
            in_table = True
        lone_list = re.fullmatch(r"\s*\{[\d\s,-]*\}[,;]?\s*", line)
        if in_table or lone_list:
            body = line[starts_table.end() - 1:] if starts_table else line
            offset = len(line) - len(body)
            nums = [m for m in re.finditer(NUM, body)]
            values = [int(m.group(1)) for m in nums]
            if nums and not is_layout(values):
                # first, middle and last entry of each line: a wrong entry anywhere is the same fault
                for k in sorted({0, len(nums) // 2, len(nums) - 1}):
                    m = nums[k]
                    add(offset + m.start(1), offset + m.end(1), "table", str(bump(int(m.group(1)))))
            if in_table and re.search(r"[}]\s*;", line):
                in_table = False
            if in_table or lone_list:
                continue
        # Named constants and the numbers compared against or assigned.
        for m in re.finditer(r"\bconstexpr\s+(?:int|short|long|double|unsigned)\s+k\w+\s*=\s*" + NUM + r"\s*;", line):
            add(m.start(1), m.end(1), "constant", str(bump(int(m.group(1)))))
        for m in re.finditer(r"(?<![<>])(?:[<>]=?|[!=]=)(?![<>])\s*" + NUM, line):  # not a shift
            if re.match(r"\s*<", line[m.start():]) and re.search(r"\w$", line[:m.start()]):
                continue  # a template argument, not a comparison
            add(m.start(1), m.end(1), "boundary", str(bump(int(m.group(1)))))
        for m in re.finditer(r"(?<![=!<>])\b(\w+)\s*=\s*" + NUM + r"\s*;", line):
            if re.search(r"\b(constexpr|const|static|case|enum)\b", line):
                continue
            add(m.start(2), m.end(2), "assign", str(bump(int(m.group(2)))))
        # Comparisons, written with a space each side.
        for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", line):
            add(m.start(1), m.end(1), "compare", CMP_SWAP[m.group(1)])
        # Enabling and showing controls and timers.
        for m in re.finditer(r"\b(setEnabled|setVisible)\([^;]*\);", line):
            start = receiver_start(line, m.start())
            if start is not None:
                add(start, m.end(), "drop-" + m.group(1)[3:].lower(), "{}")
    return faults


def receiver_start(line, pos):
    """Where the expression whose member is called at pos begins, walking back over names, `.`, `->`
    and bracketed indices; None for a call without a receiver."""
    i = pos
    while i > 0:
        c = line[i - 1]
        if c in ")]":
            close, opening, level = c, "(" if c == ")" else "[", 0
            while i > 0:
                i -= 1
                level += line[i] == close
                level -= line[i] == opening
                if level == 0:
                    break
            continue
        if c.isalnum() or c in "_.:*&" or (c == ">" and line[i - 2:i] == "->") or (c == "-" and line[i:i + 1] == ">"):
            i -= 1
            continue
        break
    return i if i < pos else None


def fault_key(path, f, raw_line):
    digest = hashlib.sha1(raw_line.encode()).hexdigest()[:10]
    return f"{path}:{f['line']}:{f['col']}:{f['op']}:{digest}"


def sources(folder):
    full = os.path.join(ROOT, folder)
    return sorted(os.path.join(folder, n) for n in os.listdir(full) if n.endswith((".cpp", ".h")))


def all_faults(folder):
    out = []
    for path in sources(folder):
        with open(os.path.join(ROOT, path), encoding="utf-8") as fh:
            text = fh.read()
        lines = text.split("\n")
        seen = {}
        for f in find_faults(path, text):
            f["path"] = path
            f["key"] = fault_key(path, f, lines[f["line"] - 1])
            what = (lines[f["line"] - 1].strip(), f["op"], f["before"], f["after"])
            seen[what] = seen.get(what, 0) + 1
            f["unseen"] = (path, lines[f["line"] - 1].strip(), f"#{seen[what]} {f['op']} {f['before']} -> {f['after']}")
            out.append(f)
    return out


def load_unseen():
    """The faults no player or test can tell from the real code, with the reason, from unseen.txt:
    `file | the line as written | #n op before -> after | why`, n counting the same fault on lines
    of the same text, from the top of the file."""
    unseen = {}
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "unseen.txt")
    with open(path, encoding="utf-8") as fh:
        for raw in fh:
            if raw.strip() and not raw.startswith("#"):
                file, line, fault, why = (part.strip() for part in raw.split(" | ", 3))
                unseen[(file, line, fault)] = why
    return unseen


def apply(text, f):
    lines = text.split("\n")
    raw = lines[f["line"] - 1]
    lines[f["line"] - 1] = raw[:f["col"]] + f["after"] + raw[f["col"] + len(f["before"]):]
    return "\n".join(lines)


# --- Running them ---------------------------------------------------------------------------------

def sync_tree():
    """Makes the copy match the working tree, rewriting only the files that differ so that the
    build stays incremental."""
    listed = subprocess.run(["git", "-C", ROOT, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            check=True, stdout=subprocess.PIPE).stdout.decode().split("\0")
    wanted = {p for p in listed if p and os.path.isfile(os.path.join(ROOT, p))}
    for p in wanted:
        src, dst = os.path.join(ROOT, p), os.path.join(TREE, p)
        with open(src, "rb") as fh:
            data = fh.read()
        if os.path.exists(dst):
            with open(dst, "rb") as fh:
                if fh.read() == data:
                    continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        with open(dst, "wb") as fh:
            fh.write(data)
        shutil.copymode(src, dst)
    for base, dirs, files in os.walk(TREE):
        if base == TREE and "build" in dirs:
            dirs.remove("build")
        for n in files:
            rel = os.path.relpath(os.path.join(base, n), TREE)
            if rel not in wanted:
                os.remove(os.path.join(base, n))


def build(targets, timeout):
    env = dict(os.environ, CCACHE_BASEDIR=os.environ.get("CCACHE_BASEDIR", "/work"),
               CCACHE_DIR=os.environ.get("CCACHE_DIR", "/work/.ccache"))
    cache = os.path.join(BUILD, "CMakeCache.txt")
    if not os.path.exists(cache) or FLAGS not in open(cache, encoding="utf-8").read():
        subprocess.run(["cmake", "-S", TREE, "-B", BUILD, "-DCMAKE_BUILD_TYPE=", "-DCMAKE_CXX_FLAGS=" + FLAGS,
                        "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"], check=True, env=env, stdout=subprocess.DEVNULL)
    try:
        r = subprocess.run(["nice", "cmake", "--build", BUILD, "-j2", "--target", *targets], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
    except subprocess.TimeoutExpired:
        return False, "build timed out"
    return r.returncode == 0, r.stdout.decode(errors="replace")[-2000:]


def run_tests(binaries, timeout):
    """None when every test passes, else what failed first (a hang counts as a failure)."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for b in binaries:
        exe = os.path.join(BUILD, "tests", b)
        try:
            r = subprocess.run(["nice", exe, "--gtest_brief=1", "--gtest_fail_fast"], env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout,
                               start_new_session=True)
        except subprocess.TimeoutExpired:
            return f"{b}: timed out"
        if r.returncode != 0:
            failed = re.findall(r"\[  FAILED  \] (\S+)", r.stdout.decode(errors="replace"))
            return f"{b}: {failed[0] if failed else 'exit ' + str(r.returncode)}"
    return None


def load_results():
    if os.path.exists(RESULTS):
        with open(RESULTS, encoding="utf-8") as fh:
            return json.load(fh)
    return {}


def save_results(results):
    tmp = RESULTS + ".tmp"
    with open(tmp, "w", encoding="utf-8") as fh:
        json.dump(results, fh, ensure_ascii=False, indent=1, sort_keys=True)
    os.replace(tmp, RESULTS)


def report(results, folders):
    """Prints each folder's score, the faults that survived and the ones that cannot be seen; returns
    the lowest score. Faults that cannot be seen, or that do not build, are left out of the score."""
    worst = 100.0
    unseen = load_unseen()
    for folder in folders:
        faults = all_faults(folder)
        rows = [(f, results[f["key"]]) for f in faults if f["key"] in results]
        built = [(f, r) for f, r in rows if r["status"] != "unbuildable"]
        hidden = [(f, r) for f, r in built if r["status"] == "survived" and f["unseen"] in unseen]
        caught = [r for f, r in built if r["status"] == "caught"]
        survived = [(f, r) for f, r in built if r["status"] == "survived" and f["unseen"] not in unseen]
        counted = len(built) - len(hidden)
        score = 100.0 * len(caught) / counted if counted else 100.0
        worst = min(worst, score)
        untried = len(faults) - len(rows)
        extra = f", {untried} not yet tried" if untried else ""
        print(f"{folder}: {len(caught)}/{counted} caught ({score:.0f} %), {len(hidden)} cannot be seen, "
              f"{len(rows) - len(built)} did not build{extra}")
        for f, r in survived:
            print(f"  survived {r['path']}:{r['line']} {r['op']}: {r['before']!r} -> {r['after']!r}")
        for f, r in hidden:
            print(f"  unseen   {r['path']}:{r['line']} {r['op']}: {r['before']!r} -> {r['after']!r}: {unseen[f['unseen']]}")
    return worst


def interrupted(*_):
    raise KeyboardInterrupt()


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--folder", action="append", choices=FOLDERS, help="a folder to plant faults in (repeatable)")
    ap.add_argument("--list", action="store_true", help="list the faults and stop")
    ap.add_argument("--report", action="store_true", help="print the scores kept so far and stop")
    ap.add_argument("--retry", action="store_true", help="plant only the faults that survived, again, after sharpening the tests")
    ap.add_argument("--fresh", action="store_true", help="forget earlier results of the chosen folders")
    ap.add_argument("--only", help="plant only faults whose file:line contains this text")
    ap.add_argument("--tests", help="the test binaries to run, comma-separated, instead of the folder's own")
    ap.add_argument("--every", type=int, default=1, help="plant only every N-th fault of the folder, for a quick estimate")
    ap.add_argument("--timeout", type=int, default=120, help="seconds a test binary may run before it counts as hung")
    args = ap.parse_args()
    folders = args.folder or FOLDERS

    if args.list:
        for folder in folders:
            for f in all_faults(folder):
                print(f"{f['path']}:{f['line']} {f['op']}: {f['before']!r} -> {f['after']!r}")
        return 0
    results = load_results()
    if args.report:
        report(results, folders)
        return 0

    dirty_before = subprocess.run(["git", "-C", ROOT, "diff", "--quiet", "--", "src"]).returncode != 0
    sync_tree()
    signal.signal(signal.SIGTERM, interrupted)
    try:
        for folder in folders:
            if args.fresh:
                results = {k: v for k, v in results.items() if os.path.dirname(v["path"]) != folder}
            binaries = args.tests.split(",") if args.tests else TESTS[folder]
            ok, log = build(binaries, 1800)
            if not ok or run_tests(binaries, args.timeout * 3):
                print(f"{folder}: the unchanged tree does not build or pass its tests; nothing planted\n{log}")
                return 2
            def wanted(n, f):
                if args.only and args.only not in f"{f['path']}:{f['line']}":
                    return False
                if args.retry:
                    return f["key"] in results and results[f["key"]]["status"] == "survived"
                return n % args.every == 0 and f["key"] not in results

            todo = [f for n, f in enumerate(all_faults(folder)) if wanted(n, f)]
            print(f"{folder}: {len(todo)} faults to plant", flush=True)
            for n, f in enumerate(todo, 1):
                target = os.path.join(TREE, f["path"])
                with open(target, encoding="utf-8") as fh:
                    original = fh.read()
                started = time.monotonic()
                try:
                    with open(target, "w", encoding="utf-8") as fh:
                        fh.write(apply(original, f))
                    ok, log = build(binaries, 900)
                    failure = run_tests(binaries, args.timeout) if ok else None
                finally:
                    with open(target, "w", encoding="utf-8") as fh:
                        fh.write(original)
                status = "unbuildable" if not ok else ("caught" if failure else "survived")
                results[f["key"]] = {"path": f["path"], "line": f["line"], "op": f["op"], "before": f["before"],
                                     "after": f["after"], "status": status, "by": failure or ""}
                save_results(results)
                print(f"[{n}/{len(todo)}] {status:11} {f['path']}:{f['line']} {f['op']} "
                      f"{f['before']!r} -> {f['after']!r} ({time.monotonic() - started:.0f} s)"
                      + (f" by {failure}" if failure else ""), flush=True)
    except KeyboardInterrupt:
        print("interrupted; the tree copy is restored", file=sys.stderr)
    finally:
        # Bring the copy back in line with the sources so that its objects match the unchanged code.
        sync_tree()
    worst = report(results, folders)
    if not dirty_before and subprocess.run(["git", "-C", ROOT, "diff", "--quiet", "--", "src"]).returncode != 0:
        print("src/ changed during the run", file=sys.stderr)
        return 3
    return 0 if worst >= 90 else 1


if __name__ == "__main__":
    sys.exit(main())
