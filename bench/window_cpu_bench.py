#!/usr/bin/env python3
"""The CPU cost of playing with the real window, against mpv and a bare decode.

The real program runs under Xvfb (no window manager) on a private session bus
and plays a generated MP3 in real time on the null output: pink noise with a
tremolo, so the level meter keeps moving. After a few seconds of settling,
the CPU time (user + system, all threads, from /proc) of the program and of
the X server is taken over the measured time, for these cases:

  style1     the default window: the 6-step meter (no stored settings)
  style2     the 14-step meter
  style0     no meter
  minimised  F11 without a notification area (Qt sees the window minimized);
             then the window is unmapped as a window manager would do
  tray       F11 with a notification area: the program hides its window
             behind the tray icon (Qt sees it hidden)
  covered    the default window under an xlogo window as large as the screen

In the same run, mpv plays the same file (--ao=null, which keeps real time,
--no-video), and mpg123 decodes it as fast as it can with no output: the
bare decode, as CPU time per second of audio. Cases take turns over the
rounds; each prints its median share of one core and its ratio to mpv and to
the bare decode.

Usage: window_cpu_bench.py --tarvo BINARY [--tarvo OTHER_BINARY]
           --tray-stand-in BINARY [--seconds 30] [--rounds 1] [--cases LIST]
"""

import argparse
import os
import resource
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

SETTLE_S = 4.0
# After F11: the window goes away and the meter falls dark.
HIDE_SETTLE_S = 2.0
LIMIT_S = 30.0
CASES = ("style1", "style2", "style0", "minimised", "tray", "covered")
# The extra seconds of sound past the measured time.
SPARE_S = 15


def make_mp3(root, seconds):
    wav = os.path.join(root, "noise.wav")
    mp3 = os.path.join(root, "noise.mp3")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", str(seconds), "pinknoise",
                    "tremolo", "1.3", "80", "gain", "-4"], check=True)
    subprocess.run(["lame", "--quiet", "-b", "128", wav, mp3], check=True)
    os.remove(wav)
    return mp3


def share_over(pids, seconds):
    """The CPU share of one core of each process over the next `seconds`."""
    before = [cpu_seconds(pid) for pid in pids]
    started = time.monotonic()
    time.sleep(seconds)
    after = [cpu_seconds(pid) for pid in pids]
    wall = time.monotonic() - started
    return [(end - start) / wall for start, end in zip(before, after)]


