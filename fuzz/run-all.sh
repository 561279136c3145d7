#!/bin/sh
# Builds the libFuzzer targets with the fuzz preset and runs each for SECONDS (600 by
# default), one after the other on one core, starting from its committed seeds and
# from what earlier runs found (build/fuzz/runs/TARGET; FRESH=1 starts without it).
# Prints one line per target with libFuzzer's final figures; a crash input goes to
# build/fuzz/artifacts/TARGET/ and makes the script exit 1.
#
#   fuzz/run-all.sh [SECONDS [TARGET...]]      targets default to every fuzz/corpus/*
set -eu

seconds=${1:-600}
[ $# -gt 0 ] && shift
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"

if [ $# -eq 0 ]; then
  for dir in "$root"/fuzz/corpus/*/; do set -- "$@" "$(basename "$dir")"; done
fi

cd "$root"
cmake --preset fuzz >/dev/null
cmake --build "$build" --target "$@" -j2 >/dev/null

failed=0
printf '%-20s %8s %12s %8s %8s %8s  %s\n' target seconds executions cov ft corpus result
for target in "$@"; do
  work="$build/runs/$target"
  artifacts="$build/artifacts/$target"
  [ "${FRESH:-0}" = 1 ] && rm -rf "$work"
  mkdir -p "$work/corpus" "$artifacts"
  dict="$root/fuzz/dict/$target.dict"
  dictOption=""
  [ -f "$dict" ] && dictOption="-dict=$dict"
  # -jobs=1 runs the fuzzer in a worker that logs to fuzz-0.log in the current folder.
  (cd "$work" && rm -f fuzz-0.log &&
   "$build/bin/$target" -max_total_time="$seconds" -jobs=1 -timeout=10 -rss_limit_mb=2048 \
     -print_final_stats=1 -artifact_prefix="$artifacts/" $dictOption \
     corpus "$root/fuzz/corpus/$target" >/dev/null 2>&1) || true
  log="$work/fuzz-0.log"
  done=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  [ -n "$done" ] || done=$(grep -E '^#[0-9]+[[:space:]]' "$log" | tail -n 1 || true)
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(printf '%s\n' "$done" | sed -n 's/.* cov: \([0-9]*\).*/\1/p')
  ft=$(printf '%s\n' "$done" | sed -n 's/.* ft: \([0-9]*\).*/\1/p')
  corpus=$(printf '%s\n' "$done" | sed -n 's/.* corp: \([0-9]*\).*/\1/p')
  crash=$(sed -n 's/.*Test unit written to \(.*\)/\1/p' "$log" | tail -n 1)
  if grep -qE '^==[0-9]+== ?ERROR|^SUMMARY: |deadly signal|property broken' "$log"; then
    result="FOUND: ${crash:-?} (see $log)"
    failed=1
  else
    result=clean
  fi
  printf '%-20s %8s %12s %8s %8s %8s  %s\n' "$target" "$seconds" "${executions:-?}" \
    "${cov:-?}" "${ft:-?}" "${corpus:-?}" "$result"
done
exit $failed
