#!/usr/bin/env bash
# Side-by-side conversion speed: vellumine-convert against pandoc, mammoth and LibreOffice, one
# process per document as a user runs them.  The tools take turns on each document (A/B
# interleaved), every document is converted --runs times by each, and the table gives the median
# wall time, the median CPU time (user + system, children included) and each peer's ratio to us;
# for the generated documents also our peak resident memory.
#
#   bench/compare.sh [--runs N] [--sizes "1 4 16"] [--no-corpus] [--no-generated] [--peers "pandoc mammoth soffice"]
#
# Generated documents hold about 1, 4 and 16 MB of document XML (bench/gen_docx); the corpus is
# ../shared/corpus.  Per-run figures go to .cache/bench-compare/runs.tsv.  Installs what it needs first:
# scripts/install-deps --bench, mammoth from npm below .cache/bench-peers, a Release build in
# build-bench.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
runs=5
sizes="1 4 16"
corpus=1
generated=1
peers="pandoc mammoth soffice"
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    --peers) peers=$2; shift 2 ;;
    --no-corpus) corpus=0; shift ;;
    --no-generated) generated=0; shift ;;
    *) echo "usage: bench/compare.sh [--runs N] [--sizes \"1 4 16\"] [--peers \"...\"] [--no-corpus] [--no-generated]" >&2; exit 2 ;;
  esac
done

cache=$top/.cache/bench-peers
work=$top/.cache/bench-compare
corpusDir=${VELLUMINE_CORPUS_DIR:-$top/../shared/corpus}
mkdir -p "$cache" "$work"

# --- what the comparison needs ------------------------------------------------------------------
"$top/scripts/install-deps" --bench
if [ ! -x "$cache/node_modules/.bin/mammoth" ]; then
  npm install --prefix "$cache" --no-audit --no-fund --silent mammoth@1.13.0
fi
cmake -S "$top" -B "$top/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLUMINE_BENCH=ON \
  -DBUILD_TESTING=OFF -DVELLUMINE_GUI=OFF >/dev/null
cmake --build "$top/build-bench" --target vellumine-convert gen_docx >/dev/null

ours=$top/build-bench/src/cli/vellumine-convert
mammoth=$cache/node_modules/.bin/mammoth
profile=file://$cache/libreoffice-profile

# --- the documents ------------------------------------------------------------------------------
# A generated package folder zipped (deflated, as word processors write them) into a .docx.
makeGenerated() {
  local mb=$1 folder=$work/gen-$1mb docx=$work/generated-$1mb.docx
  [ -f "$docx" ] && return
  rm -rf "$folder"
  "$top/build-bench/bench/gen_docx" $((mb * 1024 * 1024)) "$folder" >/dev/null
  python3 - "$folder" "$docx" <<'EOF'
import os, sys, zipfile
folder, docx = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(docx, "w", zipfile.ZIP_DEFLATED) as z:
    for root, _, files in os.walk(folder):
        for name in sorted(files):
            path = os.path.join(root, name)
            z.write(path, os.path.relpath(path, folder))
EOF
}

documents=()
if [ "$generated" = 1 ]; then
  for mb in $sizes; do
    makeGenerated "$mb"
    documents+=("$work/generated-${mb}mb.docx")
  done
fi
if [ "$corpus" = 1 ]; then
  while IFS= read -r f; do documents+=("$f"); done < <(find "$corpusDir" -name '*.docx' | sort)
fi

# --- the runs and the table ---------------------------------------------------------------------
# Timed from Python: wait4 gives each process's CPU time (children included), and the wall clock
# is read to the microsecond (the small corpus documents take a few milliseconds).  Our peak memory
# on the generated documents comes from one more run each under /usr/bin/time.
export ours mammoth profile
python3 - "$work" "$corpusDir" "$runs" "$peers" "${documents[@]}" <<'EOF'
import csv, os, shutil, statistics, subprocess, sys, time
from collections import defaultdict

work, corpus, runs, peers = sys.argv[1], os.path.realpath(sys.argv[2]), int(sys.argv[3]), sys.argv[4].split()
documents = sys.argv[5:]
out = os.path.join(work, "out")
ours, mammoth, profile = os.environ["ours"], os.environ["mammoth"], os.environ["profile"]


def command(tool, docx):
    return {
        "vellumine": [ours, docx, "-o", os.path.join(out, "page.htm")],
        "pandoc": ["pandoc", "-f", "docx", "-t", "html", "-o", os.path.join(out, "page.html"), docx],
        "mammoth": [mammoth, docx, os.path.join(out, "page.html")],
        "soffice": ["soffice", f"-env:UserInstallation={profile}", "--headless", "--convert-to", "html",
                    "--outdir", out, docx],
    }[tool]


