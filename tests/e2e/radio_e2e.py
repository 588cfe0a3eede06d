#!/usr/bin/env python3
"""The real Tarvo program playing a real radio server, with no sound card.

Icecast 2 on a free loopback port is fed by ezstream looping a 441 Hz MP3 tagged
"Artist" / "Title"; the program runs under Xvfb with the WAV output and the
station's address as its argument, on a D-Bus session of its own. Checked: it
connects, the window caption and the desktop's media metadata (MPRIS) show the
title that ezstream sends, the WAV holds the station's tone, after Icecast is
killed the program goes on running with its window there, and once Icecast is
back 5 s later the program plays the station again by itself.
Every process started here is stopped at the end, also when a check fails.

Usage: radio_e2e.py --tarvo PATH_TO_BINARY
"""

import os
import socket
import subprocess
import sys
import time
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import CheckFailed, check, run_script, start_xvfb, wait_until  # noqa: E402
from playback_e2e import describe_tone, read_wav  # noqa: E402

RATE = 44100
PASSWORD = "tarvo-test"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def write(path, text, mode=0o600):
    with open(path, "w") as file:
        file.write(text)
    os.chmod(path, mode)


def icecast_config(root, port):
    logs = os.path.join(root, "icecast-log")
    os.makedirs(logs)
    os.chmod(logs, 0o777)
    path = os.path.join(root, "icecast.xml")
    write(path, f"""<icecast>
  <limits><sources>2</sources></limits>
  <authentication><source-password>{PASSWORD}</source-password>
    <admin-user>admin</admin-user><admin-password>{PASSWORD}</admin-password></authentication>
  <hostname>127.0.0.1</hostname>
  <listen-socket><port>{port}</port><bind-address>127.0.0.1</bind-address></listen-socket>
  <paths><basedir>/usr/share/icecast2</basedir><logdir>{logs}</logdir>
    <webroot>/usr/share/icecast2/web</webroot><adminroot>/usr/share/icecast2/admin</adminroot></paths>
  <logging><errorlog>error.log</errorlog><accesslog>access.log</accesslog><loglevel>2</loglevel></logging>
  <security><chroot>0</chroot><changeowner><user>nobody</user><group>nogroup</group></changeowner></security>
</icecast>
""", 0o644)
    return path


def ezstream_config(root, port, mp3):
    path = os.path.join(root, "ezstream.xml")
    write(path, f"""<ezstream>
  <servers><server><hostname>127.0.0.1</hostname><port>{port}</port><password>{PASSWORD}</password></server></servers>
  <streams><stream><mountpoint>/radio.mp3</mountpoint><format>MP3</format>
    <stream_name>Tarvo Test Radio</stream_name></stream></streams>
  <intakes><intake><type>file</type><filename>{mp3}</filename></intake></intakes>
  <metadata><format_str>@a@ - @t@</format_str></metadata>
</ezstream>
""")
    return path


def station_answers(url):
    try:
        with urllib.request.urlopen(url, timeout=2) as reply:
            return len(reply.read(1000)) > 0
    except OSError:
        return False


def window_names(display):
    tree = subprocess.run(["xwininfo", "-root", "-tree"], env=dict(os.environ, DISPLAY=display),
                          capture_output=True, text=True, timeout=10).stdout
    return tree


def start_station(root, processes, synth):
    """Icecast on a free port with ezstream sending an MP3 (title "Title",
    artist "Artist") of sox's `synth` arguments; (Icecast, station URL)."""
    on_air, url = station(root, processes, synth)
    return on_air(), url


