#!/usr/bin/env python3
"""The records file at size: one save and start-up with a large settings file.

Writes a settings file of about SIZE_MB megabytes (the six player records plus many sections of
other keys, as a file grown by hand or by another program might be), then prints:
- the first read of slot 1 and one save of its record through the store (bench/records_save);
- the game's start-up to its first painted frame, and its shut-down on SIGTERM (which saves the
  record), with that file and with a small one, on the X server in DISPLAY (run under Xvfb).
"""
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = int(os.environ.get("KENO_BENCH_RUNS", "3"))
SIZE_MB = float(os.environ.get("KENO_BENCH_SETTINGS_MB", "40"))


def write_settings(path, megabytes):
    with open(path, "w") as f:
        for slot in range(1, 7):
            f.write(f"[player{slot}]\namountinvested={100 * slot}\nbank={80 * slot}\ncoinsbet=2\n"
                    f"currentplayer=Player {slot}\ngames={slot}\nreelspeed=1\ntotal={30 * slot}\n"
                    f"wager={40 * slot}\n\n")
        value = "x" * 80
        section = 0
        while f.tell() < megabytes * 1024 * 1024:
            f.write(f"[notes{section}]\n")
            for key in range(1000):
                f.write(f"note{key}={value} {section}.{key}\n")
            f.write("\n")
            section += 1


def launch(program, config):
    env = dict(os.environ, KENO_BENCH_FIRST_FRAME="1", XDG_CONFIG_HOME=config, SDL_AUDIODRIVER="dummy",
               XDG_RUNTIME_DIR=os.path.join(config, "run"))
    env.pop("QT_QPA_PLATFORM", None)
    env.pop("WAYLAND_DISPLAY", None)
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
    start = time.monotonic()  # CLOCK_MONOTONIC, the clock the program prints
    proc = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
    for line in proc.stdout:
        if line.startswith("first-frame "):
            return proc, float(line.split()[1]) - start
    raise RuntimeError(f"{program} ended without painting (status {proc.wait()})")


def quit_time(proc):
    start = time.monotonic()
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=120)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
        return float("inf")
    return time.monotonic() - start


def measure_game(program, settings):
    firsts, quits = [], []
    for _ in range(RUNS):
        with tempfile.TemporaryDirectory() as config:
            os.makedirs(os.path.join(config, "plinx"))
            shutil.copy(settings, os.path.join(config, "plinx", "keno22.ini"))
            proc, first = launch(program, config)
            time.sleep(0.5)
            firsts.append(first)
            quits.append(quit_time(proc))
    return statistics.median(firsts) * 1000.0, statistics.median(quits) * 1000.0


def main():
    build = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        big, small = os.path.join(work, "big.ini"), os.path.join(work, "small.ini")
        write_settings(big, SIZE_MB)
        write_settings(small, 0)
        print(f"settings file: {os.path.getsize(big) / 1e6:.1f} MB, runs: {RUNS}")
        print("== through the store (%s MB file)" % round(SIZE_MB))
        subprocess.run([os.path.join(build, "bench", "records_save"), big, str(RUNS)], check=True)
        print("== the game (Xvfb)")
        print("%-40s %12s %12s" % ("", f"{round(SIZE_MB)} MB file", "small file"))
        big_first, big_quit = measure_game(os.path.join(build, "keno22"), big)
        small_first, small_quit = measure_game(os.path.join(build, "keno22"), small)
        print("%-40s %12.0f %12.0f" % ("first painted frame (ms, median)", big_first, small_first))
        print("%-40s %12.0f %12.0f" % ("SIGTERM to exit, record saved (ms, median)", big_quit, small_quit))


if __name__ == "__main__":
    main()
