#!/bin/sh
# Runs the web benchmarks of an existing build (it builds nothing):
#   bench/web/run.sh BUILD_DIR
# fetchPage vs libcurl and the curl tool on one loopback server, printed as
# time ratios; the encoders in MB/s, then Python's urllib.parse as a peer.
set -eu
if [ $# -ne 1 ] || [ ! -x "$1/bench/web/web_fetch_bench" ]; then
    echo "usage: $0 BUILD_DIR   (with bench/web built in it)" >&2
    exit 2
fi
build=$1
here=$(dirname "$0")
# Repeated and interleaved, so that neither side gets the warm or the quiet moments.
"$build/bench/web/web_fetch_bench" --benchmark_min_time=0.2 --benchmark_repetitions=3 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
echo
"$build/bench/web/web_encoders_bench" --benchmark_min_time=0.3
echo
python3 "$here/encoders_peer.py"
