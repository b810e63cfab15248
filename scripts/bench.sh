#!/usr/bin/env bash
# Builds the release benchmarks (build-rel), runs every benchmark under bench/ once and prints
# one table: benchmark, figure, goal, met or not, with the load average. The goals and the
# figures' patterns are in bench/goals.txt; each benchmark's output is kept in build-rel/bench-out.
#
#   bash scripts/bench.sh [NAME...]     (NAME: a benchmark's source name, csv_transfer say)
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-rel
goals=$root/bench/goals.txt
out=$build/bench-out
per_bench_seconds=${VORN_BENCH_TIMEOUT:-600}

load_average() { cut -d' ' -f1-3 /proc/loadavg; }
trim() { printf '%s' "$1" | sed 's/^[[:space:]]*//; s/[[:space:]]*$//'; }

# Benchmarks as bench/CMakeLists.txt makes them: "source binary" per line.
benchmarks() {
    perl -ne 'print "$2 $1\n" if /^\s*add_executable\((\S+)\s+(\S+)\.cpp\)/' "$root/bench/CMakeLists.txt"
}

export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
echo "building the release benchmarks in $build ..."
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache >"$build.configure.log" 2>&1 ||
    { echo "configuring failed: see $build.configure.log"; exit 1; }
targets=$(benchmarks | cut -d' ' -f2 | tr '\n' ' ')
# Keep going: a benchmark that does not build shows as such; the others still run.
cmake --build "$build" -j2 --target vorn_tsdb_devserver $targets -- -k >"$build.build.log" 2>&1 ||
    echo "some benchmarks did not build: see $build.build.log"

mkdir -p "$out"
export VORN_DEVSERVER=$build/bin/vorn_tsdb_devserver
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export VORN_SOURCE_DIR=$root
started_load=$(load_average)
started=$(date +%s)

declare -A ran        # benchmark -> "ok", "failed (exit N)", "did not build"
declare -A load_at    # benchmark -> the load average when it started
for entry in $(benchmarks | tr ' ' ':'); do
    name=${entry%%:*}
    binary=${entry#*:}
    [ $# -gt 0 ] && [[ " $* " != *" $name "* ]] && continue
    if [ ! -x "$build/bin/$binary" ]; then
        ran[$name]="did not build"
        continue
    fi
    load_at[$name]=$(load_average)
    printf '%-18s running (load %s) ... ' "$name" "${load_at[$name]}"
    begin=$(date +%s)
    # Each in a folder of its own: some write files where they run.
    work=$(mktemp -d)
    (cd "$work" && timeout "$per_bench_seconds" "$build/bin/$binary") >"$out/$name.txt" 2>&1
    code=$?
    rm -rf "$work"
    if [ $code -eq 0 ]; then ran[$name]=ok; else ran[$name]="failed (exit $code)"; fi
    echo "${ran[$name]}, $(( $(date +%s) - begin )) s"
done

# The table: every line of goals.txt, then the benchmarks no goal mentions.
echo
printf '%-18s %-46s %12s %-12s %-5s %s\n' benchmark figure value goal load met
printf '%.0s-' {1..110}; echo
declare -A listed
while IFS='|' read -r bench figure goal pattern; do
    bench=$(trim "$bench"); figure=$(trim "$figure"); goal=$(trim "$goal"); pattern=$(trim "$pattern")
    [ -z "$bench" ] || [[ $bench == \#* ]] && continue
    [ $# -gt 0 ] && [[ " $* " != *" $bench "* ]] && continue
    listed[$bench]=1
    value=""; met=""
    if ! benchmarks | grep -q "^$bench "; then
        value=missing
    elif [ "${ran[$bench]:-}" != ok ]; then
        value=${ran[$bench]:-"not run"}
    else
        # The worst of the matching lines against the goal (the first for a bare figure).
        value=$(GOAL="$goal" PATTERN="$pattern" perl -ne '
            BEGIN { $p = $ENV{PATTERN}; ($op, $want) = split / /, $ENV{GOAL}; }
            next unless /$p/;
            $v = $1;
            if (!defined $w) { $w = $v; }
            elsif ($op eq "<=" || $op eq "<") { $w = $v if $v > $w; }
            elsif ($op eq ">=" || $op eq ">") { $w = $v if $v < $w; }
            elsif ($op eq "is") { $w = $v if $v ne $want; }
            END { print $w if defined $w }' "$out/$bench.txt")
        [ -z "$value" ] && value="not printed"
    fi
    if [ "$goal" = "-" ]; then
        met="(no goal recorded)"
    elif [[ $value =~ ^-?[0-9.]+$ ]]; then
        met=$(perl -e '($op, $g) = split / /, $ARGV[1]; $v = $ARGV[0];
            print(($op eq ">=" ? $v >= $g : $op eq "<=" ? $v <= $g : $op eq "<" ? $v < $g : $v > $g) ? "yes" : "NO")' \
            "$value" "$goal")
    elif [[ $goal == is\ * ]] && [ "$value" = "${goal#is }" ]; then
        met=yes
    else
        met=NO
    fi
    load=${load_at[$bench]:-}
    printf '%-18s %-46s %12s %-12s %-5s %s\n' "$bench" "$figure" "$value" "$goal" "${load%% *}" "$met"
done <"$goals"
for entry in $(benchmarks | tr ' ' ':'); do
    name=${entry%%:*}
    [ -n "${listed[$name]:-}" ] && continue
    [ $# -gt 0 ] && [[ " $* " != *" $name "* ]] && continue
    load=${load_at[$name]:-}
    printf '%-18s %-46s %12s %-12s %-5s %s\n' "$name" "(no figure in bench/goals.txt)" "${ran[$name]:-}" - \
        "${load%% *}" -
done
echo
echo "load average (1, 5, 15 min): at the start $started_load, at the end $(load_average); $(nproc) cores"
echo "load: the 1-minute load average when the benchmark started; each one's whole output: $out"
echo "run took $(( $(date +%s) - started )) s"
