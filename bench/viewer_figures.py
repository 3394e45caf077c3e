#!/usr/bin/env python3
"""Start-up, open and memory figures of the viewer under Xvfb.

    bench/viewer_figures.py BUILD_DIR DOCUMENT [RUNS]

BUILD_DIR is configured with -DVELLUMINE_BENCH=ON -DVELLUMINE_GUI=ON.  Each run starts
bench/viewer_timing (the window as the viewer starts it) on a private Xvfb display, and samples
the memory of the program and all its child processes (the web engine's) every 20 ms.  Prints
the median start-up time (launch to the first page shown), the median open time (loadDocument
to the document's page shown) and the peak memory: the sum of proportional set sizes (shared
pages divided among the processes that share them) and, for reference, of resident set sizes.
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path


def descendants(pid):
    children = {}
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            stat = (entry / "stat").read_text()
        except OSError:
            continue
        parent = int(stat[stat.rindex(")") + 2:].split()[1])
        children.setdefault(parent, []).append(int(entry.name))
    found, todo = [], [pid]
    while todo:
        current = todo.pop()
        found.append(current)
        todo.extend(children.get(current, []))
    return found


def memory_kb(pids):
    pss = rss = 0
    for pid in pids:
        try:
            for line in Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
                if line.startswith("Pss:"):
                    pss += int(line.split()[1])
                elif line.startswith("Rss:"):
                    rss += int(line.split()[1])
        except OSError:
            pass
    return pss, rss


def run_once(build, document, env):
    env = dict(env, VELLUMINE_LAUNCH_NS=str(time.time_ns()))
    program = [str(build / "bench" / "viewer_timing"), str(build / "src" / "app" / "ui"), document]
    process = subprocess.Popen(program, env=env, stdout=subprocess.PIPE, text=True)
    peak_pss = peak_rss = 0
    while process.poll() is None:
        pss, rss = memory_kb(descendants(process.pid))
        peak_pss, peak_rss = max(peak_pss, pss), max(peak_rss, rss)
        time.sleep(0.02)
    output = dict(line.split() for line in process.stdout.read().splitlines() if line.strip())
    if process.returncode != 0:
        sys.exit(f"viewer_timing failed with status {process.returncode}")
    return float(output["startup_ms"]), float(output["open_ms"]), peak_pss, peak_rss


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    build, document = Path(sys.argv[1]).resolve(), sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 7
    display = ":" + str(90 + os.getpid() % 9)
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(1)
        with tempfile.TemporaryDirectory() as home:
            env = dict(os.environ, DISPLAY=display, XDG_CACHE_HOME=home, XDG_STATE_HOME=home)
            env.pop("QT_QPA_PLATFORM", None)
            if os.geteuid() == 0:
                env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
            results = [run_once(build, document, env) for _ in range(runs)]
    finally:
        xvfb.terminate()
        xvfb.wait()
    startup = statistics.median(r[0] for r in results)
    opening = statistics.median(r[1] for r in results)
    print(f"document: {document}")
    print(f"runs: {runs}")
    print(f"start-up to first page shown: median {startup:.0f} ms "
          f"(min {min(r[0] for r in results):.0f}, max {max(r[0] for r in results):.0f})")
    print(f"open to shown: median {opening:.0f} ms "
          f"(min {min(r[1] for r in results):.0f}, max {max(r[1] for r in results):.0f})")
    print(f"peak memory, all processes: {max(r[2] for r in results) / 1024:.0f} MiB PSS, "
          f"{max(r[3] for r in results) / 1024:.0f} MiB RSS")


if __name__ == "__main__":
    main()
