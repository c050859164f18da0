#!/usr/bin/env bash
# Runs each fuzz target in turn for SECONDS, one process at a time, from the
# seed corpus in fuzz/corpus. What the search adds is kept in
# BUILD/work/TARGET (the committed seeds stay as they are); an input that
# crashes or hangs lands in BUILD/artifacts/TARGET and fails the run.
#   fuzz/run.sh SECONDS BUILD [TARGET...]
set -uo pipefail
if (($# < 2)); then
  echo "usage: $0 SECONDS BUILD [TARGET...]" >&2
  exit 2
fi
seconds=$1
build=$(realpath "$2")
shift 2
targets=("$@")
((${#targets[@]})) || targets=(profile_reader bait_file baitcheck)
here=$(realpath "$(dirname "$0")")

failed=()
for target in "${targets[@]}"; do
  work="$build/work/$target"
  artifacts="$build/artifacts/$target"
  mkdir -p "$work" "$artifacts"
  echo "== fuzzing $target for ${seconds}s"
  # -timeout: a single input running this long counts as a hang.
  if ! "$build/fuzz/${target}_fuzz" "$work" "$here/corpus" \
      -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
      -dict="$here/profile.dict" -artifact_prefix="$artifacts/" \
      -print_final_stats=1 -close_fd_mask=1; then
    failed+=("$target")
  fi
done

if ((${#failed[@]})); then
  for target in "${failed[@]}"; do
    echo "fuzz: $target failed; its input is in $build/artifacts/$target/" >&2
    echo "  keep it as a regression: cp INPUT $here/regressions/$target/" >&2
  done
  exit 1
fi
