"""What every end-to-end script and the window benchmarks share.

run_script takes the binary from --tarvo, makes sure the tools a script needs
are installed, gives its checks a fresh scratch folder and a list to put the
processes they start in, and afterwards stops every one of them and removes
the folder, also when a check fails (exit status 0 when all checks passed).
check, wait_until and CheckFailed are how a check passes or fails;
start_xvfb gives a private X server, desktop_session_env the environment of
a program on it.
"""

import argparse
import os
import shutil
import subprocess
import tempfile
import time

STOP_LIMIT_S = 10
# How long a check waits for what it expects, unless it says otherwise.
LIMIT_S = 15.0
XVFB_TRIES = 5


class CheckFailed(Exception):
    pass


def check(condition, message):
    if not condition:
        raise CheckFailed(message)
    print("ok:", message, flush=True)


def wait_until(condition, what, limit=LIMIT_S):
    """Polls `condition` until it returns a true value, which it returns;
    fails after `limit` seconds naming `what` it waited for."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise CheckFailed("timed out after %.0f s waiting for %s" % (limit, what))


def start_xvfb(processes=None, screen="1024x768x24"):
    """An X server on a display number it picks itself; (process, DISPLAY).
    Two servers started at once by other tests may pick the same number and
    one of them then ends, so a server that ended or does not answer is
    started again. The server is added to `processes` when given."""
    for _ in range(XVFB_TRIES):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp"],
                                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            part = os.read(read_end, 16)
            if not part:
                break
            number += part
        os.close(read_end)
        display = ":" + number.decode().strip()
        if number.strip() and xvfb.poll() is None and _answers(display):
            if processes is not None:
                processes.append(xvfb)
            return xvfb, display
        xvfb.kill()
        xvfb.wait(timeout=STOP_LIMIT_S)
    raise CheckFailed("no Xvfb display could be started")


def _answers(display):
    return subprocess.run(["xwininfo", "-root"], env=dict(os.environ, DISPLAY=display), capture_output=True,
                          timeout=STOP_LIMIT_S).returncode == 0


def run_script(doc, name, tools, run_checks):
    """Runs run_checks(tarvo, root, processes); the script's exit status."""
    parser = argparse.ArgumentParser(description=doc.split("\n\n")[0])
    parser.add_argument("--tarvo", required=True, help="the tarvo binary")
    arguments = parser.parse_args()
    for tool in tools:
        if shutil.which(tool) is None:
            print("FAILED: %s is needed (scripts/setup.sh installs it)" % tool)
            return 1
    root = tempfile.mkdtemp(prefix="tarvo-%s-e2e-" % name)
    # Servers that run as another user (Icecast) read their files in here.
    os.chmod(root, 0o755)
    processes = []
    try:
        run_checks(os.path.abspath(arguments.tarvo), root, processes)
    except (CheckFailed, subprocess.SubprocessError) as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        stop_all(processes)
        shutil.rmtree(root, ignore_errors=True)
    print("all %s end-to-end checks passed" % name)
    return 0


def stop_all(processes):
    """Kills every process still running, the last started first."""
    for process in reversed(processes):
        if process.poll() is None:
            process.kill()
            try:
                process.wait(timeout=STOP_LIMIT_S)
            except subprocess.TimeoutExpired:
                pass


def desktop_session_env(root, display):
    """The environment of a program on `display` with its own home, runtime,
    configuration and data folders under `root` and the null output."""
    env = dict(os.environ)
    for folder in ("home", "run", "config", "data"):
        os.makedirs(os.path.join(root, folder), mode=0o700)
    env.update({
        "DISPLAY": display,
        "QT_QPA_PLATFORM": "xcb",
        "TARVO_HOME": os.path.join(root, "home"),
        "TARVO_AUDIO_OUTPUT": "null",
        "XDG_RUNTIME_DIR": os.path.join(root, "run"),
        "XDG_CONFIG_HOME": os.path.join(root, "config"),
        "XDG_DATA_HOME": os.path.join(root, "data"),
    })
    # The window speaks the language of the messages' locale: the checks
    # name its Korean texts, so messages follow the C locale whatever the
    # machine's; the character set's locale stays as it was.
    if "LC_ALL" in env:
        env["LC_CTYPE"] = env.pop("LC_ALL")
    env["LC_MESSAGES"] = "C"
    return env
