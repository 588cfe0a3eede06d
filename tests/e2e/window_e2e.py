#!/usr/bin/env python3
"""End-to-end run of the real Tarvo window under Xvfb, with a fresh home folder.

Checked, in one run of the program on the X11 platform and the null output:

1. The default window (no stored size) opens at least 310 x 370 and is kept
   as a screenshot, window_e2e.xwd, in the working folder.
2. Shift+"=" pressed ten times on the real X keyboard raises the volume from
   500 to 510: the key counts, not the "+" it types.
3. "-quit" ends the instance, which stores that volume.

Whether the texts of the default window fit is measured by the window test
window_texts_test; the screenshot is for a person to look at.

Usage: window_e2e.py --tarvo PATH_TO_BINARY
"""

import os
import subprocess
import sys
import time

from harness import LIMIT_S, check, desktop_session_env, run_script, start_xvfb, wait_until

def ini_value(text, key):
    for line in text.replace("\r", "\n").split("\n"):
        name, sep, value = line.partition("=")
        if sep and name.strip() == key:
            return value.strip()
    return None


def run_checks(tarvo, root, env, processes):
    media = os.path.join(root, "tone.mp3")
    wav = os.path.join(root, "tone.wav")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "21", "sine", "441",
                    "gain", "-6"], check=True, timeout=60)
    subprocess.run(["lame", "--quiet", "-b", "128", wav, media], check=True, timeout=60)
    home = env["TARVO_HOME"]
    with open(os.path.join(home, "Tarvo.ini"), "w", newline="") as ini:
        ini.write("[General]\r\nVolume=500\r\nEnqueueOption=0\r\n")

    program = subprocess.Popen([tarvo, media], env=env, cwd=root,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    processes.append(program)

    def window():
        found = subprocess.run(["xdotool", "search", "--name", "tone.mp3 - Tarvo"], env=env,
                               capture_output=True, text=True)
        return found.stdout.split()[0] if found.stdout.split() else None

    window_id = wait_until(window, "the window playing the tone")
    geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window_id], env=env,
                              capture_output=True, text=True, check=True).stdout
    size = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
    width, height = int(size["WIDTH"]), int(size["HEIGHT"])
    print("default window: %d x %d" % (width, height), flush=True)
    check(width >= 310 and height >= 370, "the default window is at least 310 x 370")

    subprocess.run(["xdotool", "windowfocus", "--sync", window_id], env=env, check=True, timeout=10)
    for _ in range(10):
        subprocess.run(["xdotool", "key", "--window", window_id, "shift+equal"], env=env, check=True, timeout=10)
    # The keys are served in order; a last look at the window lets them all in.
    time.sleep(0.5)
    shot = os.path.abspath("window_e2e.xwd")
    subprocess.run(["xwd", "-root", "-silent", "-out", shot], env=env, check=True, timeout=10)
    check(os.path.getsize(shot) > 0, "the screenshot is kept in %s" % shot)

    quitting = subprocess.run([tarvo, "-quit"], env=env, cwd=root, timeout=LIMIT_S,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    check(quitting.returncode == 0, "-quit ends normally")
    check(program.wait(timeout=LIMIT_S) == 0, "the instance ends normally")
    with open(os.path.join(home, "Tarvo.ini"), "rb") as ini:
        volume = ini_value(ini.read().decode("utf-8", "replace"), "Volume")
    check(volume == "510", "ten Shift+= steps raise the volume from 500 to 510 (stored %s)" % volume)


def checks_on_a_display(tarvo, root, processes):
    _, display = start_xvfb(processes, "1280x1024x24")
    run_checks(tarvo, root, desktop_session_env(root, display), processes)


def main():
    return run_script(__doc__, "window", ("Xvfb", "xdotool", "xwd", "sox", "lame"), checks_on_a_display)


if __name__ == "__main__":
    sys.exit(main())
