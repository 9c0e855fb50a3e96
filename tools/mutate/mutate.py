#!/usr/bin/env python3
"""Plants single faults in the game's sources, one at a time, and reports which ones the tests catch.

The faults are planted in a copy of the working tree (build-mutate/tree), never in src/ itself, so
editing the tests while a run goes on cannot disturb it and a killed run leaves nothing behind. The
copy is built without optimisation or debug information, the quickest build to redo, but with the
containers' bounds checks; where ccache is installed (the build uses it by itself), it serves the
restored file's object again after each fault.

    tools/mutate/mutate.py --folder src/app              # one folder (run folders one at a time)
    tools/mutate/mutate.py --folder src/warp --list      # only list the faults it would plant
    tools/mutate/mutate.py --count                       # how many faults each folder yields, by kind
    tools/mutate/mutate.py --report                      # the README's table and every survivor

A fault's test binaries are built and run one after the other, the folder's own first, and the
first failure ends it: a caught fault costs only the binaries up to the one that caught it.

Results are kept in build-mutate/results.json, keyed by the fault and the text of the lines it
changes (not their number): a second run plants only the faults not yet tried, and a fault is tried
again when its lines change; --retry plants the survivors again, --fresh forgets a folder's results.
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

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from faults import find_faults, squash  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WORK = os.path.join(ROOT, "build-mutate")
TREE = os.path.join(WORK, "tree")
BUILD = os.path.join(TREE, "build")
RESULTS = os.path.join(WORK, "results.json")
UNSEEN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "unseen.txt")
# Bounds-checked containers, as in the sanitized suite: an index one past the end stops the test
# instead of quietly writing over a neighbour.
FLAGS = "-O0 -D_GLIBCXX_ASSERTIONS"

# Every folder of src/, bottom layer first, and the test binaries that cover it, in the order they
# run: the folder's own tests first, then those that play what stands on it. Every binary links the
# whole game (through the play library), so the list says which of them exercise the folder, not
# which link it. app_tests holds the random player and the walk through the chain, and is the
# slowest; it comes last wherever it is not the folder's own.
EVERY_GAME = ["puzzle_tests", "dice_tests", "action_tests", "keyboard_tests", "player_tests"]
TESTS = {
    # The toolkit: its own tests, then everything that clicks, types and looks through it.
    "src/ui": ["ui_tests", "hidpi_tests", "keyboard_tests", "kit_tests", "warp_tests", "scenes_tests",
               "assets_tests", "puzzle_tests", "dice_tests", "action_tests", "player_tests", "app_tests"],
    # The pictures: the store's tests, the prerendering and high-density tests, then the forms
    # that show them; the chain test unloads the store with the games.
    "src/assets": ["assets_tests", "ui_tests", "hidpi_tests", "scenes_tests", *EVERY_GAME, "app_tests"],
    # Forms by name, scene changes and chance: every harness goes through the App.
    "src/app": ["app_tests", "kit_tests", "scenes_tests", "warp_tests", *EVERY_GAME, "ui_tests"],
    "src/scenes": ["scenes_tests", "ui_tests", "keyboard_tests", "app_tests"],
    "src/warp": ["warp_tests", "keyboard_tests", "app_tests"],  # a fifth row of buttons is the chain test's
    "src/games/kit": ["kit_tests", *EVERY_GAME, "app_tests"],
    "src/games/dice": ["dice_tests", "keyboard_tests", "player_tests", "ui_tests", "app_tests"],
    "src/games/puzzle": ["puzzle_tests", "keyboard_tests", "player_tests", "ui_tests", "app_tests"],
    "src/games/action": ["action_tests", "keyboard_tests", "player_tests", "ui_tests", "app_tests"],
    # The table: its own test, then the tests that ask it where an exit leads or which codes exist.
    "src/chain": ["app_tests", "warp_tests", "keyboard_tests", "scenes_tests", "ui_tests", "puzzle_tests",
                  "dice_tests", "action_tests", "player_tests"],
}
FOLDERS = list(TESTS)
ARGS = {"hidpi_tests": ["--scale", "2"]}  # as CTest runs it

# --- The faults of a folder -----------------------------------------------------------------------


def sources(folder):
    """The folder's C++ files, its subfolders' included (src/ui/qt, src/ui/private)."""
    out = []
    for base, dirs, files in os.walk(os.path.join(ROOT, folder)):
        dirs.sort()
        out += [os.path.relpath(os.path.join(base, n), ROOT) for n in sorted(files) if n.endswith((".cpp", ".h"))]
    return out


def describe(f):
    return f"{f['op']} {squash(f['before'])} -> {squash(f['after'])}"


# Words a rename leaves alone: what the loose match of unseen.txt keeps of a line.
KEEP = set("""alignas alignof and auto bool break case catch char class const constexpr continue decltype default
delete do double else enum explicit extern false float for friend if inline int long mutable namespace new
noexcept nullptr operator override private protected public return short signed sizeof static static_cast struct
switch template this throw true try typedef typename union unsigned using virtual void volatile while std string
size_t vector map set array optional string_view""".split())


def loose(s):
    """A line as a rename leaves it: every name of ours blanked, literals and keywords kept."""
    return re.sub(r"\b[A-Za-z_]\w*\b", lambda m: m.group(0) if m.group(0) in KEEP else "_", squash(s))


def all_faults(folder):
    out = []
    for path in sources(folder):
        with open(os.path.join(ROOT, path), encoding="utf-8") as fh:
            text = fh.read()
        lines = text.split("\n")
        seen, keys = {}, {}
        for f in find_faults(text):
            f["path"] = path
            first = lines[f["line"] - 1].strip()
            context = "\n".join(l.strip() for l in lines[f["line"] - 1:f["last_line"]])
            what = describe(f)
            n = seen[(first, what)] = seen.get((first, what), 0) + 1
            f["unseen"] = (path, first, f"#{n} {what}")
            digest = hashlib.sha1((context + "\0" + what).encode()).hexdigest()[:12]
            k = keys[digest] = keys.get(digest, 0) + 1
            f["key"] = f"{path}:{digest}:{k}"
            out.append(f)
    return out


def folder_of(path):
    return max((f for f in FOLDERS if path.startswith(f + "/")), key=len, default=None)


# --- The faults no player or test can tell -------------------------------------------------------


def load_unseen():
    """unseen.txt: `file | the line as written (trimmed) | #n op before -> after | why`, n counting the
    same fault on lines of the same text from the top of the file. Returns the entries in file order."""
    entries = []
    with open(UNSEEN, encoding="utf-8") as fh:
        for number, raw in enumerate(fh, 1):
            if not raw.strip() or raw.startswith("#"):
                continue
            parts = [p.strip() for p in raw.rstrip("\n").split(" | ")]
            k = next((i for i in range(2, len(parts) - 1) if re.match(r"#\d+ \S", parts[i])), None)
            if k is None:
                print(f"unseen.txt:{number}: not `file | line | #n fault | why`", file=sys.stderr)
                continue
            entries.append({"number": number, "file": parts[0], "line": " | ".join(parts[1:k]),
                            "fault": " | ".join(parts[k:-1]), "why": parts[-1], "raw": raw})
    return entries


def git(*args):
    try:
        return subprocess.run(["git", "-C", ROOT, *args], check=True, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL).stdout.decode(errors="replace")
    except (subprocess.CalledProcessError, FileNotFoundError):
        return ""


def renames():
    """Old path -> path now, from the renames git has seen on this branch."""
    moves = {}
    for line in reversed(git("log", "--format=", "--name-status", "-M", "--diff-filter=R", "HEAD").splitlines()):
        parts = line.split("\t")  # oldest first, so that a chain of renames ends where it is now
        if len(parts) == 3 and parts[0].startswith("R"):
            for old, new in list(moves.items()):
                if new == parts[1]:
                    moves[old] = parts[2]
            moves[parts[1]] = parts[2]
    return moves


def follow(path, line):
    """Where a line that is no longer in its file went, as git recorded the edit: the commit that took
    it out of its file put back, in the same hunk, exactly one line that differs from it only in our
    names (a rename of the file or of the names in it). Followed through later edits too; None when
    the line was removed or changed otherwise."""
    moves = renames()
    for _ in range(8):
        step = None
        if moves.get(path, path) != path and has_line(moves[path], line):
            return moves[path], line  # the file moved, the line stayed as it was
        for commit in git("log", "--format=%H", "-S", line, "HEAD").split():
            section, hunks = None, []
            for d in git("show", "-M", "-U0", "--format=", commit).splitlines():
                if d.startswith("diff --git "):
                    m = re.match(r"diff --git a/(.*) b/(.*)", d)
                    section = m.groups() if m else None
                elif d.startswith("@@"):
                    hunks.append((section, [], []))
                elif hunks and d.startswith("-") and not d.startswith("---"):
                    hunks[-1][1].append(d[1:].strip())
                elif hunks and d.startswith("+") and not d.startswith("+++"):
                    hunks[-1][2].append(d[1:].strip())
            for section, minus, plus in hunks:
                if section and section[0] == path and line in minus:
                    # a hunk of renames takes out as many lines as it puts back, in the same order
                    k = minus.index(line)
                    same = [p for p in plus if loose(p) == loose(line)]
                    if len(minus) == len(plus) and loose(plus[k]) == loose(line):
                        step = (section[1], plus[k])
                    elif len(same) == 1:
                        step = (section[1], same[0])
                    break
            else:
                continue
            break
        if step is None:
            return None
        path, line = step
        if has_line(path, line):
            return path, line
    return None


def has_line(path, line):
    try:
        with open(os.path.join(ROOT, path), encoding="utf-8") as fh:
            return any(l.strip() == line for l in fh)
    except OSError:
        return False


def match_unseen(faults, entries):
    """Pairs the entries with the faults they name: exactly, or else, for an entry written before a
    rename, through git's record of where its line went (see follow). Returns {fault key: entry}, the
    entries found only through git, and the entries of these folders that match nothing."""
    exact = {f["unseen"]: f for f in faults}
    by_line = {}
    for f in faults:
        by_line.setdefault(f["unseen"][:2], []).append(f)
    matched, loosely, stale = {}, [], []
    folders = {folder_of(f["path"]) for f in faults}
    rest = []
    for e in entries:
        f = exact.get((e["file"], e["line"], e["fault"]))
        if f is not None and f["key"] in matched:
            print(f"unseen.txt:{e['number']} names the same fault as unseen.txt:{matched[f['key']]['number']}")
        elif f is not None:
            matched[f["key"]] = e
        else:
            rest.append(e)
    for e in rest:
        if folder_of(e["file"]) not in folders:
            continue
        moved = follow(e["file"], e["line"])
        n, what = e["fault"].split(" ", 1)
        same = [f for f in by_line.get(moved, []) if loose(describe(f)) == loose(what)] if moved else []
        k = int(n[1:]) - 1
        if 0 <= k < len(same) and same[k]["key"] not in matched:
            matched[same[k]["key"]] = e
            loosely.append((e, same[k]))
        else:
            stale.append(e)
    return matched, loosely, stale


def fix_unseen(loosely):
    """Rewrites the loosely matched entries with their file and line as they are now."""
    with open(UNSEEN, encoding="utf-8") as fh:
        lines = fh.readlines()
    for e, f in loosely:
        path, line, fault = f["unseen"]
        lines[e["number"] - 1] = f"{path} | {line} | {fault} | {e['why']}\n"
    with open(UNSEEN, "w", encoding="utf-8") as fh:
        fh.writelines(lines)


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


def configure():
    cache = os.path.join(BUILD, "CMakeCache.txt")
    if os.path.exists(cache):
        text = open(cache, encoding="utf-8").read()
        if FLAGS in text and "CMAKE_GENERATOR:INTERNAL=Ninja" in text:
            return
        shutil.rmtree(BUILD)  # another generator or other flags: start the copy's build afresh
    # Ninja: it finds what one changed file touches far quicker than make does.
    subprocess.run(["cmake", "-S", TREE, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=",
                    "-DCMAKE_CXX_FLAGS=" + FLAGS],
                   check=True, stdout=subprocess.DEVNULL)


def build(targets, timeout):
    try:
        r = subprocess.run(["nice", "cmake", "--build", BUILD, "-j2", "--target", *targets],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
    except subprocess.TimeoutExpired:
        return False, "build timed out"
    return r.returncode == 0, r.stdout.decode(errors="replace")[-3000:]


def run_test(binary, timeout):
    """None when every test passes, else what failed first (a hang counts as a failure)."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    exe = os.path.join(BUILD, "tests", binary)
    try:
        r = subprocess.run(["nice", exe, "--gtest_brief=1", "--gtest_fail_fast", *ARGS.get(binary, [])], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout, start_new_session=True)
    except subprocess.TimeoutExpired:
        return f"{binary}: timed out"
    if r.returncode != 0:
        failed = re.findall(r"\[  FAILED  \] (\S+)", r.stdout.decode(errors="replace"))
        return f"{binary}: {failed[0] if failed else 'exit ' + str(r.returncode)}"
    return None


