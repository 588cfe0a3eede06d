#!/usr/bin/env python3
"""End-to-end run of the global hotkeys of the real Tarvo under Xvfb.

"-setglobalhotkeys" presets the media keys next to Play on Ctrl+Alt+P and
Focus Tarvo on Ctrl+Alt+B, which another X client holds before Tarvo starts.
Checked, while another window (xlogo) has the keyboard focus:

1. The start shows no message although one combination can't be had.
2. The media Stop key stops the playing tone: the caption goes back to the
   program's.
3. With Num Lock on, Ctrl+Alt+P plays it again: the caption names the tone.

Usage: hotkeys_e2e.py --tarvo PATH_TO_BINARY
"""

import ctypes
import os
import subprocess
import sys

from harness import LIMIT_S, CheckFailed, check, desktop_session_env, run_script, start_xvfb, wait_until

PLAYING = "tone.wav - Tarvo"
STOPPED = "Tarvo 1.04b"
CONTROL_MASK = 1 << 2
ALT_MASK = 1 << 3
NUM_LOCK_MASK = 1 << 4
GRAB_MODE_ASYNC = 1


class XClient:
    """A connection of this script's own to the X server, through libX11."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XGrabKey.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int,
                                      ctypes.c_int, ctypes.c_int]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            raise CheckFailed("can't connect to the X server %s" % display)
        self.root = self.x11.XDefaultRootWindow(self.display)

    def grab(self, key, modifiers):
        keycode = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(key.encode()))
        self.x11.XGrabKey(self.display, keycode, modifiers, self.root, 0, GRAB_MODE_ASYNC, GRAB_MODE_ASYNC)
        self.x11.XSync(self.display, 0)

    def modifier_state(self):
        unused = ctypes.c_ulong()
        position = ctypes.c_int()
        mask = ctypes.c_uint()
        self.x11.XQueryPointer(self.display, self.root, ctypes.byref(unused), ctypes.byref(unused),
                               ctypes.byref(position), ctypes.byref(position), ctypes.byref(position),
                               ctypes.byref(position), ctypes.byref(mask))
        return mask.value

    def close(self):
        self.x11.XCloseDisplay(self.display)


def windows_named(env, name):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name], env=env, capture_output=True, text=True)
    return found.stdout.split()


def press(env, keys):
    subprocess.run(["xdotool", "key", keys], env=env, check=True, timeout=10)


def run_checks(tarvo, root, env, processes, client):
    tone = os.path.join(root, "tone.wav")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", tone, "synth", "120", "sine", "441",
                    "gain", "-6"], check=True, timeout=60)
    settings = os.path.join(env["TARVO_HOME"], "Tarvo.ini")
    with open(settings, "w", newline="") as ini:
        ini.write("[General]\r\nEnqueueOption=0\r\n[Global hotkeys]\r\n0=0110-80\r\n8=0110-66\r\n")
    subprocess.run([tarvo, "-setglobalhotkeys"], env=env, cwd=root, timeout=LIMIT_S, check=True)
    with open(settings, "rb") as ini:
        stored = ini.read().decode()
    check(all(line in stored for line in ("0=0110-80", "2=0000-178", "7=0000-19", "8=0110-66")),
          "-setglobalhotkeys presets the media keys and keeps the other slots")
    client.grab("b", CONTROL_MASK | ALT_MASK)

    program = subprocess.Popen([tarvo, tone], env=env, cwd=root, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    processes.append(program)
    wait_until(lambda: windows_named(env, PLAYING), "the window playing the tone")
    processes.append(subprocess.Popen(["xlogo"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    other = wait_until(lambda: windows_named(env, "xlogo"), "the other window")[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", other], env=env, check=True, timeout=10)
    check(not windows_named(env, "Tarvo"), "a combination another client holds gives no message at start")

    press(env, "XF86AudioStop")
    wait_until(lambda: windows_named(env, STOPPED), "the stop hotkey")
    check(True, "the media Stop key stops the tone while another window has the focus")

    press(env, "Num_Lock")
    wait_until(lambda: client.modifier_state() & NUM_LOCK_MASK, "Num Lock on")
    press(env, "ctrl+alt+p")
    wait_until(lambda: windows_named(env, PLAYING), "the play hotkey with Num Lock on")
    check(True, "Ctrl+Alt+P plays it again with Num Lock on")

    quitting = subprocess.run([tarvo, "-quit"], env=env, cwd=root, timeout=LIMIT_S,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    check(quitting.returncode == 0 and program.wait(timeout=LIMIT_S) == 0, "-quit ends the instance")


def checks_on_a_display(tarvo, root, processes):
    _, display = start_xvfb(processes)
    env = desktop_session_env(root, display)
    client = XClient(display)
    try:
        run_checks(tarvo, root, env, processes, client)
    finally:
        client.close()


def main():
    return run_script(__doc__, "hotkeys", ("Xvfb", "xdotool", "xlogo", "sox"), checks_on_a_display)


if __name__ == "__main__":
    sys.exit(main())
