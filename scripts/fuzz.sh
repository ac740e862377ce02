#!/usr/bin/env bash
# Fuzzes the harnesses of tests/fuzz with libFuzzer, in the clang build
# folder build-fuzz (AddressSanitizer and UndefinedBehaviorSanitizer on).
#   fuzz.sh [SECONDS] [-libfuzzer-flag ...] [HARNESS ...]
#       each harness (default all) in turn for SECONDS (default 60)
#   fuzz.sh --ci   each harness 20 s, for CI
# Each harness starts from its seeds (harnesses.txt, tests/fuzz/seeds/) and
# its regression inputs, keeps what it learns in build-fuzz/corpus/<harness>/
# and writes a failing input (crash-*, timeout-*, leak-*, oom-*) to
# build-fuzz/findings/<harness>/; once the fault is fixed, copy the input to
# tests/fuzz/regressions/<harness>/ so that the test suite keeps it fixed.
# Figures (executions, coverage) go to build-fuzz/logs/<harness>.log and are
# summed up at the end. Exits 1 when any harness found something.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-fuzz
seconds=60
if [ "${1:-}" = "--ci" ]; then
  seconds=20
  shift
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
flags=()
only=()
for arg in "$@"; do
  case "$arg" in
    -*) flags+=("$arg") ;;
    *) only+=("$arg") ;;
  esac
done

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
[ "${FUZZ_BUILD:-1}" = 0 ] || cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEXICANA_FUZZ=ON -DLEXICANA_BUILD_TESTS=OFF -DLEXICANA_BUILD_BENCH=OFF -DLEXICANA_BUILD_GUI=OFF \
  "${launcher[@]}" >/dev/null || exit 2

mapfile -t lines < <(grep -E '^[a-z]' tests/fuzz/harnesses.txt)
targets=()
for line in "${lines[@]}"; do
  read -r name _ <<<"$line"
  if [ ${#only[@]} -eq 0 ] || [[ " ${only[*]} " == *" $name "* ]]; then
    targets+=("fuzz_$name")
  fi
done
[ ${#targets[@]} -gt 0 ] || { echo "no such harness: ${only[*]}" >&2; exit 2; }
# FUZZ_BUILD=0 runs the harnesses as last built (a long campaign on a fixed
# build while the sources change).
if [ "${FUZZ_BUILD:-1}" != 0 ]; then
  cmake --build "$build" -j"${FUZZ_JOBS:-$(nproc)}" --target "${targets[@]}" || exit 2
fi

export QT_QPA_PLATFORM=offscreen
# The harnesses write their files in a scratch folder; in memory, syncs cost nothing.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
found=0
summary=()
for line in "${lines[@]}"; do
  read -r name patterns <<<"$line"
  [[ " ${targets[*]} " == *" fuzz_$name "* ]] || continue
  corpus=$build/corpus/$name
  seeds=$build/seeds/$name
  findings=$build/findings/$name
  regressions=$root/tests/fuzz/regressions/$name
  mkdir -p "$corpus" "$findings" "$build/logs" "$regressions"
  rm -rf "$seeds"
  mkdir -p "$seeds"
  # Seed files copied flat under names of their own (a checksum).
  for pattern in $patterns tests/fuzz/seeds/$name; do
    for path in $pattern; do
      [ -e "$path" ] || continue
      find "$path" -type f -print0 | while IFS= read -r -d '' file; do
        cp "$file" "$seeds/$(md5sum <"$file" | cut -c1-16)"
      done
    done
  done
  log=$build/logs/$name.log
  start=$(date +%s)
  "$build/bin/fuzz_$name" "$corpus" "$seeds" "$regressions" \
    -dict="$root/tests/fuzz/lexicana.dict" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$findings/" -print_final_stats=1 "${flags[@]}" >"$log" 2>&1
  status=$?
  elapsed=$(( $(date +%s) - start ))
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' <<<"$last" | grep -o '[0-9]*')
  ft=$(grep -o 'ft: [0-9]*' <<<"$last" | grep -o '[0-9]*')
  result=ok
  if [ $status -eq 72 ] && grep -q 'run interrupted' "$log"; then
    # Stopped by a signal (Ctrl+C, the end of a session): no finding.
    result="interrupted"
  elif [ $status -ne 0 ]; then
    found=1
    result="FOUND (exit $status): $(ls -t "$findings" | head -1) in $findings; see $log"
  fi
  summary+=("$(printf '%-10s %12s execs  cov %6s  ft %6s  %5ss  %s' "$name" "${execs:-?}" "${cov:-?}" \
    "${ft:-?}" "$elapsed" "$result")")
  echo "${summary[-1]}"
done
echo
printf '%s\n' "${summary[@]}"
exit $found
