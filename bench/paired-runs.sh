# shellcheck shell=bash
# Sourced by the bench/ scripts: programs run in interleaved rounds, and the
# statistics of their runs.
#
#   run_rounds WORK_DIR WARMUPS COUNTED COUNT
#
# Calls the script's own `run INDEX` for the COUNT programs, WARMUPS uncounted
# rounds and then COUNTED counted ones, each counted round starting with the
# next program in turn, so that none always runs right after the same other
# one. `run` prints one line of numbers a run; the lines of all programs go
# side by side into WORK_DIR/runs, a row a round.
#
# The statistics print "median min max" of a column of those numbers, of the
# ratios or of the differences of two columns, row by row (paired runs).
# summary_rows and ratio_rows print the report's lines for the script's
# `names` and keep the medians in the associative array `median`.

declare -A median  # by "INDEX,NUMBER": program and field

run_rounds() {  # WORK_DIR WARMUPS COUNTED COUNT
  local work=$1 warmups=$2 counted=$3 count=$4 i j k
  for ((i = 0; i < warmups; ++i)); do
    for ((k = 0; k < count; ++k)); do run "$k" >/dev/null; done
  done
  for ((k = 0; k < count; ++k)); do : >"$work/run$k"; done
  for ((i = 0; i < counted; ++i)); do
    for ((j = 0; j < count; ++j)); do
      k=$(((i + j) % count))
      run "$k" >>"$work/run$k"
    done
  done
  local files=()
  for ((k = 0; k < count; ++k)); do files+=("$work/run$k"); done
  paste -d ' ' "${files[@]}" >"$work/runs"
}

# Numbers, one a line, in any order -> "median min max", each divided by SCALE
# and printed with FORMAT.
median_min_max() {  # FORMAT [SCALE]
  sort -g | awk -v f="$1" -v s="${2:-1}" '
    { v[NR] = $1 / s }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf f " " f " " f, m, v[1], v[NR] }'
}

summary() {  # RUNS COLUMN [SCALE] -> "median min max"
  awk -v c="$2" '{ print $c }' "$1" | median_min_max %.2f "${3:-1}"
}

paired_ratios() {  # RUNS BASE_COLUMN OTHER_COLUMN -> "median min max"
  awk -v f="$2" -v z="$3" '{ print $z / $f }' "$1" | median_min_max %.3f
}

paired_differences() {  # RUNS BASE_COLUMN OTHER_COLUMN [SCALE] -> "median min max"
  awk -v f="$2" -v z="$3" -v s="${4:-1}" '{ print ($z - $f) / s }' "$1" | median_min_max %+.2f
}

# A line a program and field, "NAME, LABEL", the median and min-max, printed
# with FORMAT; each FIELD is "NUMBER|LABEL|SCALE", NUMBER counted from 1 among
# the WIDTH numbers of a program's run. Keeps median[INDEX,NUMBER].
summary_rows() {  # RUNS WIDTH FORMAT FIELD...
  local runs=$1 width=$2 format=$3 k field f label scale m lo hi
  shift 3
  # shellcheck disable=SC2154  # names: the calling script's programs
  for k in "${!names[@]}"; do
    for field in "$@"; do
      IFS='|' read -r f label scale <<<"$field"
      read -r m lo hi <<<"$(summary "$runs" $((width * k + f)) "$scale")"
      median[$k,$f]=$m
      # shellcheck disable=SC2059  # the caller's column widths
      printf "$format" "${names[$k]}, $label" "$m" "$lo-$hi"
    done
  done
}

# Program OTHER against program BASE, in time to map (field 1) and processor
# time (field 4): the ratio of the medians and the paired ratios.
ratio_rows() {  # RUNS WIDTH BASE OTHER
  local runs=$1 width=$2 base=$3 other=$4 field f label p_med p_min p_max
  for field in "1 time" "4 CPU"; do
    read -r f label <<<"$field"
    read -r p_med p_min p_max <<<"$(paired_ratios "$runs" $((width * base + f)) $((width * other + f)))"
    awk -v b="${median[$base,$f]}" -v o="${median[$other,$f]}" -v l="$label" \
      'BEGIN { printf "  ratio of medians (%s): %*s%.3f\n", l, 6 - length(l), "", o / b }'
    printf '  paired ratios (%s): %*smedian %s, min-max %s-%s\n' "$label" $((6 - ${#label})) "" \
      "$p_med" "$p_min" "$p_max"
  done
}
