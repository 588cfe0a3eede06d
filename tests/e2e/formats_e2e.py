#!/usr/bin/env python3
"""End-to-end runs of the real Tarvo program on FLAC and Opus files.

As a file manager hands a file over: "tarvo song.flac" (with "EnqueueOption" 0
and play-file mode) plays the FLAC file on the WAV output to its last sample,
at its pitch and loudness; a second start with "song.opus" hands it to the
first process, which plays it at the Opus rate (48000 Hz).

Usage: formats_e2e.py --tarvo PATH_TO_BINARY
"""

import os
import subprocess

from harness import check, run_script, wait_until
from playback_e2e import PLAY_LIMIT_S, Session, check_heard_tone, describe_tone, read_wav


class LosslessTone:
    """A stereo 44100 Hz sine at half of full scale as a FLAC file; FLAC is
    lossless, so its loudness is the sine's own."""

    def __init__(self, folder, seconds, frequency):
        self.seconds = seconds
        self.frequency = frequency
        self.label = "the FLAC file"
        wav = os.path.join(folder, "song.wav")
        self.path = os.path.join(folder, "song.flac")
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav,
                        "synth", str(seconds), "sine", str(frequency), "gain", "-6"], check=True, timeout=30)
        self.rms = describe_tone(read_wav(wav)[2], 44100)[2]
        subprocess.run(["flac", "-s", "-f", "-o", self.path, wav], check=True, timeout=30)
        self.opus = os.path.join(folder, "song.opus")
        subprocess.run(["opusenc", "--quiet", wav, self.opus], check=True, timeout=30)
        os.remove(wav)


def run_checks(tarvo, root, processes):
    session = Session(tarvo, root)
    media = os.path.join(root, "media")
    os.makedirs(media)
    tone = LosslessTone(media, 1.5, 441)
    with open(os.path.join(session.home, "Tarvo.ini"), "w", newline="") as ini:
        ini.write("[General]\r\nEnqueueOption=0\r\nPlayMode=3\r\n")
    try:
        first = session.start(tone.path)
        check_heard_tone(session.output, tone)
        check(first.poll() is None, "the first instance keeps running after its file ended")
        wait_until(lambda: len(session.sockets()) == 1, "the instance socket", PLAY_LIMIT_S)
        session.forget_output()

        code, _ = session.run(tone.opus)
        check(code == 0, "a start with an Opus file hands it over and ends")
        frames = int(round(tone.seconds * 48000))

        def opus_heard():
            heard = read_wav(session.output)
            return heard is not None and heard[0] == 48000 and len(heard[2]) >= frames

        wait_until(opus_heard, "the Opus file to be heard at 48000 Hz to its end", PLAY_LIMIT_S)
        check(len(read_wav(session.output)[2]) == frames, "the Opus file is heard to its last sample, no more")
        code, _ = session.run("-quit")
        check(code == 0 and session.wait_for_end(first, "the first instance after -quit") == 0,
              "the first instance ends normally")
    finally:
        session.kill_all()


if __name__ == "__main__":
    raise SystemExit(run_script(__doc__, "formats", ("sox", "flac", "opusenc"), run_checks))
