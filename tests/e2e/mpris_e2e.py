#!/usr/bin/env python3
"""End-to-end run of the desktop media controls (MPRIS) of the real program.

The program runs under Xvfb on a private session bus (the script runs itself
again inside dbus-run-session), with TARVO_AUDIO_OUTPUT=wav:PATH, so what it
plays is written in real time to a WAV file read back here. dbus-send calls
the service and reads its properties; dbus-monitor records its signals.
Checked:

1. PlayPause, Next, Previous, PlayPause twice (pause and resume), Seek,
   SetPosition, Stop, OpenUri, Pause and Play: the properties read back as expected and
   the WAV output holds the tone of the entry (or stops growing while paused).
2. PropertiesChanged carries PlaybackStatus and Metadata at a track change,
   Seeked follows a seek, and a steadily playing entry sends no more than a
   few signals a second.
3. LoopStatus "Track" and Shuffle true pick the play modes; Volume 0.5 is
   "Volume=500" in Tarvo.ini after Quit, which ends the program normally.
4. A second instance (multiple instances allowed) leaves the name alone.
5. Without a session bus the program starts, plays and quits as before.

Usage: mpris_e2e.py --tarvo PATH_TO_BINARY
"""

import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import wave

from harness import LIMIT_S, CheckFailed, check, start_xvfb, wait_until

RATE = 44100
SERVICE = "org.mpris.MediaPlayer2.tarvo"
PATH = "/org/mpris/MediaPlayer2"
PLAYER = "org.mpris.MediaPlayer2.Player"
TONES = {"low": 441, "middle": 661.5, "high": 882}


def left_samples(path):
    """Left-channel samples of the WAV written so far; [] when not readable."""
    try:
        with wave.open(path, "rb") as file:
            channels = file.getnchannels()
            data = file.readframes(file.getnframes())
    except (OSError, EOFError, wave.Error):
        return []
    samples = struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])
    return samples[::channels]


def frequency(samples):
    crossings = sum(1 for a, b in zip(samples, samples[1:]) if (a < 0) != (b < 0))
    return crossings / 2.0 / (len(samples) / RATE) if samples else 0.0


def bus(*arguments):
    """dbus-send to the service; the printed reply."""
    result = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=" + SERVICE, PATH, *arguments],
                            capture_output=True, text=True, timeout=30)
    if result.returncode != 0:
        raise CheckFailed("dbus-send %s failed: %s" % (" ".join(arguments), result.stderr.strip()))
    return result.stdout


def call(method, *arguments):
    bus(PLAYER + "." + method, *arguments)


def get(name):
    reply = bus("org.freedesktop.DBus.Properties.Get", "string:" + PLAYER, "string:" + name)
    return reply.split("\n", 1)[1]


def put(name, value):
    bus("org.freedesktop.DBus.Properties.Set", "string:" + PLAYER, "string:" + name, "variant:" + value)


def position_ms():
    return int(re.search(r"int64 (-?\d+)", get("Position")).group(1)) // 1000


def title():
    match = re.search(r'"xesam:title"\s+variant\s+string "([^"]*)"', get("Metadata"))
    return match.group(1) if match else None


def name_owner():
    result = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                             "/org/freedesktop/DBus", "org.freedesktop.DBus.GetNameOwner", "string:" + SERVICE],
                            capture_output=True, text=True, timeout=30)
    return result.stdout.split('"')[1] if result.returncode == 0 else None