def bare_decode(mp3, seconds_of_audio):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(["mpg123", "-q", "-t", mp3], check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    used = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return used / seconds_of_audio


def mpv_round(mp3, seconds):
    xvfb, _ = start_xvfb()
    player = subprocess.Popen(["mpv", "--no-config", "--ao=null", "--no-video", "--no-terminal", mp3],
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(SETTLE_S)
        return share_over([player.pid, xvfb.pid], seconds)
    finally:
        player.kill()
        player.wait()
        xvfb.kill()
        xvfb.wait()


def xdotool(env, *arguments):
    return subprocess.run(["xdotool", *arguments], env=env, capture_output=True, text=True, timeout=LIMIT_S)


def wait_for_window(env, program, errors):
    deadline = time.monotonic() + LIMIT_S
    while time.monotonic() < deadline and program.poll() is None:
        found = xdotool(env, "search", "--onlyvisible", "--pid", str(program.pid), "--name", "Tarvo").stdout.split()
        if found:
            return found[0]
        time.sleep(0.1)
    if program.poll() is not None:
        errors.seek(0)
        raise RuntimeError("%s ended with %d before its window showed: %s" %
                           (program.args[0], program.returncode, errors.read()[-2000:]))
    raise RuntimeError("the window of %s did not show" % program.args[0])


def press_f11(env, window):
    xdotool(env, "windowfocus", "--sync", window)
    xdotool(env, "key", "--window", window, "F11")


# Each round has an X server of its own, so that no round inherits what an
# earlier one left on it.
def tarvo_round(tarvo, case, mp3, root, env, stand_in, seconds):
    home = tempfile.mkdtemp(dir=root)
    runtime = tempfile.mkdtemp(dir=root)
    with open(os.path.join(home, "Tarvo.ini"), "w", newline="") as ini:
        ini.write("[General]\r\nEnqueueOption=0\r\n")
        if case.startswith("style") and case != "style1":
            ini.write("[Window]\r\nVUStyle=%s\r\n" % case[-1])
    xvfb, display = start_xvfb()
    env = dict(env, DISPLAY=display, TARVO_HOME=home, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"))
    tray = None
    cover = None
    program = None
    errors = tempfile.TemporaryFile("w+")
    try:
        if case == "tray":
            tray = subprocess.Popen([stand_in], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            if tray.stdout.readline().strip() != "ready":
                raise RuntimeError("the notification area stand-in did not start")
        program = subprocess.Popen([tarvo, mp3], env=env, cwd=home, stdout=subprocess.DEVNULL, stderr=errors)
        window = wait_for_window(env, program, errors)
        time.sleep(SETTLE_S)
        if case in ("minimised", "tray"):
            press_f11(env, window)
            if case == "minimised":
                xdotool(env, "windowunmap", "--sync", window)
            time.sleep(HIDE_SETTLE_S)
            if xdotool(env, "search", "--onlyvisible", "--pid", str(program.pid), "--name", "Tarvo").stdout.split():
                raise RuntimeError("the window is still shown in case %s" % case)
        if case == "covered":
            cover = subprocess.Popen(["xlogo", "-geometry", "4000x4000+0+0"], env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(HIDE_SETTLE_S)
        return share_over([program.pid, xvfb.pid], seconds)
    finally:
        for process in (program, cover, tray, xvfb):
            if process:
                process.kill()
                process.wait()
        errors.close()


def percent(share):
    return "%.2f %%" % (share * 100)


def report(label, results, mpv_total, decode):
    program = statistics.median(r[0] for r in results)
    server = statistics.median(r[1] for r in results)
    total = statistics.median(r[0] + r[1] for r in results)
    line = "%-22s %8s + X %7s = %8s   /mpv %.2f   -decode %+.2f %%" % (
        label, percent(program), percent(server), percent(total), total / mpv_total if mpv_total else float("nan"),
        (total - decode) * 100)
    if len(results) > 1:
        line += "   (rounds %s)" % " ".join("%.2f" % ((r[0] + r[1]) * 100) for r in results)
    print(line, flush=True)


def measure(arguments):
    root = tempfile.mkdtemp(prefix="tarvo-window-bench-")
    try:
        audio_seconds = int(SETTLE_S + HIDE_SETTLE_S + arguments.seconds) + SPARE_S
        mp3 = make_mp3(root, audio_seconds)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", TARVO_AUDIO_OUTPUT="null",
                   # The weekly update request at the first start stays on this machine.
                   all_proxy="http://127.0.0.1:9", https_proxy="http://127.0.0.1:9", no_proxy="127.0.0.1,localhost")
        results = {}
        mpv = []
        decode = []
        for _ in range(arguments.rounds):
            decode.append(bare_decode(mp3, audio_seconds))
            mpv.append(mpv_round(mp3, arguments.seconds))
            for number, tarvo in enumerate(arguments.tarvo):
                for case in arguments.cases:
                    results.setdefault((number, case), []).append(
                        tarvo_round(tarvo, case, mp3, root, env, arguments.tray_stand_in, arguments.seconds))
        decode_share = statistics.median(decode)
        mpv_total = statistics.median(r[0] + r[1] for r in mpv)
        print("%d round(s) of %.0f s; %% of one core, program + X server" % (arguments.rounds, arguments.seconds))
        print("%-22s %8s" % ("bare decode (mpg123)", percent(decode_share)))
        report("mpv --ao=null", mpv, mpv_total, decode_share)
        for number, tarvo in enumerate(arguments.tarvo):
            if len(arguments.tarvo) > 1:
                print("-- %s" % tarvo)
            for case in arguments.cases:
                report("tarvo " + case, results[(number, case)], mpv_total, decode_share)
        print("goals: style1 (the default window) /mpv at most 1.0, style0 at most 0.5;"
              " minimised, tray and covered within 0.2 % of the bare decode")
    finally:
        shutil.rmtree(root, ignore_errors=True)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tarvo", required=True, action="append", help="a tarvo binary; give two to compare")
    parser.add_argument("--tray-stand-in", required=True, help="the notification_area_stand_in binary")
    parser.add_argument("--seconds", type=float, default=30.0)
    parser.add_argument("--rounds", type=int, default=1)
    parser.add_argument("--cases", default=",".join(CASES), help="some of: " + ",".join(CASES))
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    arguments = parser.parse_args()
    arguments.cases = [case for case in arguments.cases.split(",") if case]
    unknown = [case for case in arguments.cases if case not in CASES]
    if unknown:
        parser.error("unknown case: " + ", ".join(unknown))
    for tool in ("Xvfb", "xdotool", "xlogo", "mpv", "mpg123", "sox", "lame", "dbus-run-session"):
        if shutil.which(tool) is None:
            print("window_cpu_bench: %s is needed (scripts/setup.sh bench installs it)" % tool)
            return 1
    arguments.tarvo = [os.path.abspath(tarvo) for tarvo in arguments.tarvo]
    arguments.tray_stand_in = os.path.abspath(arguments.tray_stand_in)
    if arguments.inside:
        return measure(arguments)
    # One session bus for the whole run, as on a desktop.
    command = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), "--inside",
               "--tray-stand-in", arguments.tray_stand_in, "--seconds", str(arguments.seconds),
               "--rounds", str(arguments.rounds), "--cases", ",".join(arguments.cases)]
    for tarvo in arguments.tarvo:
        command += ["--tarvo", tarvo]
    return subprocess.run(command).returncode


if __name__ == "__main__":
    sys.exit(main())
