# Sourced by the whole-run benchmarks (whole_run.sh, tmpfs_run.sh): copies
# the program, the floor and any other programs named into folders of their
# own under $work, so that each writes beside itself, and lists them in
# names[] and paths[] in that order.
names=()
paths=()
add_copy() {  # name, executable
  mkdir "$work/$1"
  cp "$2" "$work/$1/"
  names+=("$1")
  paths+=("$work/$1/$(basename "$2")")
}
copy_programs() {  # other programs...
  add_copy program build-bench/app/scenario
  add_copy floor build-bench/bench/scenario_floor
  local i=0 other
  for other in "$@"; do
    i=$((i + 1))
    add_copy "other$i" "$other"
  done
}