def station(root, processes, synth):
    """The station of start_station, not yet on the air: (a routine that puts
    it on the air, again after Icecast ended, and gives its Icecast; its URL)."""
    port = free_port()
    wav = os.path.join(root, "tone.wav")
    mp3 = os.path.join(root, "tone.mp3")
    subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", "-b", "16", wav, "synth", *synth, "gain", "-6"],
                   check=True, timeout=60)
    subprocess.run(["lame", "--quiet", "-b", "128", "--tt", "Title", "--ta", "Artist", wav, mp3],
                   check=True, timeout=60)
    icecast_xml = icecast_config(root, port)
    ezstream_xml = ezstream_config(root, port, mp3)
    url = "http://127.0.0.1:%d/radio.mp3" % port

    def on_air():
        icecast = subprocess.Popen(["icecast2", "-c", icecast_xml],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        processes.append(icecast)
        wait_until(lambda: socket.socket().connect_ex(("127.0.0.1", port)) == 0, "Icecast to listen", 15)
        processes.append(subprocess.Popen(["ezstream", "-c", ezstream_xml],
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_until(lambda: station_answers(url), "the station to be on the air", 20)
        return icecast

    return on_air, url


def session_bus(processes):
    """A D-Bus session daemon of this run; its address."""
    daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                              stdout=subprocess.PIPE, text=True)
    processes.append(daemon)
    return daemon.stdout.readline().strip()


def media_metadata(env):
    """The Metadata property of the player's MPRIS service, as dbus-send prints it."""
    result = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.tarvo",
                             "/org/mpris/MediaPlayer2", "org.freedesktop.DBus.Properties.Get",
                             "string:org.mpris.MediaPlayer2.Player", "string:Metadata"],
                            env=env, capture_output=True, text=True, timeout=10)
    return result.stdout


def run_checks(tarvo, root, processes):
    on_air, url = station(root, processes, ("6", "sine", "441"))
    icecast = on_air()

    _, display = start_xvfb(processes)

    home = os.path.join(root, "home")
    runtime = os.path.join(root, "run")
    for folder in (home, runtime):
        os.makedirs(folder, mode=0o700)
    heard = os.path.join(root, "heard.wav")
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", TARVO_HOME=home,
               TARVO_AUDIO_OUTPUT="wav:" + heard, XDG_RUNTIME_DIR=runtime,
               XDG_CONFIG_HOME=os.path.join(root, "config"), XDG_DATA_HOME=os.path.join(root, "data"),
               DBUS_SESSION_BUS_ADDRESS=session_bus(processes))
    log = open(os.path.join(root, "tarvo.log"), "wb")
    player = subprocess.Popen([tarvo, url], env=env, cwd=root, stdout=log, stderr=log)
    processes.append(player)

    try:
        wait_until(lambda: "Artist - Title - Tarvo" in window_names(display), "the caption to show the song title",
                   30)
    except CheckFailed:
        names = [line.strip() for line in window_names(display).splitlines() if '"' in line]
        with open(os.path.join(root, "tarvo.log"), "rb") as file:
            output = file.read()[-2000:].decode("utf-8", "replace")
        state = "running" if player.poll() is None else "ended with %s" % player.returncode
        raise CheckFailed("the caption never showed the song title; program %s, windows: %s, output: %s"
                          % (state, names[:8], output))
    check(True, "the caption shows the title that ezstream sends")

    def metadata_shows_song():
        reply = media_metadata(env)
        return '"Title"' in reply and '"Artist"' in reply
    wait_until(metadata_shows_song, "the media metadata to show the song", 15)
    check(True, "the desktop's media metadata holds the title and the artist the station sends")

    def two_seconds_heard():
        samples = read_wav(heard)
        return samples is not None and len(samples[2]) >= 2 * RATE

    wait_until(two_seconds_heard, "two seconds of the station in the WAV output", 20)
    seconds, frequency, rms = describe_tone(read_wav(heard)[2][RATE // 2:], RATE)
    check(abs(frequency - 441) < 10 and rms > 0.2, "the WAV holds the station's 441 Hz tone (%.1f Hz)" % frequency)

    icecast.kill()
    icecast.wait(timeout=10)
    time.sleep(3)
    check(player.poll() is None and "Tarvo" in window_names(display),
          "with Icecast gone the program runs on and its window stays")

    # Icecast comes back 5 s after it went: the program reconnects by itself.
    time.sleep(2)
    before = len(read_wav(heard)[2])
    on_air()
    wait_until(lambda: len(read_wav(heard)[2]) >= before + 2 * RATE,
               "the station to be heard again after Icecast came back", 60)
    seconds, frequency, rms = describe_tone(read_wav(heard)[2][before + RATE // 2:], RATE)
    check(abs(frequency - 441) < 10 and rms > 0.2,
          "after Icecast came back the station plays again by itself (%.1f Hz)" % frequency)


def main():
    return run_script(__doc__, "radio", ("icecast2", "ezstream", "Xvfb", "xwininfo", "sox", "lame", "dbus-daemon", "dbus-send"), run_checks)


if __name__ == "__main__":
    sys.exit(main())