def peakOf(tool, docx):
    """Peak resident memory in KB of one more run, under /usr/bin/time: a child's own peak as the
    kernel keeps it would include this Python process it was forked from."""
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    report = os.path.join(work, "peak.txt")
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + command(tool, docx),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(report) as f:
        return int(f.read().split()[-1])


def convert(tool, docx):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    start = time.perf_counter()
    child = subprocess.Popen(command(tool, docx), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    ok = os.waitstatus_to_exitcode(status) == 0 and len(os.listdir(out)) > 0
    return wall, usage.ru_utime + usage.ru_stime, ok


tools = ["vellumine"] + peers
if "soffice" in peers and documents:
    convert("soffice", documents[0])  # LibreOffice makes its profile on the first start: not measured

wall, cpu, failed = defaultdict(list), defaultdict(list), set()
with open(os.path.join(work, "runs.tsv"), "w", newline="") as f:
    writer = csv.writer(f, delimiter="\t")
    writer.writerow(["document", "tool", "run", "wall_s", "cpu_s", "status"])
    for run in range(1, runs + 1):
        for docx in documents:
            # The order of the tools turns each run, so no tool always follows the same one.
            for k in range(len(tools)):
                tool = tools[(k + run) % len(tools)]
                w, c, ok = convert(tool, docx)
                wall[(docx, tool)].append(w)
                cpu[(docx, tool)].append(c)
                if not ok:
                    failed.add((docx, tool))
                writer.writerow([docx, tool, run, f"{w:.6f}", f"{c:.6f}", "ok" if ok else "failed"])
        print(f"run {run} of {runs} done", file=sys.stderr)


def med(d, key):
    return statistics.median(d[key])


def ratio(d, doc, peer):
    return med(d, (doc, peer)) / max(med(d, (doc, "vellumine")), 1e-6)


def fmt(s):
    return f"{s * 1000:.1f} ms" if s < 0.1 else f"{s * 1000:.0f} ms" if s < 10 else f"{s:.1f} s"


generated = [d for d in documents if not os.path.realpath(d).startswith(corpus)]
peak = {d: peakOf("vellumine", d) for d in generated}
corpusDocs = [d for d in documents if d not in generated]
print(f"Median of {runs} runs: wall time (CPU time, user + system); ratio = peer / vellumine-convert on "
      "wall time (and on CPU time).\n")
print("| Document | vellumine-convert | " + " | ".join(peers) + " |")
print("|" + "---|" * (2 + len(peers)))
for d in generated:
    cells = [f"{fmt(med(wall, (d, 'vellumine')))} ({fmt(med(cpu, (d, 'vellumine')))}), "
             f"peak {peak[d] / 1024:.0f} MB"]
    for p in peers:
        mark = ", failed" if (d, p) in failed else ""
        cells.append(f"{fmt(med(wall, (d, p)))} ({fmt(med(cpu, (d, p)))}) {ratio(wall, d, p):.0f}x "
                     f"({ratio(cpu, d, p):.0f}x){mark}")
    print(f"| {os.path.basename(d)} | " + " | ".join(cells) + " |")
if corpusDocs:
    def total(d, tool):
        return sum(med(d, (doc, tool)) for doc in corpusDocs)
    cells = [f"{fmt(total(wall, 'vellumine'))} ({fmt(total(cpu, 'vellumine'))})"]
    for p in peers:
        cells.append(f"{fmt(total(wall, p))} ({fmt(total(cpu, p))}) {total(wall, p) / total(wall, 'vellumine'):.0f}x "
                     f"({total(cpu, p) / total(cpu, 'vellumine'):.0f}x)")
    print(f"| corpus, {len(corpusDocs)} files, sum | " + " | ".join(cells) + " |")
    cells = ["-"]
    for p in peers:
        ratios = sorted((ratio(wall, d, p), os.path.basename(d)) for d in corpusDocs if (d, p) not in failed)
        slower = sum(1 for r, _ in ratios if r < 1)
        nfail = sum(1 for d in corpusDocs if (d, p) in failed)
        cells.append(f"min {ratios[0][0]:.1f}x ({ratios[0][1]}), median {statistics.median(r for r, _ in ratios):.1f}x; "
                     f"faster than us on {slower}; failed on {nfail}")
    print("| corpus, per file (a peer's failures left out) | " + " | ".join(cells) + " |")
    oursFailed = [os.path.basename(d) for d in corpusDocs if (d, "vellumine") in failed]
    if oursFailed:
        print("\nvellumine-convert failed on: " + ", ".join(oursFailed))
EOF
