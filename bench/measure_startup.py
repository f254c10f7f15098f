#!/usr/bin/env python3
"""Start-up cost of the game beside a minimal Qt window, on the X server in DISPLAY.

The two programs are started alternately (KENO_BENCH_RUNS times each) so that both see the same
load: time from process start to the first painted frame, median of the runs. Then each is left
open alone in turn (two copies would share their library pages and hide them from each other's
unique memory): CPU used while idle over KENO_BENCH_IDLE_SECONDS, peak and unique memory
(Private_Clean + Private_Dirty of smaps_rollup) and the shared libraries mapped. Libraries are
also counted as the dynamic linker resolves them at start (ldd). Run it under Xvfb; see
startup_and_pace.sh. Lines starting "row:" are collected for the summary there.
"""
import os
import re
import signal
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = int(os.environ.get("KENO_BENCH_RUNS", "15"))
IDLE_SECONDS = float(os.environ.get("KENO_BENCH_IDLE_SECONDS", "20"))
SETTLE_SECONDS = 2.0  # start-up work after the first frame (sound device, first timers) ends
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """CPU time of the whole process, threads that have ended included (the sound device's
    thread ends when silence closes it), in clock ticks of 10 ms."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def status_kib(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def rollup_kib(pid):
    fields = {}
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2 and parts[0].endswith(":"):
                fields[parts[0][:-1]] = int(parts[1])
    return fields


def unique_kib(pid):
    fields = rollup_kib(pid)
    return fields.get("Private_Clean", 0) + fields.get("Private_Dirty", 0)


SHARED_OBJECT = re.compile(r"\.so(\.[0-9.]+)?$")


def shared_libraries(pid):
    names = set()
    with open(f"/proc/{pid}/maps") as f:
        for line in f:
            parts = line.split(None, 5)
            if len(parts) == 6 and SHARED_OBJECT.search(parts[5].strip()):
                names.add(parts[5].strip())
    return sorted(names)


def linked_libraries(program):
    out = subprocess.run(["ldd", program], capture_output=True, text=True).stdout
    return len([line for line in out.splitlines() if line.strip()])


def launch(program, config):
    env = dict(os.environ, KENO_BENCH_FIRST_FRAME="1", XDG_CONFIG_HOME=config,
               XDG_DATA_HOME=os.path.join(config, "data"))
    env.setdefault("SDL_AUDIODRIVER", "dummy")
    env.pop("QT_QPA_PLATFORM", None)
    start = time.monotonic()  # CLOCK_MONOTONIC, the clock the program prints
    proc = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
    for line in proc.stdout:
        if line.startswith("first-frame "):
            return proc, float(line.split()[1]) - start
    raise RuntimeError(f"{program} ended without painting (status {proc.wait()})")


def stop(proc):
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def main():
    programs = {"game": sys.argv[1], "minimal": sys.argv[2]}
    # A program just built sits in the page cache as written pages, which count as private dirty
    # memory in its mapping until they reach the disk.
    os.sync()
    firsts = {name: [] for name in programs}
    with tempfile.TemporaryDirectory() as game_config, tempfile.TemporaryDirectory() as minimal_config:
        configs = {"game": game_config, "minimal": minimal_config}
        for run in range(RUNS):
            # Alternate which goes first, so neither always follows the other's exit.
            order = ["game", "minimal"] if run % 2 == 0 else ["minimal", "game"]
            for name in order:
                proc, first = launch(programs[name], configs[name])
                firsts[name].append(first * 1000.0)
                stop(proc)

        figures = {}
        for name in ["game", "minimal"]:
            proc = launch(programs[name], configs[name])[0]
            time.sleep(SETTLE_SECONDS)
            before = cpu_seconds(proc.pid)
            time.sleep(IDLE_SECONDS)
            figures[name] = {
                "idle": (cpu_seconds(proc.pid) - before) / IDLE_SECONDS * 100.0,
                "mapped": len(shared_libraries(proc.pid)),
                "libs": linked_libraries(programs[name]),
                "rss": status_kib(proc.pid, "VmHWM") / 1024.0,
                "unique": unique_kib(proc.pid) / 1024.0,
                # Library pages count as private clean only while no other process maps them, so
                # the unique figure moves with what else runs; the dirty part does not.
                "dirty": rollup_kib(proc.pid).get("Private_Dirty", 0) / 1024.0,
                "first": statistics.median(firsts[name]),
            }
            if name == "game" and os.environ.get("KENO_BENCH_LIST_LIBRARIES"):
                for lib in shared_libraries(proc.pid):
                    print("  lib", lib)
            stop(proc)

    g, m = figures["game"], figures["minimal"]
    pair_ratios = [a / b for a, b in zip(firsts["game"], firsts["minimal"])]
    rows = [
        ("first painted frame (ms, median of %d)" % RUNS, "first", "%.0f"),
        ("shared libraries linked at start (ldd)", "libs", "%d"),
        ("shared libraries mapped once idle", "mapped", "%d"),
        ("peak RSS (MiB)", "rss", "%.1f"),
        ("unique memory, private clean+dirty (MiB)", "unique", "%.1f"),
        ("  of which private dirty (MiB)", "dirty", "%.1f"),
        ("idle CPU over %.0f s (%% of a core)" % IDLE_SECONDS, "idle", "%.3f"),
    ]
    print("%-44s %10s %12s %8s" % ("", "keno22", "minimal Qt", "ratio"))
    for label, key, fmt in rows:
        ratio = g[key] / m[key] if m[key] > 0 else float("nan")
        print("%-44s %10s %12s %8.2f" % (label, fmt % g[key], fmt % m[key], ratio))
    print("first frames (ms), keno22:  ", " ".join("%.0f" % v for v in firsts["game"]))
    print("first frames (ms), minimal: ", " ".join("%.0f" % v for v in firsts["minimal"]))
    print("median of the per-pair ratios: %.2f" % statistics.median(pair_ratios))
    print("row: first painted frame / minimal Qt window (median of %d alternating) | %.2fx (%.0f / %.0f ms) | <= 1.3x"
          % (RUNS, g["first"] / m["first"], g["first"], m["first"]))
    print("row: shared libraries loaded at start (ldd) | %d (minimal %d; mapped once idle %d / %d) | <= 60"
          % (g["libs"], m["libs"], g["mapped"], m["mapped"]))
    print("row: unique memory / minimal window | %.2fx (%.1f / %.1f MiB, +%.1f MiB) | <= 1.3x"
          % (g["unique"] / m["unique"], g["unique"], m["unique"], g["unique"] - m["unique"]))
    print("row: idle CPU with the window open, %.0f s | %.3f %% (minimal %.3f %%) | <= 0.20 %%"
          % (IDLE_SECONDS, g["idle"], m["idle"]))


if __name__ == "__main__":
    main()