def plant(binaries, timeouts):
    """Builds and runs the binaries one after the other until one fails. Returns the status and what
    caught it."""
    for n, b in enumerate(binaries):
        ok, log = build([b], 1800)
        if not ok:
            return "unbuildable", "" if n == 0 else f"{b} does not build"
        failure = run_test(b, timeouts[b])
        if failure:
            return "caught", failure
    return "survived", ""


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


def apply(text, f, after=None):
    assert text[f["start"]:f["end"]] == f["before"], f"{f['path']}:{f['line']} is not as it was listed"
    return text[:f["start"]] + (f["after"] if after is None else after) + text[f["end"]:]


# --- Scores ---------------------------------------------------------------------------------------


def score(results, folder, matched):
    faults = all_faults(folder)
    rows = [(f, results[f["key"]]) for f in faults if f["key"] in results]
    built = [(f, r) for f, r in rows if r["status"] != "unbuildable"]
    hidden = [(f, r) for f, r in built if r["status"] == "survived" and f["key"] in matched]
    caught = [(f, r) for f, r in built if r["status"] == "caught"]
    survived = [(f, r) for f, r in built if r["status"] == "survived" and f["key"] not in matched]
    dishonest = [(f, r) for f, r in caught if f["key"] in matched]
    counted = len(built) - len(hidden)
    return {"faults": faults, "tried": len(rows), "unbuildable": len(rows) - len(built), "caught": caught,
            "survived": survived, "hidden": hidden, "dishonest": dishonest, "counted": counted,
            "percent": 100.0 * len(caught) / counted if counted else 100.0}


