#!/usr/bin/env python3
"""Installs the build into a scratch prefix and checks the installed tree:

1. The binary, the desktop entry, the metainfo file, the manual, the English
   translation of the window and the icons (a 48 px PNG and the scalable SVG)
   are where desktops look for them; the manual page renders without a warning.
2. desktop-file-validate and "appstreamcli validate --no-net" pass.
3. The installed binary finds its own data in "../share": after "-reg" the
   desktop entry it writes names the installed scalable icon, and lists the
   same MIME types as the installed entry.

Usage: install_check.py --cmake CMAKE --build-dir BUILD
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

from harness import CheckFailed, check


def entry_value(path, key):
    with open(path) as source:
        for line in source:
            if line.startswith(key + "="):
                return line[len(key) + 1:].strip()
    return None


def validated(command):
    result = subprocess.run(command, capture_output=True, text=True, timeout=60)
    return result.returncode == 0, (result.stdout + result.stderr).strip()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cmake", required=True)
    parser.add_argument("--build-dir", required=True)
    arguments = parser.parse_args()
    for tool in ("desktop-file-validate", "appstreamcli", "man"):
        if not shutil.which(tool):
            print("%s is not installed (scripts/setup.sh installs it)" % tool)
            return 1

    root = tempfile.mkdtemp(prefix="tarvo-install-")
    prefix = os.path.join(root, "prefix")
    try:
        subprocess.run([arguments.cmake, "--install", arguments.build_dir, "--prefix", prefix],
                       check=True, capture_output=True, timeout=120)
        binary = os.path.join(prefix, "bin", "tarvo")
        desktop = os.path.join(prefix, "share", "applications", "tarvo.desktop")
        metainfo = os.path.join(prefix, "share", "metainfo", "org.tarvo.Tarvo.metainfo.xml")
        icons = os.path.join(prefix, "share", "icons", "hicolor")
        svg = os.path.join(icons, "scalable", "apps", "tarvo.svg")
        # The manual sits where the program looks for its data, as the icon
        # the program finds below does: "../share/tarvo" from its folder.
        manual = os.path.join(os.path.dirname(binary), os.pardir, "share", "tarvo", "Documentation.html")
        english = os.path.join(os.path.dirname(manual), "translations", "tarvo_en.qm")
        png = os.path.join(icons, "48x48", "apps", "tarvo.png")
        for path in (binary, desktop, metainfo, svg, manual, english, png):
            check(os.path.isfile(path), "installed: " + os.path.relpath(path, prefix))

        page = os.path.join(prefix, "share", "man", "man1", "tarvo.1")
        rendered = subprocess.run(["man", "--warnings", "-l", page], capture_output=True, text=True, timeout=30,
                                  env=dict(os.environ, MANWIDTH="80", MAN_KEEP_FORMATTING=""))
        check(rendered.returncode == 0 and not rendered.stderr and "TARVO_AUDIO_OUTPUT" in rendered.stdout,
              "the manual page renders without a warning " + rendered.stderr)

        sections = subprocess.run(["readelf", "-S", binary], capture_output=True, text=True, timeout=30).stdout
        check(".symtab" not in sections and ".debug_info" not in sections, "the installed program is stripped")

        ok, output = validated(["desktop-file-validate", desktop])
        check(ok and not output, "desktop-file-validate passes " + output)
        ok, output = validated(["appstreamcli", "validate", "--no-net", metainfo])
        check(ok, "appstreamcli validate passes")

        env = dict(os.environ, HOME=root, XDG_CONFIG_HOME=os.path.join(root, "config"),
                   XDG_DATA_HOME=os.path.join(root, "data"), TARVO_HOME=os.path.join(root, "home"),
                   TARVO_AUDIO_OUTPUT="null")
        subprocess.run([binary, "-reg"], env=env, check=True, capture_output=True, timeout=30)
        written = os.path.join(root, "data", "applications", "tarvo.desktop")
        check(entry_value(written, "Icon") == svg, "the installed program finds its icon")
        check(entry_value(written, "MimeType") == entry_value(desktop, "MimeType"),
              "both desktop entries list the same types")
    except (CheckFailed, subprocess.SubprocessError, OSError) as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        shutil.rmtree(root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
