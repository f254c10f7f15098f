#!/usr/bin/env python3
"""Start-up cost of the game beside a minimal Qt window, on the X server in DISPLAY.

For each program: time from process start to its first painted frame (median of several runs),
peak resident memory (VmHWM), and CPU used while idle over a fixed span. Run it under Xvfb; see
startup_and_pace.sh.
"""
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = int(os.environ.get("KENO_BENCH_RUNS", "5"))
IDLE_SECONDS = float(os.environ.get("KENO_BENCH_IDLE_SECONDS", "10"))
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def launch(program, config):
    env = dict(os.environ, KENO_BENCH_FIRST_FRAME="1", XDG_CONFIG_HOME=config,
               XDG_DATA_HOME=os.path.join(config, "data"), SDL_AUDIODRIVER="dummy")
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


def measure(program):
    firsts = []
    with tempfile.TemporaryDirectory() as config:
        for _ in range(RUNS):
            proc, first = launch(program, config)
            firsts.append(first)
            stop(proc)
        proc, _ = launch(program, config)
        time.sleep(1.0)  # let start-up work (sound bank, first timers) finish
        before = cpu_ticks(proc.pid)
        time.sleep(IDLE_SECONDS)
        idle = (cpu_ticks(proc.pid) - before) / TICKS / IDLE_SECONDS * 100.0
        rss = peak_rss_kib(proc.pid) / 1024.0
        stop(proc)
    return {"first": statistics.median(firsts) * 1000.0, "rss": rss, "idle": idle}


def main():
    game, minimal = sys.argv[1], sys.argv[2]
    g = measure(game)
    m = measure(minimal)
    rows = [
        ("first painted frame (ms, median of %d)" % RUNS, "first", "%.0f"),
        ("peak RSS (MiB)", "rss", "%.1f"),
        ("idle CPU over %.0f s (%% of a core)" % IDLE_SECONDS, "idle", "%.2f"),
    ]
    print("%-40s %12s %12s %8s" % ("", "keno22", "minimal Qt", "ratio"))
    for label, key, fmt in rows:
        ratio = g[key] / m[key] if m[key] > 0 else float("nan")
        print("%-40s %12s %12s %8.2f" % (label, fmt % g[key], fmt % m[key], ratio))


if __name__ == "__main__":
    main()
