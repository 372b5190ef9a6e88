#!/usr/bin/env python3
"""Mutation testing of the platform-free code: plants one small fault at a time
in a copy of the sources, rebuilds (natively, no sanitizers) and runs the native
tests; a mutant that some test fails on (or that hangs) is killed. A survivor is
tried again in a build with the sanitizers, as the test command runs the suites.
Mutants that do not compile are skipped; mutants whose objects come out byte for
byte as the original's, or that scripts/mutate_equivalent.txt names, are
equivalent and not counted. Prints the score per folder and every survivor. See
scripts/mutate.sh for the usage."""
import argparse, hashlib, json, os, random, re, shutil, subprocess, sys, time
from collections import defaultdict

DEFAULT_FILES = ["mathlib/*.cpp", "raster/*.cpp", "raster/pixel_store.h", "text/document.cpp",
                 "text/string_utils.cpp", "gl/vertex_block.cpp"]
# Test targets to build and run first for a mutant in each folder (the rest follow).
FIRST_TESTS = {"mathlib": ["mathlib_test"], "raster": ["raster_test"], "text": ["text_test", "fuzz_text_index", "fuzz_strings"],
               "gl": ["fuzz_vertex_block"]}

TOKEN = re.compile(r"""
    (?P<comment>//[^\n]*|/\*.*?\*/) | (?P<string>"(?:\\.|[^"\\])*"|'(?:\\.|[^'\\])*') |
    (?P<number>0[xX][0-9a-fA-F']+[uUlL]*|\d[\d']*(?:\.\d*)?(?:[eE][+-]?\d+)?[uUlLfF]*) |
    (?P<ident>[A-Za-z_]\w*) |
    (?P<op><<=|>>=|->|\+\+|--|<<|>>|<=|>=|==|!=|&&|\|\||\+=|-=|::|[-+<>!=&|;(){}\[\],.*/%^~?:]) | (?P<space>\s+) | (?P<other>.)
    """, re.S | re.X)
TYPE_WORDS = {"std", "int", "unsigned", "char", "bool", "float", "double", "void", "const", "typename", "class", "auto", "long",
              "short", "signed", "Product"}
RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
SWAPS = {"&&": "||", "||": "&&", "+": "-", "-": "+", "+=": "-=", "-=": "+=", "++": "--", "--": "++"}
DECLARATION = re.compile(r"^\s*(const\s+|constexpr\s+|static\s+)*(auto|bool|char|int|unsigned|float|double|long|std::\w+|[A-Z]\w*)[\s*&]+\w+\s*[=({;\[]")


def tokens(text):
    """(kind, value, offset) of every token outside comments and preprocessor lines."""
    out, line_start = [], True
    for m in TOKEN.finditer(text):
        kind = m.lastgroup
        if kind == "space":
            line_start = line_start or "\n" in m.group()
            continue
        if line_start and m.group() == "#":  # a preprocessor line: skip to its end
            out.append(("pp", m.group(), m.start()))
        else:
            out.append((kind, m.group(), m.start()))
        line_start = False
    # Drop tokens on preprocessor lines.
    result, skip_until = [], -1
    for kind, value, at in out:
        if kind == "pp":
            skip_until = text.find("\n", at)
            skip_until = len(text) if skip_until < 0 else skip_until
            continue
        if at < skip_until or kind == "comment":
            continue
        result.append((kind, value, at))
    return result


def template_brackets(toks):
    """Offsets of '<' and '>' that open or close template argument lists."""
    skip, stack = set(), []
    for i, (kind, value, at) in enumerate(toks):
        prev = toks[i - 1][1] if i else ""
        nxt = toks[i + 1][1] if i + 1 < len(toks) else ""
        if value == "<" and (prev.endswith("_cast") or prev in ("template", "PlotOutline", "numeric_limits", "array", "vector")
                             or nxt in TYPE_WORDS or nxt == ">"):
            stack.append(at)
            skip.add(at)
        elif value == ">" and stack:
            stack.pop()
            skip.add(at)
        elif value == ">>" and stack:
            stack.clear()
            skip.add(at)
    return skip


def line_of(text, at):
    return text.count("\n", 0, at) + 1


