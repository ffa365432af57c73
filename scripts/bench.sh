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

if [ ! -x /usr/bin/time ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends time
fi

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
  while read -r name; do
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
  done < <("$executable" --benchmark_list_tests=true)
done

/usr/bin/python3 - "$results" "$root/bench/baselines.txt" <<'PY'
import glob, json, os, re, sys

results, pairs_file = sys.argv[1], sys.argv[2]
NS = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}

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
            "bytes": run.get("bytes_per_second"),
            "peak": peak_kib,
            "error": run.get("error_message"),
        }

pairs = []
with open(pairs_file) as f:
    for line in f:
        line = line.split("#", 1)[0].strip()
        if line:
            pattern, baseline = (part.strip() for part in line.split("->"))
            pairs.append((re.compile(pattern), baseline))

def baseline_of(name):
    for pattern, baseline in pairs:
        if pattern.search(name) and baseline != name:
            return baseline
    return None

def duration(ns):
    for unit, scale in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if ns >= scale:
            return f"{ns / scale:.3g} {unit}"
    return f"{ns:.3g} ns"

def mib(kib):
    return f"{kib / 1024:.1f} MiB"

baselines = {baseline for _, baseline in pairs}
print(f"{'figure':<44} {'time':>10} {'peak':>10}   {'baseline':<34} {'time':>10} {'peak':>10} {'ratio':>8}")
for name, figure in sorted(figures.items()):
    if figure["error"]:
        print(f"{name:<44} skipped: {figure['error']}")
        continue
    line = f"{name:<44} {duration(figure['ns']):>10} {mib(figure['peak']):>10}"
    baseline = baseline_of(name)
    base = figures.get(baseline) if baseline else None
    if name in baselines:
        line += "   (a baseline)"
    elif baseline is None:
        line += "   (no baseline paired in bench/baselines.txt)"
    elif base is None or base["error"]:
        line += f"   {baseline:<34} not measured in this run"
    else:
        # Per item when both count items, so unequal batch sizes compare fairly.
        if figure["items"] and base["items"]:
            ratio = base["items"] / figure["items"]
        else:
            ratio = figure["ns"] / base["ns"]
        line += (f"   {baseline:<34} {duration(base['ns']):>10} {mib(base['peak']):>10}"
                 f" {ratio:>7.2f}x")
    print(line)
print("\nratio: the figure's time per item (or per iteration) over its baseline's;"
      "\npeak: the maximum resident memory of the process that ran the benchmark alone.")
PY
