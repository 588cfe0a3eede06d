#!/usr/bin/env python3
"""End-to-end run of the window and its tray icon under a window manager.

Under Xvfb with openbox and the XEmbed notification area trayer, ten rounds
of: F11 sends the window to the tray, where its icon docks (a window of
Tarvo's inside trayer's panel); a second start brings the window back and
ends at once. Then, with the window minimised and then behind another
window, a second start brings it back to the front each time; --help,
--version and an unknown option answer without touching the instance.

Usage: tray_e2e.py --tarvo PATH_TO_BINARY
"""

import re
import subprocess
import sys
import time

from harness import LIMIT_S, CheckFailed, check, desktop_session_env, run_script, start_xvfb, wait_until

ROUNDS = 10
CAPTION = "Tarvo 1.04b"


def tree(env):
    return subprocess.run(["xwininfo", "-root", "-tree"], env=env, capture_output=True, text=True,
                          timeout=10).stdout


def docked_icons(env):
    """Tarvo's windows inside trayer's panel: the docked tray icons."""
    lines = tree(env).splitlines()
    for number, line in enumerate(lines):
        if '("panel" "trayer")' not in line:
            continue
        indent = len(line) - len(line.lstrip())
        count = 0
        for inner in lines[number + 1:]:
            if inner.strip() and len(inner) - len(inner.lstrip()) <= indent:
                break
            if '("tarvo" "Tarvo")' in inner:
                count += 1
        return count
    return 0


def map_state(env, window):
    info = subprocess.run(["xwininfo", "-id", window], env=env, capture_output=True, text=True, timeout=10).stdout
    found = re.search(r"Map State: (\w+)", info)
    return found.group(1) if found else None


def active_window(env):
    found = subprocess.run(["xdotool", "getactivewindow"], env=env, capture_output=True, text=True, timeout=10)
    return found.stdout.strip()


def second_start(tarvo, env, root):
    started = subprocess.run([tarvo], env=env, cwd=root, timeout=LIMIT_S,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    check(started.returncode == 0, "a second start ends at once")


def run_checks(tarvo, root, env, processes):
    processes.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    time.sleep(0.5)
    processes.append(subprocess.Popen(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                                       "--width", "200", "--heighttype", "pixel", "--height", "24"],
                                      env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    wait_until(lambda: '("panel" "trayer")' in tree(env), "trayer's panel")
    program = subprocess.Popen([tarvo], env=env, cwd=root, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    processes.append(program)

    def main_window():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % CAPTION], env=env,
                               capture_output=True, text=True)
        return found.stdout.split()[0] if found.stdout.split() else None

    window = wait_until(main_window, "the window")
    for round_number in range(1, ROUNDS + 1):
        subprocess.run(["xdotool", "windowactivate", "--sync", window], env=env, check=True, timeout=10)
        # To the focused window through the X server: a key sent to a window
        # with --window is released by a synthetic event once the window has
        # lost the focus, which leaves the key down in the server.
        subprocess.run(["xdotool", "key", "F11"], env=env, check=True, timeout=10)
        try:
            wait_until(lambda: map_state(env, window) == "IsUnMapped" and docked_icons(env) == 1,
                       "the window in the tray")
        except CheckFailed:
            raise CheckFailed("round %d: window %s, %d tray icons" % (round_number, map_state(env, window),
                                                                     docked_icons(env)))
        second_start(tarvo, env, root)
        wait_until(lambda: map_state(env, window) == "IsViewable", "round %d: the window back" % round_number)
        # The icon goes a moment after the window is back.
        wait_until(lambda: docked_icons(env) == 0, "round %d: the icon gone" % round_number)
    check(True, "%d rounds: F11 docks the icon each time, a second start brings the window back" % ROUNDS)

    subprocess.run(["xdotool", "windowminimize", "--sync", window], env=env, check=True, timeout=10)
    wait_until(lambda: map_state(env, window) == "IsUnMapped", "the window minimised")
    second_start(tarvo, env, root)
    wait_until(lambda: map_state(env, window) == "IsViewable" and active_window(env) == window,
               "the minimised window in front")
    check(True, "a second start brings a minimised window back")

    processes.append(subprocess.Popen(["xlogo"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

    def other_window():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^xlogo$"], env=env,
                               capture_output=True, text=True)
        return found.stdout.split()[0] if found.stdout.split() else None

    other = wait_until(other_window, "another window")
    subprocess.run(["xdotool", "windowactivate", "--sync", other], env=env, check=True, timeout=10)
    second_start(tarvo, env, root)
    wait_until(lambda: active_window(env) == window, "the window in front of the other")
    check(True, "a second start brings the window from behind another one to the front")

    # Questions to the command line are answered without the instance.
    answers = {}
    for option in ("--help", "--version", "--frobnicate"):
        answers[option] = subprocess.run([tarvo, option], env=env, cwd=root, timeout=LIMIT_S,
                                         capture_output=True, text=True)
    check(answers["--help"].returncode == 0 and "-quit" in answers["--help"].stdout, "--help prints the usage")
    check(answers["--version"].returncode == 0 and answers["--version"].stdout.strip() == CAPTION,
          "--version prints the version")
    check(answers["--frobnicate"].returncode == 2 and "Usage" in answers["--frobnicate"].stderr,
          "an unknown option prints the usage to standard error and exits 2")
    check(active_window(env) == window and program.poll() is None, "the running window is left as it was")

    quitting = subprocess.run([tarvo, "-quit"], env=env, cwd=root, timeout=LIMIT_S,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    check(quitting.returncode == 0 and program.wait(timeout=LIMIT_S) == 0, "-quit ends the instance")


def checks_on_a_display(tarvo, root, processes):
    _, display = start_xvfb(processes, "1280x1024x24")
    run_checks(tarvo, root, desktop_session_env(root, display), processes)


def main():
    return run_script(__doc__, "tray", ("Xvfb", "xdotool", "xwininfo", "xlogo", "openbox", "trayer"),
                      checks_on_a_display)


if __name__ == "__main__":
    sys.exit(main())
