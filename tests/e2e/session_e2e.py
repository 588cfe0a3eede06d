#!/usr/bin/env python3
"""End-to-end runs of the real Tarvo program around its session: what a desktop
or a shell hands it, how it ends, and who may reach it.

Same set-up as playback_e2e.py (offscreen display, a scratch home folder, the
WAV output). Checked:

1. A three-entry "Playlist.txt" survives first starts with a folder (which is
   added to it), a ".flac", a missing ".m3u" and "--help" (which only prints
   the usage); a stale temporary
   file of an earlier save is removed at start.
2. A folder argument opens the folder; a "file://" URI with "%20" plays the
   file with the blank.
3. A relative path handed over from another working folder plays the right
   file; SIGTERM then ends the instance with code 0 and the entry saved.
4. kill -9 ten seconds after an edit: the edit is in "Playlist.txt".
5. "-quit" from a shell without a display and without XDG_RUNTIME_DIR ends
   the instance.
6. Run as root: a socket planted under the instance's name by another user
   is never sent to, and a request from another user is ignored.
7. A start that changes nothing writes neither file once its autosave delay
   has passed, and has not loaded the libraries only streams, the pulse
   output and some formats need.

Usage: session_e2e.py --tarvo PATH_TO_BINARY
"""

import argparse
import os
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from harness import CheckFailed, check, wait_until
from playback_e2e import EXIT_LIMIT_S, PLAY_LIMIT_S, Session, Tone, check_heard_tone, read_text

# The program writes its state this long after a change; a kill -9 after it
# keeps the change.
AUTOSAVE_LIMIT_S = 10.0


