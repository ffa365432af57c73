#!/usr/bin/env bash
# Builds the benchmarks in Release (build-release/), runs every benchmark of
# bench/ on its own, and prints each figure beside the baseline measured in the
# same run (pairs in bench/baselines.txt) with the ratio and the peak memory of
# the process that ran it.
#
# BENCH_FILTER (a regular expression) limits the benchmarks that run;
# BENCH_ARGS passes further options to every benchmark executable.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build_dir="${BENCH_BUILD_DIR:-$root/build-release}"
results="$build_dir/bench-results"
filter="${BENCH_FILTER:-.}"
read -r -a extra_args <<<"${BENCH_ARGS:-}"

"$here/install-packages.sh" --list run --list test time

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DSOVVENZIA_BUILD_TESTS=OFF \
  -DSOVVENZIA_BUILD_BENCHMARKS=ON >/dev/null
mapfile -t targets < <(sed -n 's/^[[:space:]]*add_executable(\([A-Za-z0-9_]*\).*/\1/p' \
  "$root/bench/CMakeLists.txt")
cmake --build "$build_dir" --parallel "$(nproc)" --target "${targets[@]}" >/dev/null

rm -rf "$results"
mkdir -p "$results"
export QT_QPA_PLATFORM=offscreen

# One process per benchmark, so that its peak memory is its own.
for target in "${targets[@]}"; do
  executable="$build_dir/bench/$target"
  while read -r name || [[ -n "$name" ]]; do
    [[ "$name" =~ $filter ]] || continue
    slug=$(tr -c 'A-Za-z0-9_\n' '_' <<<"$target.$name")
    echo "running $target $name" >&2
    pattern=$(sed 's/[][\\.*^$+?(){}|]/\\&/g' <<<"$name")
    if ! /usr/bin/time -f '%M' -o "$results/$slug.kib" \
      "$executable" --benchmark_filter="^$pattern\$" \
      --benchmark_out="$results/$slug.json" --benchmark_out_format=json \
      "${extra_args[@]}" >"$results/$slug.log" 2>&1; then
      echo "FAILED: $target $name" >&2
      cat "$results/$slug.log" >&2
      rm -f "$results/$slug.json"
    fi
  done < <("$executable" --benchmark_list_tests=true 2>/dev/null)
done

/usr/bin/python3 - "$results" "$root/bench/baselines.txt" "$build_dir/bench" "$filter" <<'PY'
import glob, json, os, re, subprocess, sys

results, pairs_file, bench_dir, name_filter = sys.argv[1:5]
NS = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
# Fields of every run; the others are the benchmark's own counters.
STANDARD = {"name", "family_index", "per_family_instance_index", "run_name", "run_type",
            "repetitions", "repetition_index", "threads", "iterations", "real_time",
            "cpu_time", "time_unit", "items_per_second", "bytes_per_second", "label",
            "error_occurred", "error_message", "aggregate_name", "aggregate_unit"}

figures = {}
for path in sorted(glob.glob(os.path.join(results, "*.json"))):
    with open(path) as f:
        report = json.load(f)
    with open(path[: -len(".json")] + ".kib") as f:
        peak_kib = int(f.read().split()[-1])
    for run in report["benchmarks"]:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        name = run.get("run_name", run["name"])
        figures[name] = {
            "ns": run["real_time"] * NS[run.get("time_unit", "ns")],
            "items": run.get("items_per_second"),
            "peak": peak_kib,
            "error": run.get("error_message"),
            "counters": {k: v for k, v in run.items() if k not in STANDARD},
        }

pairs, memory_pairs = [], []
with open(pairs_file) as f:
    for line in f:
        line = line.split("#", 1)[0].strip()
        if line.startswith("memoria:"):
            left, baseline_option = line[len("memoria:"):].split("->")
            executable, option = left.split()
            memory_pairs.append((executable, option, baseline_option.strip()))
        elif line:
            figure, baseline = (part.strip() for part in line.split("->"))
            pairs.append((re.compile(figure), re.compile(baseline)))


def baseline_of(name):
    for figure, baseline in pairs:
        if figure.search(name):
            return next((other for other in sorted(figures)
                         if other != name and baseline.search(other)), baseline.pattern)
    return None


def is_baseline(name):
    return any(baseline.search(name) for _, baseline in pairs)


def duration(ns):
    for unit, scale in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if ns >= scale:
            return f"{ns / scale:.3g} {unit}"
    return f"{ns:.3g} ns"


def mib(kib):
    return f"{kib / 1024:.1f} MiB"


print(f"{'figure':<42} {'time':>9} {'peak':>9}   {'baseline':<38} {'time':>9} {'peak':>9} {'ratio':>7}")
for name, figure in sorted(figures.items()):
    if figure["error"]:
        print(f"{name:<42} skipped: {figure['error']}")
        continue
    line = f"{name:<42} {duration(figure['ns']):>9} {mib(figure['peak']):>9}"
    baseline = baseline_of(name)
    base = figures.get(baseline) if baseline else None
    if baseline is None:
        line += "   (a baseline)" if is_baseline(name) else "   (no baseline in bench/baselines.txt)"
    elif base is None or base["error"]:
        line += f"   {baseline:<38} not measured in this run"
    else:
        # Per item when both count items, so unequal batch sizes compare fairly.
        if figure["items"] and base["items"]:
            ratio = base["items"] / figure["items"]
        else:
            ratio = figure["ns"] / base["ns"]
        line += (f"   {baseline:<38} {duration(base['ns']):>9} {mib(base['peak']):>9}"
                 f" {ratio:>6.2f}x")
    if figure["counters"]:
        line += "   " + " ".join(f"{k}={v:.3g}" for k, v in sorted(figure["counters"].items()))
    print(line)
print("\nratio: the figure's time per item (or per iteration) over its baseline's;"
      "\npeak: the maximum resident memory of the process that ran that benchmark alone.",
      flush=True)

# Memory one step adds, measured alone by the benchmark executable itself.
MEMORY = re.compile(r"([\d.]+) MB aggiunti, picco \+([\d.]+) MB")


def memory(executable, option):
    run = subprocess.run([os.path.join(bench_dir, executable), option], capture_output=True,
                         text=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    found = MEMORY.search(run.stdout)
    return (float(found.group(1)), float(found.group(2))) if found else None


rows = []
for executable, option, baseline_option in memory_pairs:
    if re.search(name_filter, f"{executable} {option}"):
        print(f"running {executable} {option} and {baseline_option}", file=sys.stderr)
        rows.append((f"{executable} {option}", baseline_option, memory(executable, option),
                     memory(executable, baseline_option)))
if rows:
    print(f"\n{'memory one step adds':<42} {'kept':>9} {'peak':>9}   {'baseline':<38}"
          f" {'kept':>9} {'peak':>9} {'ratio':>7}")
for label, baseline_option, step, base in rows:
    if step is None or base is None:
        print(f"{label:<42} not measured: the executable printed no memory figures")
        continue
    ratio = f"{step[1] / base[1]:6.2f}x" if base[1] > 0 else "     -"
    print(f"{label:<42} {step[0]:>6.1f} MB {step[1]:>6.1f} MB   {baseline_option:<38}"
          f" {base[0]:>6.1f} MB {base[1]:>6.1f} MB {ratio:>7}")
if rows:
    print("kept: resident memory still held after the step; peak: the highest it rose"
          " while the step ran.")
PY