def where(f):
    return f"{f['path']}:{f['line']} {f['op']}: {squash(f['before'])!r} -> {squash(f.get('planted', f['after']))!r}"


def report(results, folders, details=True):
    """Prints the README's table (faults tried; those not yet tried in brackets), then each folder's
    survivors, the faults that cannot be seen and the entries of unseen.txt that need a look.
    Returns the lowest score of the folders tried."""
    entries = load_unseen()
    faults = [f for folder in folders for f in all_faults(folder)]
    matched, loosely, stale = match_unseen(faults, entries)
    scores = {folder: score(results, folder, matched) for folder in folders}
    print("| folder | caught | cannot be seen |\n|---|---|---|")
    for folder, s in scores.items():
        untried = len(s["faults"]) - s["tried"]
        if s["tried"] == 0:
            print(f"| {folder} | not yet tried ({untried}) | |")
            continue
        # Floored: a folder shows 95 % only when it has reached it.
        caught = f"{len(s['caught'])} of {s['counted']}, {int(s['percent'])} %" + (f" ({untried})" if untried else "")
        print(f"| {folder} | {caught} | {len(s['hidden'])} |")
    if details:
        for folder, s in scores.items():
            if not s["tried"]:
                continue
            print(f"\n{folder}: {len(s['caught'])}/{s['counted']} caught, {len(s['hidden'])} cannot be seen, "
                  f"{s['unbuildable']} did not build, {len(s['faults']) - s['tried']} not yet tried")
            for f, r in s["survived"]:
                print(f"  survived {where(dict(f, **{'planted': r.get('planted', f['after'])}))}")
            for f, r in s["hidden"]:
                print(f"  unseen   {where(f)}: {matched[f['key']]['why']}")
            for f, r in s["dishonest"]:
                print(f"  caught by {r['by']}, yet listed in unseen.txt:{matched[f['key']]['number']}: {where(f)}")
    for e, f in loosely:
        print(f"unseen.txt:{e['number']} names a line since renamed, now {where(f)}: --fix-unseen writes it anew")
    for e in stale:
        print(f"unseen.txt:{e['number']} matches no fault any more: {e['file']} | {e['line']} | {e['fault']}")
    tried = [s["percent"] for s in scores.values() if s["tried"]]
    return min(tried, default=100.0), loosely