class DesktopSession(Session):
    """A Session whose starts may run in another folder or environment."""

    def start(self, *arguments, cwd=None, env=None):
        process = subprocess.Popen([self.tarvo, *arguments], env=env or self.env, cwd=cwd or self.root,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def run(self, *arguments, cwd=None, env=None):
        process = self.start(*arguments, cwd=cwd, env=env)
        try:
            return process.wait(timeout=EXIT_LIMIT_S)
        except subprocess.TimeoutExpired:
            raise CheckFailed("tarvo %s did not end within %.0f s" % (" ".join(arguments), EXIT_LIMIT_S))

    def write_settings(self, enqueue_option):
        with open(os.path.join(self.home, "Tarvo.ini"), "w", newline="") as ini:
            ini.write("[General]\r\nEnqueueOption=%d\r\nPlayMode=3\r\n[Playlist]\r\nTrack=1\r\n" % enqueue_option)

    def playlist_path(self):
        return os.path.join(self.home, "Playlist.txt")

    def write_playlist(self, entries):
        with open(self.playlist_path(), "w", newline="") as playlist:
            playlist.write("".join(entry + "\r\n" for entry in entries))

    def playlist(self):
        return [line for line in read_text(self.playlist_path()).splitlines() if line]

    def start_instance(self, *arguments, **options):
        process = self.start(*arguments, **options)
        wait_until(lambda: len(self.sockets()) == 1 or process.poll() is not None, "the instance socket",
                   PLAY_LIMIT_S)
        check(process.poll() is None, "tarvo %s runs as the instance" % (" ".join(arguments) or "without argument"))
        return process

    def terminate(self, process, what):
        process.send_signal(signal.SIGTERM)
        return self.wait_for_end(process, what)


# Loaded the first time a stream, a download, the pulse output or a file of
# their formats needs them; a start with the WAV output, no playing and no
# update check due does without them.
LOADED_WHEN_NEEDED = ("libcurl", "libpulse", "libsndfile", "libavformat", "libavcodec")


def check_quiet_start(session, kept):
    """A start that changes nothing leaves both files alone and loads no more than it needs."""
    files = [os.path.join(session.home, "Tarvo.ini"), session.playlist_path()]
    # Without the weekly update check, which downloads and notes its date.
    with open(files[0], "w", newline="") as ini:
        ini.write("[General]\r\nAutoUpdate=0\r\n[Playlist]\r\nTrack=1\r\n")
    session.write_playlist(kept)
    # The first run's exit stores every setting; the second run finds them.
    first = session.start_instance()
    check(session.terminate(first, "the first quiet instance") == 0, "the first quiet start ends normally")
    an_hour_ago = time.time() - 3600
    for path in files:
        os.utime(path, (an_hour_ago, an_hour_ago))
    before = [os.stat(path).st_mtime_ns for path in files]
    instance = session.start_instance()
    time.sleep(AUTOSAVE_LIMIT_S / 2)
    with open("/proc/%d/maps" % instance.pid) as maps:
        loaded = [name for name in LOADED_WHEN_NEEDED if name in maps.read()]
    check(not loaded, "a start without playing loads none of %r" % loaded)
    rewritten = [os.path.basename(path) for path, then in zip(files, before) if os.stat(path).st_mtime_ns != then]
    check(not rewritten, "a start that changes nothing rewrites none of %r" % rewritten)
    check(session.terminate(instance, "the quiet instance") == 0, "the quiet start ends normally")


def check_survivals(session, kept, album):
    """Starts whose argument adds nothing keep the list of the last run."""
    session.write_settings(2)
    stale = os.path.join(session.home, "Playlist.txt.abc123")
    unrelated = os.path.join(session.home, "Playlist.txt.mine")
    for path in (stale, unrelated):
        with open(path, "w") as leftover:
            leftover.write("x")
        os.utime(path, (time.time() - 3600, time.time() - 3600))
    for argument in (os.path.join(album, "song.flac"), os.path.join(album, "missing.m3u")):
        session.write_playlist(kept)
        instance = session.start_instance(argument)
        code = session.terminate(instance, "the instance started with %s" % argument)
        check(code == 0, "SIGTERM ends the instance started with %s normally" % argument)
        check(session.playlist() == kept, "Playlist.txt survives a start with %s: %r" % (argument, session.playlist()))
    # "--help" prints the usage and ends without starting an instance.
    session.write_playlist(kept)
    answered = subprocess.run([session.tarvo, "--help"], env=session.env, cwd=session.root, capture_output=True,
                              text=True, timeout=PLAY_LIMIT_S)
    check(answered.returncode == 0 and "Usage" in answered.stdout, "--help prints the usage and ends")
    check(session.playlist() == kept, "Playlist.txt survives a start with --help: %r" % session.playlist())
    check(not os.path.exists(stale), "a stale Playlist.txt.abc123 is removed at start")
    check(os.path.exists(unrelated), "a file of another name is left alone")

    # Option 1 adds the folder to the list of the last run.
    session.write_settings(1)
    session.write_playlist(kept)
    instance = session.start_instance(album)
    check(session.terminate(instance, "the instance started with a folder") == 0, "the folder start ends normally")
    check(session.playlist()[:3] == kept and len(session.playlist()) == 4,
          "a folder start adds the folder to the kept list: %r" % session.playlist())


def check_shell_arguments(session, album_tone, blank_tone):
    """A folder and a file:// URI, played in an emptied list (option 0)."""
    session.write_settings(0)
    session.forget_output()
    instance = session.start_instance(os.path.dirname(album_tone.path))
    check_heard_tone(session.output, album_tone)
    check(session.terminate(instance, "the folder instance") == 0, "the folder instance ends normally")
    check(session.playlist() == [album_tone.path], "the folder argument opened the folder: %r" % session.playlist())

    session.forget_output()
    uri = "file://" + blank_tone.path.replace(" ", "%20")
    instance = session.start_instance(uri)
    check_heard_tone(session.output, blank_tone)
    check(session.terminate(instance, "the file:// instance") == 0, "the file:// instance ends normally")
    check(session.playlist() == [blank_tone.path], "the URI is stored as its path: %r" % session.playlist())


def check_handover_and_kills(session, first_tone, second_tone):
    """A relative hand-over, SIGTERM after it, and kill -9 after an edit."""
    session.write_settings(0)
    session.forget_output()
    instance = session.start_instance(first_tone.path)
    check_heard_tone(session.output, first_tone)
    session.forget_output()
    media = os.path.dirname(second_tone.path)
    check(session.run(os.path.basename(second_tone.path), cwd=media) == 0, "the relative hand-over ends normally")
    check_heard_tone(session.output, second_tone)
    check(session.terminate(instance, "the instance after a hand-over") == 0, "SIGTERM after a hand-over exits with 0")
    check(session.playlist() == [second_tone.path], "the handed-over entry is saved: %r" % session.playlist())

    # Option 1 appends without playing: the edit is the list alone.
    session.write_settings(1)
    instance = session.start_instance()
    check(session.run(first_tone.path) == 0, "the appending hand-over ends normally")
    wait_until(lambda: session.playlist() == [second_tone.path, first_tone.path], "the edit to reach Playlist.txt",
               AUTOSAVE_LIMIT_S)
    instance.kill()
    session.wait_for_end(instance, "the instance killed with SIGKILL")
    check(session.playlist() == [second_tone.path, first_tone.path], "kill -9 after an edit keeps the edit")
    for leftover in session.sockets():
        os.remove(leftover)


def check_quit_from_a_bare_shell(session):
    """"-quit" with neither a display nor a runtime folder."""
    instance = session.start_instance()
    bare = {name: value for name, value in session.env.items()
            if name not in ("DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM")}
    check(session.run("-quit", env=bare) == 0, "-quit without a display or a runtime folder exits with 0")
    check(session.wait_for_end(instance, "the instance after a bare -quit") == 0, "the bare -quit reaches the instance")


def check_other_users(session, tone):
    """Another user's socket is never sent to; another user's request is ignored."""
    if os.geteuid() != 0:
        print("skipped: the checks of another user's socket need root", flush=True)
        return
    nobody = pwd.getpwnam("nobody").pw_uid
    # The interpreter running this may live where nobody cannot read it.
    python = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable
    instance = session.start_instance()
    socket_path = session.sockets()[0]
    check(session.run("-quit") == 0 and session.wait_for_end(instance, "the instance") == 0, "the instance ends")

    # "nobody" listens on a socket made in a folder it may write, which is
    # then moved under the instance's name.
    plant = os.path.join(session.root, "plant")
    os.makedirs(plant, mode=0o777)
    os.chmod(plant, 0o777)
    os.chmod(session.root, 0o711)
    planted = os.path.join(plant, "listener")
    received = os.path.join(plant, "received")
    listener = subprocess.Popen([python, "-c", PLANTED_LISTENER, planted, received], user=nobody)
    session.processes.append(listener)
    wait_until(lambda: os.path.exists(planted), "the planted socket", PLAY_LIMIT_S)
    os.rename(planted, socket_path)
    check(os.stat(socket_path).st_uid == nobody, "the socket under the instance's name is nobody's")

    session.write_settings(0)
    session.forget_output()
    started = session.start(tone.path)
    check_heard_tone(session.output, tone)
    check(started.poll() is None, "the start beside the planted socket runs as the instance")
    time.sleep(0.5)
    check(not os.path.exists(received) or os.path.getsize(received) == 0, "nothing was sent to nobody's socket")

    # The instance's own socket, opened up so that nobody can connect.
    os.chmod(session.runtime, 0o711)
    os.chmod(socket_path, 0o777)
    sender = subprocess.run([python, "-c", FOREIGN_SENDER, socket_path], user=nobody, timeout=EXIT_LIMIT_S)
    check(sender.returncode == 0, "nobody reached the instance's socket")
    time.sleep(1.0)
    check(started.poll() is None, "a quit request from another user is ignored")
    os.chmod(session.runtime, 0o700)
    os.chmod(session.root, 0o700)
    check(session.run("-quit") == 0 and session.wait_for_end(started, "the instance") == 0,
          "the instance still answers its own user")
    listener.kill()


# Accepts connections as another user and writes down what arrives.
PLANTED_LISTENER = r"""
import socket, sys
server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
server.bind(sys.argv[1])
server.listen(8)
with open(sys.argv[2], "ab") as received:
    while True:
        connection, _ = server.accept()
        connection.settimeout(2)
        try:
            received.write(connection.recv(65536))
            received.flush()
        except OSError:
            pass
        connection.close()
"""

# Connects as another user and asks the instance to quit. The instance may
# close the connection before the request is written; reaching it counts.
FOREIGN_SENDER = r"""
import socket, sys
client = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
client.connect(sys.argv[1])
try:
    client.sendall(b"quit\t\n")
except (BrokenPipeError, ConnectionResetError):
    pass
client.close()
"""


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
    session = DesktopSession(os.path.abspath(arguments.tarvo), root)
    try:
        media = os.path.join(root, "media")
        album = os.path.join(root, "album")
        os.makedirs(media)
        os.makedirs(album)
        first = Tone(media, "first", 1, 441)
        second = Tone(media, "second", 1, 882)
        blank = Tone(media, "a b", 1, 630)
        album_tone = Tone(album, "track", 1, 735)
        kept = [first.path, second.path, blank.path]
        check_quiet_start(session, kept)
        check_survivals(session, kept, album)
        check_shell_arguments(session, album_tone, blank)
        check_handover_and_kills(session, first, second)
        check_quit_from_a_bare_shell(session)
        check_other_users(session, first)
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
