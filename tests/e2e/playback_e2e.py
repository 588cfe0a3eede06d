#!/usr/bin/env python3
"""End-to-end runs of the real Tarvo program, with no display and no sound card.

The program runs with QT_QPA_PLATFORM=offscreen, its home folder in a temporary
folder and TARVO_AUDIO_OUTPUT=wav:PATH, so what it plays is written, in real
time, to a WAV file that this script reads back. The tone fixtures are made
with sox and lame. Checked, in one sequence of processes:

1. A start with a file argument and "EnqueueOption" 0 plays the file: the WAV
   holds its tone, at its length, pitch and loudness.
2. A second start with another file hands it to the first process and ends
   quickly; the first one plays it.
3. "-quit" ends the first process, which writes "Playlist.txt" and "Tarvo.ini"
   (Track, Volume, PlayMode).
4. A socket left behind by an instance killed with SIGKILL does not keep a new
   instance from starting.

Every wait is bounded, and every process started here is killed at the end,
also when a check fails.

Usage: playback_e2e.py --tarvo PATH_TO_BINARY
"""

import argparse
import glob
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import wave

from harness import CheckFailed, check, wait_until

RATE = 44100

# How long anything may take before the check counts as failed.
PLAY_LIMIT_S = 15.0
EXIT_LIMIT_S = 10.0
# A start that hands its file over ends at once; this is generous.
HANDOVER_LIMIT_S = 5.0


class Tone:
    """A stereo 44100 Hz sine at half of full scale, as a 128 kbit/s MP3, and
    the loudness of what lame decodes from that MP3 (the encoding itself
    takes a few per cent off)."""

    def __init__(self, folder, name, seconds, frequency):
        self.seconds = seconds
        self.frequency = frequency
        self.label = "the %s file" % name
        wav = os.path.join(folder, name + ".wav")
        self.path = os.path.join(folder, name + ".mp3")
        subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", "-b", "16", wav,
                        "synth", str(seconds), "sine", str(frequency), "gain", "-6"],
                       check=True, timeout=30)
        subprocess.run(["lame", "--quiet", "-b", "128", wav, self.path], check=True, timeout=30)
        subprocess.run(["lame", "--quiet", "--decode", self.path, wav], check=True, timeout=30)
        self.rms = describe_tone(read_wav(wav)[2], RATE)[2]
        os.remove(wav)


def read_wav(path):
    """(rate, channels, left-channel samples) of a 16-bit WAV file; None when
    the file is missing or not a complete header yet."""
    try:
        with wave.open(path, "rb") as file:
            if file.getsampwidth() != 2:
                return None
            channels = file.getnchannels()
            data = file.readframes(file.getnframes())
            rate = file.getframerate()
    except (OSError, EOFError, wave.Error):
        return None
    samples = struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])
    return rate, channels, samples[::channels]


def describe_tone(left, rate):
    """(seconds, frequency from zero crossings, RMS relative to full scale)."""
    if not left:
        return 0.0, 0.0, 0.0
    crossings = sum(1 for a, b in zip(left, left[1:]) if (a < 0) != (b < 0))
    seconds = len(left) / rate
    rms = math.sqrt(sum(s * s for s in left) / len(left)) / 32767.0
    return seconds, crossings / 2.0 / seconds, rms


def check_heard_tone(wav_path, tone):
    """The WAV output holds the whole tone: its length, pitch and loudness."""
    label = tone.label
    frames = int(round(tone.seconds * RATE))

    def complete():
        heard = read_wav(wav_path)
        return heard is not None and len(heard[2]) >= frames

    wait_until(complete, "the WAV output to hold %s" % label, PLAY_LIMIT_S)
    rate, channels, left = read_wav(wav_path)
    heard_seconds, heard_frequency, rms = describe_tone(left, rate)
    print("heard %s: %d frames (%.3f s), %.1f Hz, RMS %.3f" % (label, len(left), heard_seconds,
                                                               heard_frequency, rms), flush=True)
    check(rate == RATE and channels == 2, "%s is heard at 44100 Hz in stereo" % label)
    check(len(left) == frames, "%s is heard to its last sample, no more (%d frames)" % (label, frames))
    check(abs(heard_frequency - tone.frequency) < tone.frequency * 0.01,
          "%s is heard at %g Hz" % (label, tone.frequency))
    check(abs(rms - tone.rms) < tone.rms * 0.03,
          "%s is heard at full volume (RMS %.3f of full scale)" % (label, tone.rms))