def mutants(path, text):
    """Every mutant of one file: (line, rule, offset, length, replacement)."""
    toks = tokens(text)
    templates = template_brackets(toks)
    found = []
    in_asm = set()
    for i, (kind, value, at) in enumerate(toks):
        if value == "asm":  # inline assembly: leave its operands alone up to the ';'
            j = i
            while j < len(toks) and toks[j][1] != ";":
                in_asm.add(toks[j][2])
                j += 1
    for i, (kind, value, at) in enumerate(toks):
        if at in in_asm:
            continue
        prev = toks[i - 1] if i else ("", "", 0)
        line = line_of(text, at)
        if kind == "op" and value in RELATIONAL and at not in templates:
            found.append((line, "relational", at, len(value), RELATIONAL[value]))
        elif kind == "op" and value in SWAPS:
            binary = value not in ("+", "-") or prev[0] in ("ident", "number") or prev[1] in (")", "]")
            if binary and not (prev[1] == "operator"):
                found.append((line, "logical" if value in ("&&", "||") else "arithmetic", at, len(value), SWAPS[value]))
        elif kind == "number":
            digits = re.match(r"(0[xX][0-9a-fA-F']+|\d[\d']*)([uUlL]*)$", value)
            if not digits:
                continue
            n = int(digits.group(1).replace("'", ""), 0)
            suffix = digits.group(2)
            hexa = value.lower().startswith("0x")
            # One mutant per literal (+1 or -1 by its place), so constants do not crowd out the other rules.
            for delta in ((1,) if at % 2 == 0 or n == 0 else (-1,)):
                body = hex(n + delta) if hexa else str(n + delta)
                found.append((line, "constant%+d" % delta, at, len(value), body + suffix))
    # Statement deletions, line by line: a guard's return, or a plain statement.
    offset = 0
    for number, source in enumerate(text.split("\n"), 1):
        stripped = source.strip()
        code_at = offset + len(source) - len(source.lstrip())
        offset += len(source) + 1
        if not stripped or stripped.startswith(("//", "#", "*", "/*")) or not stripped.endswith(";"):
            continue
        guard = re.match(r"(if\s*\(.*\))\s*(return\b.*;)$", stripped)
        if guard:
            start = code_at + stripped.index(guard.group(2))
            found.append((number, "delete-return", start, len(guard.group(2)), ";"))
        elif re.match(r"^(\w+(\.|->|\[)|\*|\+\+|--|\w+\s*(\(|[-+*/|&^]?=|\+\+|--))", stripped) and \
                not re.match(r"^(return|break|continue|case|default|goto|using|namespace|static_assert)\b", stripped) and \
                not DECLARATION.match(stripped) and stripped.count("(") == stripped.count(")"):
            found.append((number, "delete-statement", code_at, len(stripped), ";"))
    return [(path,) + m for m in found]


def read_equivalents(path):
    """(file, rule, from, to, source line) -> why, from the list of mutants read as equivalent."""
    known = {}
    for line in open(path) if os.path.exists(path) else []:
        if line.strip() and not line.startswith("#"):
            file, rule, change, source, why = [f.strip() for f in line.split(" | ")]
            before, after = change.split(" -> ")
            known[(file, rule, before, after, source)] = why
    return known


def sh(cmd, **kw):
    return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kw)


def object_hashes(build):
    hashes = {}
    for root, _, names in os.walk(os.path.join(build, "CMakeFiles", "td_core.dir")):
        for name in names:
            if name.endswith(".o"):
                with open(os.path.join(root, name), "rb") as f:
                    hashes[os.path.join(root, name)] = hashlib.sha1(f.read()).hexdigest()
    return hashes


def write_file(path, text):
    with open(path, "w") as f:
        f.write(text)
    now = time.time()  # strictly newer than any object built from the previous version
    os.utime(path, (now + 1, now + 1))


