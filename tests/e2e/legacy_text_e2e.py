#!/usr/bin/env python3
"""End-to-end run of text in a legacy code page (CP949) through the real program.

With "[Tweak] LegacyCodepage=CP949", under Xvfb on a private session bus (the
script runs itself again inside dbus-run-session) and the null output:

1. An MP3 whose file name is CP949 bytes and whose ID3v1 title is CP949 plays
   from the command line; the caption shows the decoded name and the MPRIS
   metadata the decoded title.
2. After two restarts "Playlist.txt" still names the file by its own bytes.
3. A loopback station sending a CP949 StreamTitle shows it in the caption.

Usage: legacy_text_e2e.py --tarvo PATH_TO_BINARY
"""

import http.server
import os
import re
import shutil
import socketserver
import subprocess
import sys
import threading
import time

from harness import check, desktop_session_env, run_script, start_xvfb, wait_until

SONG_NAME = "노래.mp3"
SONG_TITLE = "한국 노래"
STATION_TITLE = "가수 - 방송 노래"
METAINT = 4096


def song_with_legacy_name(folder):
    """An MP3 named in CP949 bytes with a CP949 ID3v1 title; its path as bytes."""
    wav = os.path.join(folder, "tone.wav")
    mp3 = os.path.join(folder, "tone.mp3")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "20", "sine", "440"],
                   check=True, timeout=60)
    subprocess.run(["lame", "--silent", wav, mp3], check=True, timeout=60)
    tag = bytearray(128)
    tag[0:3] = b"TAG"
    title = SONG_TITLE.encode("cp949")
    tag[3:3 + len(title)] = title
    path = os.path.join(os.fsencode(folder), SONG_NAME.encode("cp949"))
    with open(mp3, "rb") as source, open(path, "wb") as song:
        song.write(source.read() + bytes(tag))
    return path, mp3


class Station(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def start_station(mp3):
    """A station on loopback looping `mp3` with a CP949 StreamTitle; its address."""
    audio = open(mp3, "rb").read()
    looped = audio * 2
    text = b"StreamTitle='" + STATION_TITLE.encode("cp949") + b"';"
    text += b"\0" * (-len(text) % 16)
    metadata = bytes([len(text) // 16]) + text

    class Handler(http.server.BaseHTTPRequestHandler):
        def log_message(self, *unused):
            pass

        def do_GET(self):
            self.send_response(200)
            self.send_header("Content-Type", "audio/mpeg")
            self.send_header("icy-metaint", str(METAINT))
            self.end_headers()
            at = 0
            try:
                while True:
                    block = looped[at:at + METAINT]
                    at = (at + METAINT) % len(audio)
                    self.wfile.write(block + metadata)
                    time.sleep(METAINT / 16000)
            except OSError:
                pass

    server = Station(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d/korean" % server.server_address[1]


def window_names(env):
    found = subprocess.run(["xdotool", "search", "--name", "Tarvo"], env=env, capture_output=True, text=True)
    names = []
    for window in found.stdout.split():
        name = subprocess.run(["xdotool", "getwindowname", window], env=env, capture_output=True, text=True)
        names.append(name.stdout.strip())
    return names


def mpris(env, *arguments):
    result = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.tarvo",
                             "/org/mpris/MediaPlayer2", *arguments], env=env, capture_output=True, text=True,
                            timeout=30)
    return result.stdout if result.returncode == 0 else ""


def mpris_title(env):
    metadata = mpris(env, "org.freedesktop.DBus.Properties.Get", "string:org.mpris.MediaPlayer2.Player",
                     "string:Metadata")
    match = re.search(r'"xesam:title"\s+variant\s+string "([^"]*)"', metadata)
    return match.group(1) if match else None


def quit_program(env, program):
    mpris(env, "org.mpris.MediaPlayer2.Quit")
    program.wait(timeout=30)


def checks_on_a_display(tarvo, root, processes):
    xvfb, display = start_xvfb(processes)
    env = desktop_session_env(root, display)
    home = env["TARVO_HOME"]
    with open(os.path.join(home, "Tarvo.ini"), "w", newline="") as ini:
        ini.write("[General]\r\nEnqueueOption=0\r\n[Tweak]\r\nLegacyCodepage=CP949\r\n")
    media = os.path.join(root, "media")
    os.makedirs(media)
    song, mp3 = song_with_legacy_name(media)
    log = open(os.path.join(root, "tarvo.log"), "a")

    def start(*arguments):
        program = subprocess.Popen([tarvo, *arguments], env=env, stdout=subprocess.DEVNULL, stderr=log)
        processes.append(program)
        return program

    program = start(song)
    check(wait_until(lambda: SONG_NAME + " - Tarvo" in window_names(env), "the decoded name in the caption"),
          "the caption shows the file's CP949 name decoded")
    wait_until(lambda: mpris_title(env) == SONG_TITLE, "the decoded ID3v1 title in the MPRIS metadata")
    check('"Playing"' in mpris(env, "org.freedesktop.DBus.Properties.Get", "string:org.mpris.MediaPlayer2.Player",
                               "string:PlaybackStatus"), "the file plays, with the ID3v1 title in MPRIS")
    quit_program(env, program)

    autosave = os.path.join(home, "Playlist.txt")
    for restart in (1, 2):
        with open(autosave, "rb") as saved:
            check(saved.read().split(b"\r\n")[0] == song, "Playlist.txt names the file by its bytes (%d)" % restart)
        program = start()
        wait_until(lambda: any(name.endswith("Tarvo") for name in window_names(env)), "the window")
        quit_program(env, program)
    with open(autosave, "rb") as saved:
        check(saved.read().split(b"\r\n")[0] == song, "after two restarts the file keeps its bytes")

    program = start(start_station(mp3))
    check(wait_until(lambda: any(STATION_TITLE in name for name in window_names(env)),
                     "the station's title in the caption", limit=30),
          "the station's CP949 StreamTitle is shown decoded in the caption")
    quit_program(env, program)


def main():
    if "--inside" in sys.argv:
        sys.argv.remove("--inside")
        return run_script(__doc__, "legacy_text", ("Xvfb", "xdotool", "sox", "lame", "dbus-send"),
                          checks_on_a_display)
    if shutil.which("dbus-run-session") is None:
        print("FAILED: dbus-run-session is needed (scripts/setup.sh installs it)")
        return 1
    # A private session bus that ends with this script.
    return subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), "--inside",
                           *sys.argv[1:]]).returncode


if __name__ == "__main__":
    sys.exit(main())
