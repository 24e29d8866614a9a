#!/usr/bin/env python3
"""What the board costs while it has nothing to do: CPU time and wake-ups.

    bench/idle.py [--binary build/bin/assi] [--seconds 120] [--warmup 15]

Runs the board on the demo database, on a virtual X screen (Xvfb) of its
own, with no paging and a refresh
period longer than the run, lets it settle, then counts over the run the CPU
time (user + system, every thread) and the wake-ups (context switches, every
thread) and prints them per minute, by thread name.
"""
import argparse
import os
import pathlib
import re
import signal
import subprocess
import sys
import tempfile
import time

def threads(pid):
    out = {}
    for task in pathlib.Path(f"/proc/{pid}/task").iterdir():
        try:
            stat = (task / "stat").read_text()
            status = (task / "status").read_text()
            schedstat = (task / "schedstat").read_text()
        except OSError:
            continue
        name = stat[stat.index("(") + 1 : stat.rindex(")")]
        # Time on a CPU in nanoseconds: finer than the clock ticks of stat.
        cpu = int(schedstat.split()[0]) / 1e9
        switches = sum(
            int(m) for m in re.findall(r"(?:non)?voluntary_ctxt_switches:\s+(\d+)", status)
        )
        out[task.name] = (name, cpu, switches)
    return out


def settings_for_idle(path):
    text = path.read_text(encoding="utf-8")
    text = re.sub(r"(?m)^QuantosMinutos=.*$", "QuantosMinutos=600", text)
    text = re.sub(r"(?m)^SegundosPorPagina=.*$", "SegundosPorPagina=0", text)
    path.write_text(text, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", default="build/bin/assi")
    parser.add_argument("--seconds", type=float, default=120)
    parser.add_argument("--warmup", type=float, default=15)
    parser.add_argument("--display", type=int, default=97)
    args = parser.parse_args()

    env = dict(os.environ, QT_QPA_PLATFORM="xcb", DISPLAY=f":{args.display}")
    env.pop("WAYLAND_DISPLAY", None)
    screen = subprocess.Popen(["Xvfb", f":{args.display}", "-screen", "0", "1920x1080x24",
                               "-nolisten", "tcp"], stderr=subprocess.DEVNULL)
    time.sleep(1)
    with tempfile.TemporaryDirectory() as base:
        env["XDG_RUNTIME_DIR"] = base
        # --demo writes the database and its settings; the run then reads them as a site would.
        subprocess.run([args.binary, "--demo", "--base-dir", base, "--dump"], env=env,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        settings_for_idle(pathlib.Path(base, "zelvio", "OTK.zlv"))
        board = subprocess.Popen([args.binary, "--base-dir", base, "--fullscreen"], env=env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            time.sleep(args.warmup)
            before = threads(board.pid)
            time.sleep(args.seconds)
            after = threads(board.pid)
        finally:
            board.send_signal(signal.SIGTERM)
            board.wait(10)
            screen.terminate()
            screen.wait(10)

    per_minute = 60.0 / args.seconds
    total_cpu = total_wakeups = 0.0
    print(f"{'thread':<20} {'CPU ms/min':>10} {'wake-ups/min':>13}")
    for tid, (name, cpu, switches) in sorted(after.items()):
        cpu0, switches0 = before.get(tid, (name, 0.0, 0))[1:]
        cpu_ms = (cpu - cpu0) * 1000 * per_minute
        wakeups = (switches - switches0) * per_minute
        total_cpu += cpu_ms
        total_wakeups += wakeups
        if cpu_ms >= 0.05 or wakeups:
            print(f"{name:<20} {cpu_ms:>10.2f} {wakeups:>13.1f}")
    print(f"{'all threads':<20} {total_cpu:>10.2f} {total_wakeups:>13.1f}")
    print(f"(over {args.seconds:.0f} s)")


if __name__ == "__main__":
    sys.exit(main())