class Run:
    def __init__(self, tarvo, root, display):
        self.tarvo = tarvo
        self.root = root
        self.home = os.path.join(root, "home")
        self.output = os.path.join(root, "heard.wav")
        self.media = os.path.join(root, "media")
        runtime = os.path.join(root, "run")
        for folder in (self.home, runtime, self.media):
            os.makedirs(folder, mode=0o700)
        self.env = dict(os.environ, DISPLAY=display, TARVO_HOME=self.home, XDG_RUNTIME_DIR=runtime,
                        TARVO_AUDIO_OUTPUT="wav:" + self.output,
                        XDG_CONFIG_HOME=os.path.join(root, "config"), XDG_DATA_HOME=os.path.join(root, "data"))
        self.env.pop("QT_QPA_PLATFORM", None)
        self.processes = []
        self.tones = {}
        for name, pitch in TONES.items():
            path = os.path.join(self.media, name + ".wav")
            subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", "-b", "16", path, "synth", "30", "sine",
                            str(pitch), "gain", "-6"], check=True, timeout=30)
            self.tones[name] = path

    def start(self, *arguments, env=None):
        process = subprocess.Popen([self.tarvo, *arguments], env=env or self.env, cwd=self.root,
                                   stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.root, "tarvo.log"), "a"))
        self.processes.append(process)
        return process

    def monitor(self):
        process = subprocess.Popen(["dbus-monitor", "--session", "type='signal',path='%s'" % PATH],
                                   stdout=open(os.path.join(self.root, "signals.txt"), "w"), env=self.env)
        self.processes.append(process)
        return process

    def signals(self):
        """Each signal of the service: (member, text of its body)."""
        with open(os.path.join(self.root, "signals.txt")) as file:
            text = file.read()
        blocks = re.split(r"\n(?=signal )", text)
        return [(re.search(r"member=(\w+)", b).group(1), b) for b in blocks
                if b.startswith("signal ") and "path=" + PATH + ";" in b]

    def heard_frames(self):
        return len(left_samples(self.output))

    def check_hearing(self, name, what):
        """The next half second of output is the tone `name`."""
        start = self.heard_frames()
        wait_until(lambda: self.heard_frames() >= start + RATE * 3 // 4, "more output after " + what)
        heard = frequency(left_samples(self.output)[start + RATE // 4:start + RATE * 3 // 4])
        check(abs(heard - TONES[name]) < TONES[name] * 0.02, "%s: the %s tone is heard (%.0f Hz)" % (what, name, heard))

    def kill_all(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait(timeout=LIMIT_S)


def write_settings(run, extra=""):
    with open(os.path.join(run.home, "Tarvo.ini"), "w", newline="") as ini:
        ini.write("[General]\r\nEnqueueOption=0\r\nPlayMode=0\r\n" + extra)


def check_controls(run):
    write_settings(run)
    with open(os.path.join(run.home, "Playlist.txt"), "w", newline="") as playlist:
        playlist.write("".join(run.tones[name] + "\r\n" for name in ("low", "middle")))
    program = run.start()
    wait_until(lambda: name_owner() is not None, "the service on the bus", 2 * LIMIT_S)
    monitor = run.monitor()
    time.sleep(0.5)
    check('"Stopped"' in get("PlaybackStatus"), "before playing the status is Stopped")

    call("PlayPause")
    wait_until(lambda: '"Playing"' in get("PlaybackStatus"), "Playing after PlayPause")
    check(title() == "low.wav", "Metadata names the first entry")
    run.check_hearing("low", "PlayPause")

    call("Next")
    wait_until(lambda: title() == "middle.wav", "Metadata of the next entry")
    run.check_hearing("middle", "Next")
    track_change = [body for member, body in run.signals() if member == "PropertiesChanged" and "middle.wav" in body]
    check(track_change and "mpris:length" in track_change[0], "PropertiesChanged carries the new Metadata")

    call("Previous")
    wait_until(lambda: title() == "low.wav", "Metadata after Previous")
    run.check_hearing("low", "Previous")

    # Steady playing: no signal for the passing time.
    before = len(run.signals())
    time.sleep(3)
    quiet = len(run.signals()) - before
    check(quiet <= 6, "a playing entry sends few signals (%d in 3 s)" % quiet)

    call("PlayPause")
    wait_until(lambda: '"Paused"' in get("PlaybackStatus"), "Paused after PlayPause")
    time.sleep(0.3)
    frames = run.heard_frames()
    time.sleep(1)
    check(run.heard_frames() == frames, "nothing more is heard while paused")
    paused_change = [b for m, b in run.signals() if m == "PropertiesChanged" and '"Paused"' in b]
    check(paused_change, "PropertiesChanged carries PlaybackStatus Paused")
    call("PlayPause")
    wait_until(lambda: '"Playing"' in get("PlaybackStatus"), "Playing after the second PlayPause")
    run.check_hearing("low", "resume")

    before = position_ms()
    call("Seek", "int64:10000000")
    after = position_ms()
    check(9000 <= after - before <= 12000, "Seek moves 10 s on (%d ms to %d ms)" % (before, after))
    track = re.search(r'object path "([^"]+)"', get("Metadata")).group(1)
    call("SetPosition", "objpath:" + track, "int64:2000000")
    check(1900 <= position_ms() <= 3000, "SetPosition goes to 2 s")
    call("SetPosition", "objpath:/org/mpris/MediaPlayer2/tarvo/track/0", "int64:20000000")
    check(position_ms() < 5000, "SetPosition for another track is ignored")
    wait_until(lambda: len([m for m, _ in run.signals() if m == "Seeked"]) >= 2, "two Seeked signals")
    check(True, "Seeked follows each seek")

    call("Stop")
    wait_until(lambda: '"Stopped"' in get("PlaybackStatus"), "Stopped after Stop")
    check(position_ms() == 0, "the position is 0 when stopped")

    call("OpenUri", "string:file://" + run.tones["high"])
    wait_until(lambda: title() == "high.wav", "the opened file playing")
    run.check_hearing("high", "OpenUri")
    call("Pause")
    wait_until(lambda: '"Paused"' in get("PlaybackStatus"), "Paused after Pause")
    call("Play")
    wait_until(lambda: '"Playing"' in get("PlaybackStatus"), "Playing after Play")
    run.check_hearing("high", "Pause and Play")
    bus("org.mpris.MediaPlayer2.Raise")

    put("LoopStatus", "string:Track")
    check('"Track"' in get("LoopStatus"), "LoopStatus Track is read back (repeat file)")
    put("Shuffle", "boolean:true")
    check("true" in get("Shuffle") and '"Playlist"' in get("LoopStatus"), "Shuffle true is read back")
    put("Volume", "double:0.5")
    check("0.5" in get("Volume"), "Volume 0.5 is read back")

    owner = name_owner()
    write_settings(run, "MultipleInstances=1\r\n")
    second = run.start()
    time.sleep(3)
    check(second.poll() is None and name_owner() == owner, "a second instance leaves the name to the first")
    second.kill()
    second.wait(timeout=LIMIT_S)

    bus("org.mpris.MediaPlayer2.Quit")
    check(program.wait(timeout=LIMIT_S) == 0, "Quit ends the program normally")
    with open(os.path.join(run.home, "Tarvo.ini"), "rb") as ini:
        settings = ini.read().decode("utf-8", "replace")
    check("Volume=500" in settings, "Tarvo.ini holds Volume=500")
    check("PlayMode=4" in settings, "Tarvo.ini holds the shuffle mode")
    monitor.kill()


def check_without_bus(run):
    write_settings(run, "PlayMode=3\r\n")
    os.remove(run.output)
    # As in a bare X session: no bus address, and none in the runtime folder.
    env = dict(run.env)
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    program = run.start(run.tones["middle"], env=env)
    run.check_hearing("middle", "a start without a session bus")
    subprocess.run([run.tarvo, "-quit"], env=env, timeout=LIMIT_S)
    check(program.wait(timeout=LIMIT_S) == 0, "without a session bus -quit ends the program normally")


def run_inside(arguments):
    root = tempfile.mkdtemp(prefix="tarvo-mpris-")
    xvfb, display = start_xvfb()
    run = Run(os.path.abspath(arguments.tarvo), root, display)
    try:
        check_controls(run)
        check_without_bus(run)
    except CheckFailed as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        run.kill_all()
        xvfb.kill()
        xvfb.wait()
        if arguments.keep:
            print("kept", root)
        else:
            shutil.rmtree(root, ignore_errors=True)
    print("all media control checks passed")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tarvo", required=True, help="the tarvo binary")
    parser.add_argument("--keep", action="store_true", help="keep the temporary folder")
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    arguments = parser.parse_args()
    for tool in ("sox", "Xvfb", "dbus-run-session", "dbus-send", "dbus-monitor"):
        if shutil.which(tool) is None:
            print("FAILED: %s is needed (scripts/setup.sh installs it)" % tool)
            return 1
    if arguments.inside:
        return run_inside(arguments)
    # A private session bus that ends with this script.
    command = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), "--inside",
               "--tarvo", arguments.tarvo] + (["--keep"] if arguments.keep else [])
    return subprocess.run(command).returncode


if __name__ == "__main__":
    sys.exit(main())
