#!/usr/bin/env python3
"""End-to-end run of the real Tarvo on Wayland: a headless Weston compositor
and a private session bus, no X server at all.

The headless compositor has no input devices, so the script works the window
the way a screen reader does, through the accessibility bus (AT-SPI): it
reads the windows' names and triggers menu commands. Checked:

1. Started with a 100-entry playlist, Tarvo plays the first entry on the
   wav: output: the caption names it and the WAV file fills.
2. The find window and the preferences open from their menu commands, and
   the program plays on.
3. "-quit" ends it with its playlist saved, all 100 entries.
4. Its standard error holds no warning.

Usage: wayland_e2e.py --tarvo PATH_TO_BINARY  (run by the system's python3,
which has python3-dbus)
"""

import os
import subprocess
import sys

from accessibility import Accessibility, start_session_bus
from harness import LIMIT_S, check, desktop_session_env, run_script, wait_until

ENTRIES = 100
SOCKET = "tarvo-e2e"


def start_weston(runtime, processes):
    weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=" + SOCKET, "--idle-time=0"],
                              env=dict(os.environ, XDG_RUNTIME_DIR=runtime), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    processes.append(weston)
    wait_until(lambda: os.path.exists(os.path.join(runtime, SOCKET)), "the compositor's socket")


def make_playlist(root):
    tone = os.path.join(root, "tone.wav")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", tone, "synth", "60", "sine", "441",
                    "gain", "-6"], check=True, timeout=60)
    playlist = os.path.join(root, "list.m3u")
    with open(playlist, "w") as lines:
        for number in range(1, ENTRIES + 1):
            entry = os.path.join(root, "tone%03d.wav" % number)
            os.link(tone, entry)
            lines.write(entry + "\n")
    return playlist


def wayland_env(root, bus_address, heard):
    env = desktop_session_env(root, "")
    del env["DISPLAY"]
    env.update({
        "WAYLAND_DISPLAY": SOCKET,
        "QT_QPA_PLATFORM": "wayland",
        "DBUS_SESSION_BUS_ADDRESS": bus_address,
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        # Qt 6.4's Wayland text input dereferences a missing seat when a text
        # field shows its cursor, and the headless compositor has no seat.
        "QT_IM_MODULE": "none",
        "TARVO_AUDIO_OUTPUT": "wav:" + heard,
    })
    return env


def saved_entries(home):
    try:
        with open(os.path.join(home, "Playlist.txt"), "rb") as saved:
            return [line for line in saved.read().decode().splitlines() if line.endswith(".wav")]
    except FileNotFoundError:
        return []


def run_checks(tarvo, root, processes):
    bus_address = start_session_bus(processes)
    heard = os.path.join(root, "heard.wav")
    env = wayland_env(root, bus_address, heard)
    start_weston(env["XDG_RUNTIME_DIR"], processes)
    playlist = make_playlist(root)
    accessibility = Accessibility(bus_address)
    errors_path = os.path.join(root, "stderr.txt")
    with open(errors_path, "w") as errors:
        program = subprocess.Popen([tarvo, playlist], env=env, cwd=root, stdout=subprocess.DEVNULL, stderr=errors)
    processes.append(program)

    application = wait_until(lambda: accessibility.application("Tarvo"), "Tarvo on the accessibility bus")
    wait_until(lambda: any(name.startswith("tone001.wav") for name in accessibility.window_names(application)),
               "the caption of the first entry")
    wait_until(lambda: os.path.exists(heard) and os.path.getsize(heard) > 44100 * 4, "a second of sound")
    check(True, "a 100-entry list starts on Wayland and plays its first entry on the wav: output")

    # Both are modal: the nested event loop of each must keep the program
    # answering and playing. (Qt 6.4 lists no dialog on the accessibility
    # bus, so their windows can't be counted here.)
    for item in ("검색(F)...", "설정(S)..."):
        accessibility.trigger(application, item)
        size = os.path.getsize(heard)
        wait_until(lambda: os.path.getsize(heard) > size + 44100 * 4 and accessibility.window_names(application),
                   "the program playing on after %s" % item)
    check(program.poll() is None, "the find window and the preferences open without a fault")

    quitting = subprocess.run([tarvo, "-quit"], env=env, cwd=root, timeout=LIMIT_S, capture_output=True)
    check(quitting.returncode == 0 and program.wait(timeout=LIMIT_S) == 0, "-quit ends the instance")
    check(len(saved_entries(env["TARVO_HOME"])) == ENTRIES, "the playlist is saved with its 100 entries")
    with open(errors_path) as errors:
        written = [line for line in errors.read().splitlines() if line.strip()]
    check(not written, "nothing on standard error (%s)" % written)


def main():
    return run_script(__doc__, "wayland", ("weston", "dbus-daemon", "sox"), run_checks)


if __name__ == "__main__":
    sys.exit(main())
