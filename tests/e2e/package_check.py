#!/usr/bin/env python3
"""Checks the Debian package that scripts/deb.sh built:

1. It holds the program, the desktop entry, the icons, the AppStream
   metadata, the manual and the manual page, where Debian puts them.
2. Its dependencies come from the libraries the program links (Qt among
   them).
3. Unpacked, the manual page renders without a warning and the program
   answers --version.

Usage: package_check.py PATH_TO_DEB
"""

import os
import shutil
import subprocess
import sys
import tempfile

from harness import CheckFailed, check

EXPECTED = (
    "./usr/bin/tarvo",
    "./usr/share/applications/tarvo.desktop",
    "./usr/share/icons/hicolor/48x48/apps/tarvo.png",
    "./usr/share/icons/hicolor/scalable/apps/tarvo.svg",
    "./usr/share/metainfo/org.tarvo.Tarvo.metainfo.xml",
    "./usr/share/tarvo/Documentation.html",
    "./usr/share/tarvo/translations/tarvo_en.qm",
    "./usr/share/man/man1/tarvo.1.gz",
    "./usr/share/doc/tarvo/copyright",
)


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=60, **options)


def checks(package, root):
    listed = [line.split()[-1] for line in run(["dpkg", "-c", package]).stdout.splitlines()]
    for path in EXPECTED:
        check(path in listed, "the package holds " + path)
    depends = run(["dpkg-deb", "--field", package, "Depends"]).stdout
    check("libqt6widgets6" in depends and "libmpg123" in depends, "dependencies from the linked libraries: " + depends)
    check("libcurl4" in depends and "libavformat" in depends,
          "the libraries the program loads when first needed are dependencies: " + depends)

    run(["dpkg-deb", "-x", package, root]).check_returncode()
    page = run(["man", "--warnings", "-l", os.path.join(root, "usr/share/man/man1/tarvo.1.gz")],
               env=dict(os.environ, MANWIDTH="80"))
    check(page.returncode == 0 and not page.stderr and "TARVO_HOME" in page.stdout,
          "the manual page renders without a warning " + page.stderr)
    version = run([os.path.join(root, "usr/bin/tarvo"), "--version"])
    check(version.returncode == 0 and version.stdout.startswith("Tarvo "), "the packaged program runs")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    root = tempfile.mkdtemp(prefix="tarvo-package-")
    try:
        checks(sys.argv[1], root)
    except (CheckFailed, subprocess.SubprocessError) as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        shutil.rmtree(root, ignore_errors=True)
    print("all package checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
