#!/usr/bin/env bash
# Mutation testing of the core: change one operator or constant at a time in a core source file, rebuild,
# run the core tests, and count the changes a test catches ("killed") and the ones none does ("survived").
#
#   tools/mutate.sh [--count N] [--seed S] [--timeout SECONDS] [--work DIR] [--from REV] [--list] [--jobs N]
#
# The sample is a fixed random choice (--seed, default 14; --count, default 64) among every possible
# mutation of the storage, quantities, recipes and interchange sources (windows excluded), so two runs on
# the same sources try the same mutations. Mutations: == and != swapped, < <= > >= shifted, && and ||
# swapped, + 1 and - 1 swapped, true and false swapped, a statement deleted.
# The script works on a copy of the tree in --work (default build-mutate/), never on the sources
# themselves: the working tree as it is, or the commit REV given with --from. It rebuilds only zestora_core
# and the core test programs that link the mutated file, runs the tests of the mutated area first and stops at
# the first failure, each test run limited to --timeout seconds (default 60; a hang counts as killed).
# A mutation that does not compile is "stillborn" and not counted. The report ends up in WORK/report.txt.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
COUNT=64 SEED=14 TIMEOUT=60 WORK="$ROOT/build-mutate" LIST=0 JOBS="${ZESTORA_JOBS:-2}" FROM=""
while (($#)); do
    case "$1" in
        --count) COUNT="$2"; shift 2 ;;
        --seed) SEED="$2"; shift 2 ;;
        --timeout) TIMEOUT="$2"; shift 2 ;;
        --work) WORK="$2"; shift 2 ;;
        --jobs) JOBS="$2"; shift 2 ;;
        --from) FROM="$2"; shift 2 ;;
        --list) LIST=1; shift ;;
        *) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2 ;;
    esac
done
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$ROOT")}"

# The copy sits at WORK and builds in WORK/build, so its paths match those of a normal build and the
# compiler cache serves every file the mutation did not touch.
COPY="$WORK" BUILD="$WORK/build" MUTANTS="$WORK/mutants.tsv" REPORT="$WORK/report.txt"
mkdir -p "$COPY"
if [[ -n "$FROM" ]]; then
    git -C "$ROOT" archive "$FROM" | tar -xf - -C "$COPY"
else
    (cd "$ROOT" && git ls-files -z --cached --others --exclude-standard | xargs -0 ls -d 2>/dev/null \
        | tar -cf - -T -) | tar -xf - -C "$COPY"
fi

# A run stopped part-way may have left an object built from a mutated file; rebuild it.
if [[ -f "$BUILD/mutating" ]]; then
    touch "$COPY/$(cat "$BUILD/mutating")"
    rm -f "$BUILD/mutating"
fi

# Every candidate mutation, then the seeded sample: one line "file<TAB>line<TAB>column<TAB>from<TAB>to".
python3 - "$COPY" "$SEED" "$COUNT" >"$MUTANTS" <<'PY'
import os, random, re, sys
root, seed, count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
swaps = [(" == ", " != "), (" != ", " == "), (" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
         (" && ", " || "), (" || ", " && "), (" + 1", " - 1"), (" - 1", " + 1"), ("true", "false"), ("false", "true")]
declaration = re.compile(r"^\s*(return|const|auto|static|using|int|bool|qint64|qsizetype|QString|QByteArray|QStringList"
                         r"|QVector|QList|QHash|case|default|break|continue|else|if|for|while|do|switch|try|catch)\b")
statement = re.compile(r"^\s*[A-Za-z_][\w.:>\[\]()-]*(\s*(\+|-|\*|/|\||&)?=\s.*|\s*\(.*\)|\+\+|--);$")
def code_mask(line):
    # Columns outside string and character literals and comments.
    mask, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            mask.append(False)
            if c == "\\":
                mask.append(False); i += 1
            elif c == quote:
                quote = None
        elif line.startswith("//", i):
            mask.extend([False] * (len(line) - i)); break
        elif c in "\"'":
            quote = c; mask.append(False)
        else:
            mask.append(True)
        i += 1
    return mask
cands = []
for area in ("storage", "quantities", "recipes", "interchange"):
    folder = os.path.join(root, "src", area)
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".cpp"):
            continue
        rel = f"src/{area}/{name}"
        for n, line in enumerate(open(os.path.join(folder, name), encoding="utf-8").read().split("\n"), 1):
            if line.lstrip().startswith(("#", "//", "*", "/*")):
                continue
            mask = code_mask(line)
            for old, new in swaps:
                for m in re.finditer(re.escape(old) if old[0] == " " else r"\b%s\b" % old, line):
                    if all(mask[m.start():m.end()]) and not (old.strip() in "<>" and "template" in line):
                        cands.append((rel, n, m.start(), old, new))
            if statement.match(line) and not declaration.match(line) and all(mask[:len(line.rstrip())][-1:]):
                cands.append((rel, n, 0, line.strip(), "<deleted>"))
sample = sorted(random.Random(seed).sample(cands, min(count, len(cands))), key=lambda c: (c[0], c[1], c[2]))
for c in sample:
    print("\t".join(map(str, c)))
print(f"{len(cands)} candidate mutations, {len(sample)} sampled", file=sys.stderr)
PY
if ((LIST)); then cat "$MUTANTS"; exit 0; fi

