"""What every end-to-end script does around its checks.

It takes the binary from --tarvo, makes sure the tools it needs are installed,
gives the checks a fresh scratch folder and a list to put the processes they
start in, and afterwards stops every one of them and removes the folder, also
when a check fails. Exit status 0 when all checks passed.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from playback_e2e import CheckFailed  # noqa: E402

STOP_LIMIT_S = 10


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
        for process in reversed(processes):
            if process.poll() is None:
                process.kill()
                try:
                    process.wait(timeout=STOP_LIMIT_S)
                except subprocess.TimeoutExpired:
                    pass
        shutil.rmtree(root, ignore_errors=True)
    print("all %s end-to-end checks passed" % name)
    return 0


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
    return env
