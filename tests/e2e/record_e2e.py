#!/usr/bin/env python3
"""The real Tarvo program recording a real radio station with the pre-record cache.

Icecast 2 fed by ezstream (as in radio_e2e.py) sends a station; the program runs
under Xvfb with the WAV output, the cache on (9 seconds) and the station as its
argument. Once 8 seconds are heard, numeric-pad "*" is pressed on the X keyboard
and the question answered; 3 seconds later "*" again stops the station, and the
save question and the save dialog are answered with a file name. Checked: the
saved WAV file is complete (its size fields), holds what was heard, and starts
before the moment "*" was pressed; the temporary files are gone. Every process
started here is stopped at the end, also when a check fails.

Usage: record_e2e.py --tarvo PATH_TO_BINARY
"""

import os
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import CheckFailed, check, run_script, start_xvfb, wait_until  # noqa: E402
from radio_e2e import start_station  # noqa: E402

RATE = 44100
SECOND = RATE * 4


def heard_bytes(path):
    """The sample bytes the WAV output holds so far."""
    try:
        return max(os.path.getsize(path) - 44, 0)
    except OSError:
        return 0


def xdotool(display, *arguments):
    return subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=display),
                          capture_output=True, text=True, timeout=20)


def find_window(display, name):
    """The newest visible window named `name` (a regular expression)."""
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        ids = xdotool(display, "search", "--onlyvisible", "--name", name).stdout.split()
        if ids:
            return ids[-1]
        time.sleep(0.2)
    shown = [xdotool(display, "getwindowname", window).stdout.strip()
             for window in xdotool(display, "search", "--name", ".").stdout.split()]
    raise CheckFailed("timed out waiting for a window named %r; shown: %s" % (name, shown))


def press_in(display, name, *keys):
    """Focuses the window named `name` and presses `keys` there."""
    window = find_window(display, name)
    xdotool(display, "windowfocus", "--sync", window)
    for key in keys:
        xdotool(display, "key", "--window", window, key)
        time.sleep(0.3)


def type_in(display, name, text):
    """Replaces the focused field's text in the window named `name` and
    presses Return."""
    window = find_window(display, name)
    xdotool(display, "windowfocus", "--sync", window)
    xdotool(display, "key", "--window", window, "ctrl+a")
    xdotool(display, "type", "--window", window, "--delay", "20", text)
    time.sleep(0.3)
    xdotool(display, "key", "--window", window, "Return")


def run_checks(tarvo, root, processes):
    # A sweep, so that no stretch of the station repeats within the loop.
    _, url = start_station(root, processes, ("30", "sine", "300-3000"))
    _, display = start_xvfb(processes)

    home = os.path.join(root, "home")
    runtime = os.path.join(root, "run")
    temps = os.path.join(root, "temps")
    for folder in (home, runtime, temps):
        os.makedirs(folder, mode=0o700)
    with open(os.path.join(home, "Tarvo.ini"), "w") as ini:
        ini.write("[General]\nRecordAhead=1\nRecordSecAhead=9\nRecordTempPath=%s/\n[Recording]\nCachingTime=9\n"
                  % temps)
    heard = os.path.join(root, "heard.wav")
    saved = os.path.join(root, "saved.wav")
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", TARVO_HOME=home,
               TARVO_AUDIO_OUTPUT="wav:" + heard, XDG_RUNTIME_DIR=runtime,
               XDG_CONFIG_HOME=os.path.join(root, "config"), XDG_DATA_HOME=os.path.join(root, "data"))
    log = open(os.path.join(root, "tarvo.log"), "wb")
    processes.append(subprocess.Popen([tarvo, url], env=env, cwd=root, stdout=log, stderr=log))

    wait_until(lambda: heard_bytes(heard) >= 8 * SECOND, "eight seconds of the station heard", 40)
    press = heard_bytes(heard)
    press_in(display, " - Tarvo$", "KP_Multiply")
    press_in(display, "^Tarvo$", "y")
    wait_until(lambda: heard_bytes(heard) >= press + 3 * SECOND, "three seconds heard of the recording", 20)
    press_in(display, " - Tarvo$", "KP_Multiply")
    press_in(display, "^Tarvo$", "y")
    type_in(display, "Save", saved)
    wait_until(lambda: os.path.exists(saved), "the saved WAV file", 20)
    press_in(display, "^Tarvo$", "Return")

    data = open(saved, "rb").read()
    riff, = struct.unpack_from("<I", data, 4)
    size, = struct.unpack_from("<I", data, 40)
    check(riff == len(data) - 8 and size == len(data) - 44, "the saved file's size fields are right")
    recorded = data[44:]
    listened = open(heard, "rb").read()[44:]
    start = listened.find(recorded[:16384])
    check(start >= 0, "the recording is what was heard")
    both = min(len(recorded), len(listened) - start)
    check(both > SECOND and recorded[:both] == listened[start:start + both],
          "the recording equals what was heard over %.1f s" % (both / SECOND))
    check(start < press - 2 * SECOND, "the recording starts %.1f s before the press" % ((press - start) / SECOND))
    leftover = [name for _, _, names in os.walk(temps) for name in names]
    check(not leftover, "the temporary files are gone (%s)" % leftover)


def main():
    return run_script(__doc__, "record", ("icecast2", "ezstream", "Xvfb", "xdotool", "sox", "lame"), run_checks)


if __name__ == "__main__":
    sys.exit(main())