cmake -S "$COPY" -B "$BUILD" -DZESTORA_WERROR=ON -DZESTORA_BUILD_BENCH=OFF >/dev/null
mapfile -t TESTS < <(cd "$BUILD" && ctest -N -L core | sed -n 's/^ *Test *#[0-9]*: *//p')
echo "building zestora_core and ${#TESTS[@]} core test programs in $BUILD"
cmake --build "$BUILD" -j "$JOBS" --target zestora_core "${TESTS[@]}" >"$WORK/build.log" 2>&1 \
    || { echo "the unmutated tree does not build: see $WORK/build.log" >&2; exit 1; }
(cd "$BUILD" && ctest -L core -j "$JOBS" --timeout "$TIMEOUT" >"$WORK/baseline.log" 2>&1) \
    || { echo "the core tests fail before any mutation: see $WORK/baseline.log" >&2; exit 1; }

# Which test programs link each core source (by the global symbols its object defines), counting the real
# zestora for tests that start it and the crash test's saving child: a mutation only needs those relinked.
python3 - "$BUILD" "$COPY" "${TESTS[@]}" >"$WORK/linked.tsv" <<'PY'
import glob, os, subprocess, sys
build, copy, tests = sys.argv[1], sys.argv[2], sys.argv[3:]
def symbols(path):
    out = subprocess.run(["nm", "--defined-only", path], capture_output=True, text=True).stdout
    return {f[2] for f in (l.split() for l in out.splitlines()) if len(f) == 3 and f[1] in "TDRB"}
def program(name):
    found = glob.glob(os.path.join(build, "**", name), recursive=True)
    return symbols(found[0]) if found else set()
zestora, saver = program("zestora"), program("crash_saver")
linked = {}
for t in tests:
    sources = glob.glob(os.path.join(copy, "tests", "*", t + ".cpp"))
    text = open(sources[0]).read() if sources else ""
    linked[t] = program(t) | (zestora if "runProcess" in text else set()) | (saver if t == "test_crashsafety" else set())
core = os.path.join(build, "src", "CMakeFiles", "zestora_core.dir")
for obj in sorted(glob.glob(os.path.join(core, "**", "*.cpp.o"), recursive=True)):
    own = symbols(obj)
    users = [t for t in tests if not own or own & linked[t]]
    print("src/" + os.path.relpath(obj, core)[: -len(".o")] + "\t" + " ".join(users))
PY

# Applies (or, with "restore", undoes) one mutation on the copy.
mutate() {
    python3 - "$COPY/$1" "$2" "$3" "$4" "$5" <<'PY'
import sys
path, line, col, old, new = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4], sys.argv[5]
lines = open(path, encoding="utf-8").read().split("\n")
text = lines[line - 1]
if new == "<deleted>":
    lines[line - 1] = text[: len(text) - len(text.lstrip())] + "{ }"
else:
    assert text[col:col + len(old)] == old, (path, line, text)
    lines[line - 1] = text[:col] + new + text[col + len(old):]
open(path, "w", encoding="utf-8").write("\n".join(lines))
PY
}

: >"$REPORT"
killed=0 survived=0 stillborn=0 n=0
total=$(wc -l <"$MUTANTS")
while IFS=$'\t' read -r file line col old new; do
    n=$((n + 1))
    cp "$COPY/$file" "$BUILD/original"
    echo "$file" >"$BUILD/mutating"
    mutate "$file" "$line" "$col" "$old" "$new"
    what="$file:$line  '$old' -> '$new'"
    area="$(cut -d/ -f2 <<<"$file")"
    # The mutated area's tests first; the others (the slow crash test last) only when those all pass.
    users=" $(awk -F'\t' -v f="$file" '$1 == f { print $2 }' "$WORK/linked.tsv") "
    first=() rest=()
    for t in "${TESTS[@]}"; do
        [[ "$users" == *" $t "* ]] || continue
        if [[ -f "$COPY/tests/$area/$t.cpp" ]]; then first+=("$t"); elif [[ "$t" != test_crashsafety ]]; then rest+=("$t"); fi
    done
    [[ "$users" == *" test_crashsafety "* && "$area" != storage ]] && rest+=(test_crashsafety)
    verdict=survived by=""
    if ! cmake --build "$BUILD" -j "$JOBS" --target zestora_core >>"$WORK/build.log" 2>&1; then
        verdict=stillborn
    else
        for group in first rest; do
            declare -n tests="$group"
            ((${#tests[@]})) || continue
            if ! cmake --build "$BUILD" -j "$JOBS" --target "${tests[@]}" >>"$WORK/build.log" 2>&1; then
                verdict=stillborn
                break
            fi
            for t in "${tests[@]}"; do
                if ! (cd "$BUILD" && ctest -R "^$t\$" --timeout "$TIMEOUT" >/dev/null 2>&1); then
                    verdict=killed by="$t"
                    break 2
                fi
            done
        done
    fi
    cp "$BUILD/original" "$COPY/$file"
    rm -f "$BUILD/mutating"
    case $verdict in killed) killed=$((killed + 1)) ;; survived) survived=$((survived + 1)) ;;
        stillborn) stillborn=$((stillborn + 1)) ;; esac
    printf '%-9s %s%s\n' "$verdict" "$what" "${by:+  [$by]}" | tee -a "$REPORT"
    echo "  ($n/$total)" >&2
done <"$MUTANTS"
cmake --build "$BUILD" -j "$JOBS" --target zestora_core >>"$WORK/build.log" 2>&1 || true
counted=$((killed + survived))
summary="killed $killed of $counted ($((counted ? 100 * killed / counted : 0))%), survived $survived, stillborn $stillborn"
echo "$summary" | tee -a "$REPORT"
