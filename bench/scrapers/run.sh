#!/bin/sh
# Scraper benchmarks, each against a peer measured in the same run:
#  1. parse time of every site's pattern on a 1 MiB page with 500 entries,
#     against Python's re with the same pattern on the same bytes;
#  2. a whole online-play run of velmora-cli against 13 loopback sites,
#     against 13 sequential curl fetches of the same pages.
# Usage: bench/scrapers/run.sh BUILD_DIR   (velmora-cli and
# scraper_parse_bench built there)
set -eu
BUILD=${1:?usage: run.sh BUILD_DIR}
HERE=$(cd "$(dirname "$0")" && pwd)
PAGES="$HERE/../../tests/data/scrapers"
WORK=$(mktemp -d)
SERVER_PID=
cleanup() { [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null; rm -rf "$WORK"; }
trap cleanup EXIT

echo "== parse: 1 MiB page, 500 entries, best of 5 (ms)"
"$BUILD/bench/scrapers/scraper_parse_bench" "$WORK" > "$WORK/velmora.tsv"
python3 "$HERE/python_re_parse.py" "$WORK" > "$WORK/python.tsv"
python3 - "$WORK/velmora.tsv" "$WORK/python.tsv" <<'PY'
import sys
ours = [l.split("\t") for l in open(sys.argv[1]).read().split("\n") if l]
peer = [l.split("\t") for l in open(sys.argv[2]).read().split("\n") if l]
print(f"{'site':>4} {'rows':>6} {'re matches':>10} {'velmora':>9} {'python re':>9} {'ratio':>6}")
total_ours = total_peer = 0.0
for (i, _, rows, ms), (_, matches, pms) in zip(ours, peer):
    total_ours += float(ms); total_peer += float(pms)
    print(f"{i:>4} {rows:>6} {matches:>10} {float(ms):9.2f} {float(pms):9.2f} {float(ms)/float(pms):6.2f}")
print(f"total velmora {total_ours:.1f} ms, python re {total_peer:.1f} ms, ratio {total_ours/total_peer:.2f}")
PY

echo "== online-play run: 13 loopback sites, best of 5 (ms)"
python3 "$HERE/fixture_http_server.py" "$PAGES" > "$WORK/port" &
SERVER_PID=$!
while [ ! -s "$WORK/port" ]; do sleep 0.05; done
PORT=$(cat "$WORK/port")
i=0
while [ $i -le 12 ]; do echo "site.$i = 127.0.0.1:$PORT"; i=$((i + 1)); done > "$WORK/hosts"
python3 - "$BUILD/cli/velmora-cli" "$WORK/hosts" "$PORT" <<'PY'
import subprocess, sys, time
cli, hosts, port = sys.argv[1:]
targets = ["/search.asp?searchword=abc", "/sso.asp?keyword=abc", "/search?q=abc", "/video/abc/", "/so/q_abc",
           "/nisearch/abc", "/mts?wd=abc", "/s?wd=abc", "/search_video/q_abc", "/search.php?keyword=abc/",
           "/jc/qabc", "/s_video/q_+abc", "/search/?type=&q=abc"]
def best(run):
    times = []
    for _ in range(5):
        start = time.perf_counter(); run(); times.append((time.perf_counter() - start) * 1000)
    return min(times)
def velmora():
    subprocess.run([cli, "search", "--settings", hosts, "abc"], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
def curl():
    for t in targets:
        subprocess.run(["curl", "-s", "-o", "/dev/null", f"http://127.0.0.1:{port}{t}"], check=True)
ours, peer = best(velmora), best(curl)
print(f"velmora-cli search: {ours:.1f} ms; 13 sequential curl: {peer:.1f} ms; ratio {ours/peer:.2f} (target <= 1.3)")
PY