class Session:
    """The temporary folders, the environment and the processes of one run."""

    def __init__(self, tarvo, root):
        self.tarvo = tarvo
        self.root = root
        self.home = os.path.join(root, "home")
        self.runtime = os.path.join(root, "run")
        self.output = os.path.join(root, "heard.wav")
        for folder in (self.home, self.runtime, os.path.join(root, "config"), os.path.join(root, "data")):
            os.makedirs(folder, mode=0o700)
        self.env = dict(os.environ)
        self.env.update({
            "QT_QPA_PLATFORM": "offscreen",
            "TARVO_HOME": self.home,
            "TARVO_AUDIO_OUTPUT": "wav:" + self.output,
            # The instance socket lives here; nothing of the user's is seen.
            "XDG_RUNTIME_DIR": self.runtime,
            "XDG_CONFIG_HOME": os.path.join(root, "config"),
            "XDG_DATA_HOME": os.path.join(root, "data"),
        })
        self.processes = []

    def start(self, *arguments):
        process = subprocess.Popen([self.tarvo, *arguments], env=self.env, cwd=self.root,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def run(self, *arguments):
        """Runs a start that is to end by itself; (exit code, seconds taken)."""
        started = time.monotonic()
        process = self.start(*arguments)
        try:
            code = process.wait(timeout=EXIT_LIMIT_S)
        except subprocess.TimeoutExpired:
            raise CheckFailed("tarvo %s did not end within %.0f s" % (" ".join(arguments), EXIT_LIMIT_S))
        return code, time.monotonic() - started

    def wait_for_end(self, process, what):
        try:
            return process.wait(timeout=EXIT_LIMIT_S)
        except subprocess.TimeoutExpired:
            raise CheckFailed("%s did not end within %.0f s" % (what, EXIT_LIMIT_S))

    def sockets(self):
        return glob.glob(os.path.join(self.runtime, "tarvo-*"))

    def forget_output(self):
        """Removes the WAV of the last entry, so the next one is read alone.
        Only called when the device is released and the file closed."""
        if os.path.exists(self.output):
            os.remove(self.output)

    def kill_all(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                try:
                    process.wait(timeout=EXIT_LIMIT_S)
                except subprocess.TimeoutExpired:
                    pass


def read_text(path):
    with open(path, "rb") as file:
        return file.read().decode("utf-8", "replace")


def ini_value(text, key):
    for line in text.replace("\r", "\n").split("\n"):
        name, sep, value = line.partition("=")
        if sep and name.strip() == key:
            return value.strip()
    return None


def run_checks(session, fixtures):
    first_tone, second_tone, third_tone = fixtures
    # "EnqueueOption" 0: a file from outside plays in an emptied list.
    # Play file: each entry stops after itself and lets the device go, which
    # closes the WAV file with its final header.
    with open(os.path.join(session.home, "Tarvo.ini"), "w", newline="") as ini:
        ini.write("[General]\r\nEnqueueOption=0\r\nPlayMode=3\r\n")

    # 1. The first start plays its file.
    first = session.start(first_tone.path)
    check_heard_tone(session.output, first_tone)
    check(first.poll() is None, "the first instance keeps running after its file ended")
    wait_until(lambda: len(session.sockets()) == 1, "the instance socket", PLAY_LIMIT_S)

    # 2. A second start hands its file over and ends.
    session.forget_output()
    code, seconds = session.run(second_tone.path)
    print("the second start ended after %.2f s with code %d" % (seconds, code), flush=True)
    check(code == 0, "the second start ends normally")
    check(seconds < HANDOVER_LIMIT_S, "the second start ends quickly")
    check_heard_tone(session.output, second_tone)
    check(first.poll() is None, "the first instance is still running")

    # 3. "-quit" ends the first instance, which saves its state.
    code, _ = session.run("-quit")
    check(code == 0, "-quit ends normally")
    check(session.wait_for_end(first, "the first instance after -quit") == 0, "the first instance ends normally")
    playlist = [line for line in read_text(os.path.join(session.home, "Playlist.txt")).splitlines() if line]
    check(playlist == [second_tone.path], "Playlist.txt holds the handed-over file: %r" % playlist)
    settings = read_text(os.path.join(session.home, "Tarvo.ini"))
    check(ini_value(settings, "Track") == "0", "Tarvo.ini keeps the handed-over file as Track")
    check(ini_value(settings, "Volume") == "1000", "Tarvo.ini keeps the Volume")
    check(ini_value(settings, "PlayMode") == "3", "Tarvo.ini keeps the PlayMode")
    check(not session.sockets(), "the instance socket is gone after a normal end")

    # 4. An instance killed outright leaves its socket behind.
    crashed = session.start()
    wait_until(lambda: len(session.sockets()) == 1, "the socket of the instance to be killed", PLAY_LIMIT_S)
    crashed.kill()
    session.wait_for_end(crashed, "the killed instance")
    check(len(session.sockets()) == 1, "the killed instance left its socket")
    session.forget_output()
    started = session.start(third_tone.path)
    check_heard_tone(session.output, third_tone)
    check(started.poll() is None, "the start after a crash runs as the instance")
    code, _ = session.run("-quit")
    check(code == 0 and session.wait_for_end(started, "the new instance after -quit") == 0,
          "the new instance answers -quit")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tarvo", required=True, help="the tarvo binary")
    parser.add_argument("--keep", action="store_true", help="keep the temporary folder")
    arguments = parser.parse_args()
    for tool in ("sox", "lame"):
        if shutil.which(tool) is None:
            print("FAILED: %s is needed to make the fixtures (scripts/setup.sh installs it)" % tool)
            return 1

    root = tempfile.mkdtemp(prefix="tarvo-e2e-")
    session = Session(os.path.abspath(arguments.tarvo), root)
    try:
        media = os.path.join(root, "media")
        os.makedirs(media)
        # Whole numbers of periods, distinct pitches.
        fixtures = [Tone(media, "first", 2, 441), Tone(media, "second", 1.5, 882), Tone(media, "third", 1, 630)]
        run_checks(session, fixtures)
    except CheckFailed as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        session.kill_all()
        if arguments.keep:
            print("kept", root)
        else:
            shutil.rmtree(root, ignore_errors=True)
    print("all end-to-end checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
