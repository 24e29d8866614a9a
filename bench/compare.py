#!/usr/bin/env python3
"""Runs two commands in alternating pairs (A B A B ...) and compares them.

Each child's wall time, CPU time (user + system, from wait4) and peak
resident memory (ru_maxrss, the kernel's VmHWM) are taken; printed are the
medians of each, the ratio of the medians (A / B) and the lowest and highest
of the per-pair ratios. Alternating keeps both sides under the same load on
a shared machine, so the ratio is steadier than either time.

  bench/compare.py [-n PAIRS] startup [--size WxH] [--scale N] [--image bmp]
      build/bin/assi --demo --snapshot  vs  build/bin/assi_bare_board --demo --snapshot
  bench/compare.py [-n PAIRS] big ROWS [--size WxH] [--scale N]
      the whole refresh as a process on a database of ROWS requests and ROWS
      orders (built once, kept in the temporary folder): assi --snapshot vs
      assi_bare_board --database ... --snapshot
  bench/compare.py [-n PAIRS] commands 'COMMAND A' 'COMMAND B'
"""

import argparse
import os
import shlex
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

# The day the refresh bench fills its databases around.
BENCH_TODAY = "2026-12-09"


def run_once(command, env):
    """Wall ms, CPU ms and peak resident kB of one run of `command`."""
    with tempfile.TemporaryFile() as errors:
        start = time.perf_counter()
        child = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=errors)
        _, status, usage = os.wait4(child.pid, 0)
        wall = (time.perf_counter() - start) * 1e3
        child.returncode = os.waitstatus_to_exitcode(status)
        if child.returncode != 0:
            errors.seek(0)
            sys.exit("failed (%d): %s\n%s" % (child.returncode, shlex.join(command),
                                                errors.read().decode(errors="replace")))
    return wall, (usage.ru_utime + usage.ru_stime) * 1e3, usage.ru_maxrss


def scaled_env(scale):
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    env.pop("DISPLAY", None)
    if scale:
        # As the board's Escala hands it to Qt.
        env["QT_ENABLE_HIGHDPI_SCALING"] = "0"
        env["QT_SCALE_FACTOR"] = str(scale)
    return env


def compare(name_a, command_a, env_a, name_b, command_b, env_b, pairs, warmup, verbose):
    for _ in range(warmup):
        run_once(command_a, env_a)
        run_once(command_b, env_b)
    runs_a, runs_b = [], []
    for pair in range(pairs):
        runs_a.append(run_once(command_a, env_a))
        runs_b.append(run_once(command_b, env_b))
        if verbose:
            print("pair %2d: A %7.1f ms wall %7.1f ms CPU | B %7.1f ms wall %7.1f ms CPU"
                  % (pair + 1, *runs_a[-1][:2], *runs_b[-1][:2]), flush=True)

    print("A = %s\n    %s" % (name_a, shlex.join(command_a)))
    print("B = %s\n    %s" % (name_b, shlex.join(command_b)))
    print("%d alternating pairs (after %d warm-up pair(s))" % (pairs, warmup))
    for index, what in ((0, "wall"), (1, "CPU")):
        a = statistics.median(run[index] for run in runs_a)
        b = statistics.median(run[index] for run in runs_b)
        ratios = [ra[index] / rb[index] for ra, rb in zip(runs_a, runs_b)]
        print("  %-4s A %8.1f ms  B %8.1f ms  A/B %.2f  (pairs %.2f-%.2f)"
              % (what, a, b, a / b, min(ratios), max(ratios)))
    a = statistics.median(run[2] for run in runs_a) / 1024
    b = statistics.median(run[2] for run in runs_b) / 1024
    print("  peak resident memory (VmHWM) A %.1f MB  B %.1f MB  A/B %.2f" % (a, b, a / b))


def big_database(bare, rows, folder):
    """The demo site with `rows` more requests and orders, built once."""
    database = folder / "zelvio" / "assi-demo.sqlite"
    if not database.exists():
        subprocess.run([str(bare), "--make-database", str(folder), "--rows", str(rows),
                        "--today", BENCH_TODAY], check=True, env=scaled_env(None),
                       stdout=subprocess.DEVNULL)
    return database


def main():
    root = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("-n", "--pairs", type=int, default=31)
    parser.add_argument("--warmup", type=int, default=1, help="pairs run first and not counted")
    parser.add_argument("--build-dir", type=Path, default=root / "build")
    parser.add_argument("-v", "--verbose", action="store_true", help="print every pair")
    presets = parser.add_subparsers(dest="preset", required=True)
    for preset in ("startup", "big"):
        sub = presets.add_parser(preset)
        if preset == "big":
            sub.add_argument("rows", type=int)
        sub.add_argument("--size", help="WxH in device pixels (default: the design size)")
        sub.add_argument("--scale", help="scale factor, as Escala gives it (e.g. 2)")
        sub.add_argument("--image", default="png", help="the snapshot's format: png or bmp")
    sub = presets.add_parser("commands")
    sub.add_argument("a")
    sub.add_argument("b")
    options = parser.parse_args()

    assi = options.build_dir / "bin" / "assi"
    bare = options.build_dir / "bin" / "assi_bare_board"
    work = Path(tempfile.gettempdir()) / ("assi-compare-%d" % os.getuid())
    work.mkdir(exist_ok=True)

    if options.preset == "commands":
        env = scaled_env(None)
        compare("A", shlex.split(options.a), env, "B", shlex.split(options.b), env,
                options.pairs, options.warmup, options.verbose)
        return

    size = ["--size", options.size] if options.size else []
    env = scaled_env(options.scale)
    bare_scale = ["--scale", options.scale] if options.scale else []
    if options.preset == "startup":
        command_a = [str(assi), "--demo", "--base-dir", str(work / "demo"),
                     "--snapshot", str(work / ("assi." + options.image))] + size
        command_b = [str(bare), "--demo", "--snapshot",
                     str(work / ("bare." + options.image))] + size + bare_scale
    else:
        folder = work / ("big-%d" % options.rows)
        database = big_database(bare, options.rows, folder)
        command_a = [str(assi), "--base-dir", str(folder), "--today", BENCH_TODAY,
                     "--snapshot", str(work / ("assi." + options.image))] + size
        command_b = [str(bare), "--database", str(database), "--today", BENCH_TODAY,
                     "--snapshot", str(work / ("bare." + options.image))] + size + bare_scale
    # The bare board sets its own scale from --scale, so it runs without
    # the variables.
    compare("the board", command_a, env, "the bare Qt board", command_b, scaled_env(None),
            options.pairs, options.warmup, options.verbose)


if __name__ == "__main__":
    main()
