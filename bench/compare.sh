#!/usr/bin/env bash
# Side-by-side conversion speed: vellumine-convert against pandoc, mammoth and LibreOffice, one
# process per document as a user runs them.  The tools take turns on each document (A/B
# interleaved), every document is converted --runs times by each, and the table gives the median
# wall time, the median CPU time (user + system, children included) and each peer's ratio to us.
#
#   bench/compare.sh [--runs N] [--sizes "1 4 16"] [--no-corpus] [--no-generated] [--peers "pandoc mammoth soffice"]
#
# Generated documents hold about 1, 4 and 16 MB of document XML (bench/gen_docx); the corpus is
# ../shared/corpus.  Per-run figures go to $work/runs.tsv.  Installs what it needs first:
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

# --- one conversion, timed ----------------------------------------------------------------------
out=$work/out
convertWith() {
  local tool=$1 docx=$2
  rm -rf "$out" && mkdir -p "$out"
  case "$tool" in
    vellumine) "$ours" "$docx" -o "$out/page.htm" ;;
    pandoc) pandoc -f docx -t html -o "$out/page.html" "$docx" ;;
    mammoth) "$mammoth" "$docx" "$out/page.html" ;;
    soffice) soffice "-env:UserInstallation=$profile" --headless --convert-to html --outdir "$out" "$docx" ;;
  esac
}
export -f convertWith
export ours mammoth profile out

# LibreOffice makes its profile on the first start; that start is not measured.
case " $peers " in *" soffice "*) convertWith soffice "${documents[0]}" >/dev/null 2>&1 || true ;; esac

tsv=$work/runs.tsv
printf 'document\ttool\trun\twall_s\tcpu_s\tpeak_kb\tstatus\n' >"$tsv"
tools=(vellumine $peers)
for ((run = 1; run <= runs; run++)); do
  for docx in "${documents[@]}"; do
    # The order of the tools turns each run, so no tool always follows the same one.
    n=${#tools[@]}
    for ((k = 0; k < n; k++)); do
      tool=${tools[$(((k + run) % n))]}
      status=ok
      timing=$(/usr/bin/time -f '%e %U %S %M' bash -c 'convertWith "$0" "$1" >/dev/null 2>&1' "$tool" "$docx" 2>&1 | tail -1) || status=failed
      read -r wall user sys peak <<<"$timing"
      if [ "$status" = ok ] && [ -z "$(ls -A "$out")" ]; then status=failed; fi
      cpu=$(python3 -c "print(round($user + $sys, 3))")
      printf '%s\t%s\t%d\t%s\t%s\t%s\t%s\n' "$docx" "$tool" "$run" "$wall" "$cpu" "$peak" "$status" >>"$tsv"
    done
  done
  echo "run $run of $runs done" >&2
done

# --- the table ----------------------------------------------------------------------------------
python3 - "$tsv" "$corpusDir" <<'EOF'
import csv, os, statistics, sys
from collections import defaultdict
tsv, corpus = sys.argv[1], os.path.realpath(sys.argv[2])
rows = list(csv.DictReader(open(tsv), delimiter="\t"))
tools = list(dict.fromkeys(r["tool"] for r in rows))
peers = [t for t in tools if t != "vellumine"]
wall, cpu, peak, failed = defaultdict(list), defaultdict(list), defaultdict(list), set()
for r in rows:
    key = (r["document"], r["tool"])
    if r["status"] != "ok":
        failed.add(key)
    wall[key].append(float(r["wall_s"])); cpu[key].append(float(r["cpu_s"])); peak[key].append(int(r["peak_kb"]))
med = lambda d, k: statistics.median(d[k])
docs = list(dict.fromkeys(r["document"] for r in rows))
generated = [d for d in docs if not os.path.realpath(d).startswith(corpus)]
corpusDocs = [d for d in docs if d not in generated]

def fmt(s): return f"{s * 1000:.0f} ms" if s < 10 else f"{s:.1f} s"
print(f"Median of {max(int(r['run']) for r in rows)} runs: wall time (CPU time, user + system); "
      "ratios peer / vellumine-convert on wall (and CPU) time.\n")
head = "| Document | vellumine-convert | " + " | ".join(peers) + " |"
print(head); print("|" + "---|" * (2 + len(peers)))
for d in generated:
    ours = med(wall, (d, "vellumine"))
    cells = [f"{fmt(ours)} ({fmt(med(cpu, (d, 'vellumine')))}), peak {med(peak, (d, 'vellumine')) // 1024} MB"]
    for p in peers:
        w = med(wall, (d, p))
        mark = " failed" if (d, p) in failed else ""
        c = med(cpu, (d, p)) / max(med(cpu, (d, "vellumine")), 0.001)
        cells.append(f"{fmt(w)} ({fmt(med(cpu, (d, p)))}) {w / ours:.0f}x ({c:.0f}x){mark}")
    print(f"| {os.path.basename(d)} | " + " | ".join(cells) + " |")
if corpusDocs:
    total = lambda t: sum(med(wall, (d, t)) for d in corpusDocs)
    totalCpu = lambda t: sum(med(cpu, (d, t)) for d in corpusDocs)
    cells = [f"{fmt(total('vellumine'))} ({fmt(totalCpu('vellumine'))})"]
    for p in peers:
        cells.append(f"{fmt(total(p))} ({fmt(totalCpu(p))}) {total(p) / total('vellumine'):.0f}x "
                     f"({totalCpu(p) / max(totalCpu('vellumine'), 0.001):.0f}x)")
    print(f"| corpus, {len(corpusDocs)} files, sum | " + " | ".join(cells) + " |")
    cells = ["-"]
    for p in peers:
        ratios = [(med(wall, (d, p)) / med(wall, (d, "vellumine")), d) for d in corpusDocs]
        worst = min(ratios)
        slower = sum(1 for r, _ in ratios if r < 1)
        nfail = sum(1 for d in corpusDocs if (d, p) in failed)
        cells.append(f"min {worst[0]:.1f}x ({os.path.basename(worst[1])}), faster than us on {slower}, failed on {nfail}")
    print("| corpus, per file | " + " | ".join(cells) + " |")
    ours_failed = [os.path.basename(d) for d in corpusDocs if (d, "vellumine") in failed]
    if ours_failed:
        print("\nvellumine-convert failed on: " + ", ".join(ours_failed))
EOF