def count(folders):
    kinds = {}
    for folder in folders:
        for f in all_faults(folder):
            kinds.setdefault(folder, {}).setdefault(f["op"], 0)
            kinds[folder][f["op"]] += 1
    for folder in folders:
        k = kinds.get(folder, {})
        print(f"{folder}: {sum(k.values())} faults ({', '.join(f'{n} {op}' for op, n in sorted(k.items()))})")
    print(f"in all: {sum(sum(k.values()) for k in kinds.values())}")


# --- The run --------------------------------------------------------------------------------------


def interrupted(*_):
    raise KeyboardInterrupt()


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--folder", action="append", choices=FOLDERS, help="a folder to plant faults in (repeatable)")
    ap.add_argument("--list", action="store_true", help="list the faults and stop")
    ap.add_argument("--count", action="store_true", help="count the faults of each folder, by kind, and stop")
    ap.add_argument("--report", action="store_true", help="print the scores kept so far and stop")
    ap.add_argument("--fix-unseen", action="store_true",
                    help="with --report: rewrite the entries of unseen.txt whose lines were renamed, as the code is now")
    ap.add_argument("--retry", action="store_true", help="plant only the faults that survived, again, after sharpening the tests")
    ap.add_argument("--fresh", action="store_true", help="forget earlier results of the chosen folders")
    ap.add_argument("--only", help="plant only faults whose file:line contains this text")
    ap.add_argument("--kind", action="append", help="plant only faults of this kind (repeatable): drop-statement, negate ...")
    ap.add_argument("--tests", help="the test binaries to run, comma-separated, instead of the folder's own")
    ap.add_argument("--every", type=int, default=1, help="plant only every N-th fault of the folder, for a quick estimate")
    ap.add_argument("--timeout", type=int, help="seconds a test binary may run before it counts as hung "
                    "(default: four times what it takes on the unchanged tree, and at least 30)")
    args = ap.parse_args()
    folders = args.folder or FOLDERS

    if args.list:
        for folder in folders:
            for f in all_faults(folder):
                print(where(f) + (f" (else {f['alt']!r})" if f.get("alt") else ""))
        return 0
    if args.count:
        count(folders)
        return 0
    results = load_results()
    if args.report:
        _, loosely = report(results, folders)
        if args.fix_unseen and loosely:
            fix_unseen(loosely)
            print(f"{len(loosely)} entries of unseen.txt rewritten")
        return 0

    dirty_before = subprocess.run(["git", "-C", ROOT, "diff", "--quiet", "--", "src"]).returncode != 0
    os.makedirs(WORK, exist_ok=True)
    sync_tree()
    configure()
    signal.signal(signal.SIGTERM, interrupted)
    try:
        for folder in folders:
            if args.fresh:
                results = {k: v for k, v in results.items() if folder_of(v["path"]) != folder}
                save_results(results)
            binaries = args.tests.split(",") if args.tests else TESTS[folder]

            faults = all_faults(folder)
            # A survivor listed as one no test can tell is not worth planting again.
            unseen = match_unseen(faults, load_unseen())[0] if args.retry else {}

            def wanted(n, f):
                if args.only and args.only not in f"{f['path']}:{f['line']}":
                    return False
                if args.kind and f["op"] not in args.kind:
                    return False
                if args.retry:
                    return f["key"] in results and results[f["key"]]["status"] == "survived" and f["key"] not in unseen
                return n % args.every == 0 and f["key"] not in results

            todo = [f for n, f in enumerate(faults) if wanted(n, f)]
            print(f"{folder}: {len(todo)} faults to plant, each against {', '.join(binaries)}", flush=True)
            if not todo:
                continue
            # The unchanged tree must pass; how long each binary takes sets when it counts as hung.
            ok, log = build(binaries, 3600)
            timeouts = {}
            for b in binaries if ok else []:
                started = time.monotonic()
                failure = run_test(b, 1800)
                if failure:
                    ok, log = False, failure
                    break
                timeouts[b] = args.timeout or max(30, int(4 * (time.monotonic() - started)))
            if not ok:
                print(f"{folder}: the unchanged tree does not build or pass its tests; nothing planted\n{log}")
                return 2
            for n, f in enumerate(todo, 1):
                target = os.path.join(TREE, f["path"])
                with open(target, encoding="utf-8") as fh:
                    original = fh.read()
                started = time.monotonic()
                planted = f["after"]
                try:
                    with open(target, "w", encoding="utf-8") as fh:
                        fh.write(apply(original, f))
                    status, by = plant(binaries, timeouts)
                    if status == "unbuildable" and f.get("alt"):
                        # The fault as first written does not compile here: its stand-in does.
                        planted = f["alt"]
                        with open(target, "w", encoding="utf-8") as fh:
                            fh.write(apply(original, f, planted))
                        status, by = plant(binaries, timeouts)
                finally:
                    with open(target, "w", encoding="utf-8") as fh:
                        fh.write(original)
                results[f["key"]] = {"path": f["path"], "line": f["line"], "op": f["op"], "before": f["before"],
                                     "after": f["after"], "planted": planted, "status": status, "by": by}
                save_results(results)
                print(f"[{n}/{len(todo)}] {status:11} {where(dict(f, planted=planted))} "
                      f"({time.monotonic() - started:.0f} s)" + (f" by {by}" if by else ""), flush=True)
    except KeyboardInterrupt:
        print("interrupted; the tree copy is restored", file=sys.stderr)
    finally:
        # Bring the copy back in line with the sources so that its objects match the unchanged code.
        sync_tree()
    worst, _ = report(results, folders)
    if not dirty_before and subprocess.run(["git", "-C", ROOT, "diff", "--quiet", "--", "src"]).returncode != 0:
        print("src/ changed during the run", file=sys.stderr)
        return 3
    return 0 if worst >= 95 else 1


if __name__ == "__main__":
    sys.exit(main())
