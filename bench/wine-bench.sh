# Sourced first by the benchmarks that run the bar's code under Wine: from
# the tree's root, B is the build folder ($MIVORA_BUILD, default "build") and
# RUNS the rounds ($MIVORA_BENCH_RUNS, default the number given), with Wine
# running on a display until the benchmark ends.
#   source "$(dirname "$0")/wine-bench.sh" DEFAULT_RUNS
cd "$(dirname "${BASH_SOURCE[0]}")/.."
B="${MIVORA_BUILD:-build}"
RUNS="${MIVORA_BENCH_RUNS:-$1}"
source scripts/wine-env.sh "$B"
mivora_bench_wine
