#!/usr/bin/env python3
"""End-to-end run of "-reg" and "-unreg" of the real Tarvo program over a
scratch home (HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, TARVO_HOME), with no
display at all. Checked:

1. "-reg" ends on its own without a display; afterwards the desktop's own
   tool, xdg-mime, answers tarvo.desktop as the default program of
   audio/mpeg, and the desktop entry Tarvo wrote passes desktop-file-validate.
2. "-unreg" leaves mimeapps.list byte for byte as it was before "-reg", and
   removes the desktop entry.

Usage: associations_e2e.py --tarvo PATH_TO_BINARY
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

from harness import CheckFailed, check

SWITCH_LIMIT_S = 30.0

SHARED_LIST = (
    "# a desktop's defaults\n"
    "[Added Associations]\n"
    "audio/mpeg=other.desktop;\n"
    "\n"
    "[Default Applications]\n"
    "audio/mpeg=other.desktop;second.desktop;\n"
    "text/plain=editor.desktop;\n"
)


def scratch_environment(root):
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CURRENT_DESKTOP")}
    env.update({
        "HOME": root,
        "XDG_CONFIG_HOME": os.path.join(root, "config"),
        "XDG_DATA_HOME": os.path.join(root, "data"),
        # No system folders: only what Tarvo writes counts.
        "XDG_DATA_DIRS": os.path.join(root, "system"),
        "XDG_CONFIG_DIRS": os.path.join(root, "system-config"),
        "TARVO_HOME": os.path.join(root, "tarvo-home"),
        "TARVO_AUDIO_OUTPUT": "null",
    })
    return env


def run_switch(tarvo, switch, env):
    result = subprocess.run([tarvo, switch], env=env, timeout=SWITCH_LIMIT_S,
                            capture_output=True, text=True)
    check(result.returncode == 0, '"%s" ends with exit code 0 (got %d: %s)'
          % (switch, result.returncode, result.stderr.strip()))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tarvo", required=True)
    tarvo = os.path.abspath(parser.parse_args().tarvo)
    for tool in ("xdg-mime", "desktop-file-validate"):
        if not shutil.which(tool):
            print("%s is not installed (scripts/setup.sh installs it)" % tool)
            return 1

    root = tempfile.mkdtemp(prefix="tarvo-assoc-")
    try:
        env = scratch_environment(root)
        mimeapps = os.path.join(env["XDG_CONFIG_HOME"], "mimeapps.list")
        entry = os.path.join(env["XDG_DATA_HOME"], "applications", "tarvo.desktop")
        os.makedirs(env["XDG_CONFIG_HOME"])
        with open(mimeapps, "w") as out:
            out.write(SHARED_LIST)

        run_switch(tarvo, "-reg", env)
        answer = subprocess.run(["xdg-mime", "query", "default", "audio/mpeg"], env=env,
                                capture_output=True, text=True, timeout=SWITCH_LIMIT_S).stdout.strip()
        check(answer == "tarvo.desktop", "xdg-mime names tarvo.desktop for audio/mpeg (got %r)" % answer)
        validation = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
        check(validation.returncode == 0 and not validation.stdout.strip(),
              "the written desktop entry is valid " + validation.stdout.strip())

        run_switch(tarvo, "-unreg", env)
        with open(mimeapps) as source:
            check(source.read() == SHARED_LIST, "mimeapps.list is as it was before -reg")
        check(not os.path.exists(entry), "the desktop entry is gone")
    except (CheckFailed, subprocess.TimeoutExpired) as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        shutil.rmtree(root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