def run_tests(tests, timeout_of):
    """Name of the first failing test (or 'timeout: name'), or None when all pass."""
    for t in tests:
        try:
            r = subprocess.run(t["command"], cwd=t["cwd"], env=t["env"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               timeout=timeout_of[t["name"]])
        except subprocess.TimeoutExpired:
            return "timeout: " + t["name"]
        if r.returncode != 0:
            return t["name"]
    return None


def try_mutant(build, path, tests, timeout_of, baseline_objects):
    """Builds the mutant now in the sources: (status, what killed it)."""
    # The library first: a mutant that compiles to the same objects needs no tests. Then the
    # folder's own tests, and only when they pass, everything else.
    first = FIRST_TESTS.get(path.split("/")[0], [])
    if sh(["cmake", "--build", build, "--target", "td_core"]).returncode != 0:
        return "uncompilable", ""
    if baseline_objects is not None and object_hashes(build) == baseline_objects:
        return "equivalent", "same object code"
    if sh(["cmake", "--build", build, "--target"] + first).returncode != 0:
        return "uncompilable", ""
    mine = [t for t in tests if t["name"] in first or t["name"][:-len("_corpus")] in first]
    by = run_tests(mine, timeout_of)
    if not by:
        if sh(["cmake", "--build", build]).returncode != 0:
            return "uncompilable", ""
        by = run_tests([t for t in tests if t not in mine], timeout_of)
    return ("killed", by) if by else ("survived", "")


def prepare(build):
    """Builds the unmutated tree and times its tests: (tests, timeouts), or None when one fails."""
    b = sh(["cmake", "--build", build])
    if b.returncode != 0:
        print(b.stdout[-3000:])
        return None
    tests = ctest_list(build)
    timeout_of = {}
    for t in tests:  # the unmutated tests must pass; a mutant gets ten times their time
        started = time.time()
        r = subprocess.run(t["command"], cwd=t["cwd"], env=t["env"], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        if r.returncode != 0:
            print("test %s fails before any mutant (%s):\n%s" % (t["name"], build, r.stdout.decode(errors="replace")[-2000:]))
            return None
        timeout_of[t["name"]] = max(10.0, 10 * (time.time() - started))
    return tests, timeout_of


def ctest_list(build):
    data = json.loads(sh(["ctest", "--test-dir", build, "--show-only=json-v1"]).stdout)
    tests = []
    for t in data["tests"]:
        # The package, example and reference tests install and build whole
        # projects: slow, and they check packaging, not behaviour.
        if "command" not in t or t["name"].startswith(("install_", "example_", "docs")):
            continue
        env = dict(os.environ)
        cwd = build
        for p in t.get("properties", []):
            if p["name"] == "ENVIRONMENT":
                env.update(kv.split("=", 1) for kv in p["value"])
            elif p["name"] == "WORKING_DIRECTORY":
                cwd = p["value"]
        tests.append({"name": t["name"], "command": t["command"], "cwd": cwd, "env": env})
    return tests


def folder_of(path):
    return "vertex block" if path.startswith("gl/") else path.split("/")[0]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--src", required=True, help="copy of the source tree to mutate")
    ap.add_argument("--build", required=True)
    ap.add_argument("--sanitized", help="a build of the same copy with the sanitizers, for a second try of each survivor")
    ap.add_argument("--sample", type=int, default=300, help="mutants to try (0: all)")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--budget", type=float, default=0, help="seconds; stop trying new mutants after it (0: none)")
    ap.add_argument("--log", required=True, help="one JSON line per mutant tried")
    ap.add_argument("--list", action="store_true", help="only list the mutants of the sample")
    ap.add_argument("--shuffle", action="store_true", help="try the sample in random order, so that a budget cut leaves a spread")
    ap.add_argument("files", nargs="*")
    a = ap.parse_args()

    import glob
    patterns = a.files or DEFAULT_FILES
    files = sorted({os.path.relpath(f, a.src) for p in patterns for f in glob.glob(os.path.join(a.src, p))})
    originals = {f: open(os.path.join(a.src, f)).read() for f in files}
    everything = [m for f in files for m in mutants(f, originals[f])]
    # A sample spread over the folders: each folder's share of the mutants, at least an eighth of the sample.
    rng = random.Random(a.seed)
    by_folder = defaultdict(list)
    for m in everything:
        by_folder[folder_of(m[0])].append(m)
    chosen = []
    if a.sample and a.sample < len(everything):
        quota = {k: max(a.sample // 8, round(a.sample * len(v) / len(everything))) for k, v in by_folder.items()}
        for k, v in sorted(by_folder.items()):
            chosen += rng.sample(v, min(len(v), quota[k]))
    else:
        chosen = everything
    chosen.sort(key=lambda m: (m[0], m[2]))
    if a.shuffle:
        random.Random(a.seed).shuffle(chosen)
    print("%d mutants in %d files, trying %d (seed %d)" % (len(everything), len(files), len(chosen), a.seed), flush=True)
    if a.list:
        for path, line, rule, at, length, repl in chosen:
            text = originals[path]
            print("%s:%d %s: %r -> %r" % (path, line, rule, text[at:at + length], repl))
        return 0

    plain = prepare(a.build)
    sanitized = prepare(a.sanitized) if a.sanitized else None
    if plain is None or (a.sanitized and sanitized is None):
        return 2
    tests, timeout_of = plain
    baseline_objects = object_hashes(a.build)
    if sanitized:
        sanitized = sanitized + (None,)
    equivalents = read_equivalents(os.path.join(a.src, "scripts", "mutate_equivalent.txt"))
    print("baseline: %d tests pass%s" % (len(tests), " in both builds" if sanitized else ""), flush=True)

    results = []
    started = time.time()
    current = None
    log = open(a.log, "w")
    try:
        for index, (path, line, rule, at, length, repl) in enumerate(chosen):
            if a.budget and time.time() - started > a.budget:
                print("time budget used: stopped after %d mutants" % index, flush=True)
                break
            if current and current != path:
                write_file(os.path.join(a.src, current), originals[current])
            current = path
            text = originals[path]
            write_file(os.path.join(a.src, path), text[:at] + repl + text[at + length:])
            source_line = text.split("\n")[line - 1].strip()
            # Listed by its line's text; "#n" picks the n-th such change on the line.
            nth = 1 + sum(1 for m in everything if m[:3] == (path, line, rule) and m[3] < at and m[5] == repl and
                          text[m[3]:m[3] + m[4]] == text[at:at + length])
            key = (path, rule, text[at:at + length], repl, source_line)
            known = equivalents.get(key[:3] + ("%s #%d" % (repl, nth),) + key[4:]) or equivalents.get(key)
            if known:
                status, by = "equivalent", "listed: " + known
            else:
                status, by = try_mutant(a.build, path, tests, timeout_of, baseline_objects)
                if status == "survived" and sanitized:
                    s_status, s_by = try_mutant(a.sanitized, path, *sanitized)
                    if s_status == "killed":
                        status, by = s_status, "sanitizer: " + s_by
            entry = {"file": path, "line": line, "rule": rule, "from": text[at:at + length], "to": repl, "source": source_line,
                     "status": status, "by": by or ""}
            results.append(entry)
            log.write(json.dumps(entry) + "\n")
            log.flush()
            print("[%d/%d] %-12s %s:%d %s %r -> %r %s" % (index + 1, len(chosen), status, path, line, rule, entry["from"], repl, by or ""), flush=True)
    finally:
        if current:
            write_file(os.path.join(a.src, current), originals[current])
        log.close()
    report(results)
    return 0


def report(results):
    per = defaultdict(lambda: defaultdict(int))
    for r in results:
        per[folder_of(r["file"])][r["status"]] += 1
        per["all"][r["status"]] += 1
    print("\n%-13s %6s %6s %6s %11s %12s %7s" % ("folder", "tried", "killed", "lived", "equivalent", "uncompilable", "score"))
    for folder in sorted(per, key=lambda k: (k == "all", k)):
        c = per[folder]
        counted = c["killed"] + c["survived"]
        print("%-13s %6d %6d %6d %11d %12d %6.1f%%" % (folder, sum(c.values()), c["killed"], c["survived"], c["equivalent"],
                                                      c["uncompilable"], 100.0 * c["killed"] / counted if counted else 0))
    survivors = [r for r in results if r["status"] == "survived"]
    if survivors:
        print("\nsurvivors:")
        for r in survivors:
            print("  %s:%d %s %r -> %r   %s" % (r["file"], r["line"], r["rule"], r["from"], r["to"], r["source"]))


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "--report":
        report([json.loads(l) for l in open(sys.argv[2])])
        sys.exit(0)
    sys.exit(main())
