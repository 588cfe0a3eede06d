#!/usr/bin/env python3
"""The CPU cost of the desktop media controls service while a file plays.

The real program plays a 40-second tone on the null output under Xvfb, in
rounds that alternate between a start on a private session bus (the service
is offered, and a dbus-monitor listens to its signals) and a start without a
bus (no service). Each round measures the process's CPU time (user + system)
over 10 s of steady playing. Prints each side's median share of one core and
their ratio, with the signals the service sent meanwhile.

Usage: mpris_cpu_bench.py --tarvo PATH_TO_BINARY [--rounds N]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from bench_processes import cpu_seconds  # noqa: E402
from harness import start_xvfb  # noqa: E402

MEASURE_S = 10.0
SETTLE_S = 3.0


def one_round(tarvo, root, display, tone, with_bus):
    home = tempfile.mkdtemp(dir=root)
    runtime = tempfile.mkdtemp(dir=root)
    with open(os.path.join(home, "Tarvo.ini"), "w", newline="") as ini:
        ini.write("[General]\r\nPlayMode=3\r\n")
    env = dict(os.environ, DISPLAY=display, TARVO_HOME=home, XDG_RUNTIME_DIR=runtime, TARVO_AUDIO_OUTPUT="null")
    env.pop("QT_QPA_PLATFORM", None)
    monitor = None
    if with_bus:
        signals = os.path.join(home, "signals.txt")
        monitor = subprocess.Popen(["dbus-monitor", "--session", "type='signal',path='/org/mpris/MediaPlayer2'"],
                                   stdout=open(signals, "w"), stderr=subprocess.DEVNULL, env=env)
    else:
        env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + os.path.join(root, "no-bus")
    program = subprocess.Popen([tarvo, tone], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(SETTLE_S)
        before = cpu_seconds(program.pid)
        started = time.monotonic()
        time.sleep(MEASURE_S)
        share = (cpu_seconds(program.pid) - before) / (time.monotonic() - started)
    finally:
        program.kill()
        program.wait()
        if monitor:
            monitor.kill()
            monitor.wait()
    sent = 0
    if with_bus:
        with open(signals) as file:
            sent = sum(1 for line in file if "member=PropertiesChanged" in line or "member=Seeked" in line)
    return share, sent


def measure(arguments):
    root = tempfile.mkdtemp(prefix="tarvo-mpris-bench-")
    xvfb, display = start_xvfb()
    try:
        tone = os.path.join(root, "tone.wav")
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", tone, "synth", "40", "sine", "440",
                        "gain", "-6"], check=True)
        with_service, without, signals = [], [], 0
        for _ in range(arguments.rounds):
            share, sent = one_round(arguments.tarvo, root, display, tone, True)
            with_service.append(share)
            signals += sent
            without.append(one_round(arguments.tarvo, root, display, tone, False)[0])
        on, off = statistics.median(with_service), statistics.median(without)
        def rounds(shares):
            return " ".join("%.2f" % (share * 100) for share in shares)

        print("with the service:    %.2f %% of a core (rounds %s)" % (on * 100, rounds(with_service)))
        print("without the service: %.2f %% of a core (rounds %s)" % (off * 100, rounds(without)))
        print("ratio with/without: %.2f; signals sent: %d in %d rounds (the start of playing is one)" %
              (on / off if off else float("nan"), signals, arguments.rounds))
    finally:
        xvfb.kill()
        xvfb.wait()
        shutil.rmtree(root, ignore_errors=True)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tarvo", required=True)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    arguments = parser.parse_args()
    arguments.tarvo = os.path.abspath(arguments.tarvo)
    if arguments.inside:
        return measure(arguments)
    command = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), "--inside",
               "--tarvo", arguments.tarvo, "--rounds", str(arguments.rounds)]
    return subprocess.run(command, stderr=subprocess.DEVNULL).returncode


if __name__ == "__main__":
    sys.exit(main())
