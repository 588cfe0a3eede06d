#!/usr/bin/env python3
"""End-to-end run of the window's language: the real program under Xvfb, read
through the accessibility bus of a private session bus.

With LANG=en_US.UTF-8 the main menu's titles and the File menu's items are
English and the preferences window (F6) is titled "Preferences"; with LANG=C they
are the Korean ones and the title is "설정". A screenshot of each language,
the main window with the preferences open, is kept in "window_language/" of
the folder the script runs in (the tests' build folder).

Usage: window_language_e2e.py --tarvo PATH_TO_BINARY  (run by the system's
python3, which has python3-dbus)
"""

import os
import subprocess
import sys

from accessibility import Accessibility, start_session_bus
from harness import LIMIT_S, CheckFailed, check, desktop_session_env, run_script, start_xvfb, wait_until

LANGUAGES = {
    "en": {
        "LANG": "en_US.UTF-8",
        "titles": ["File", "Edit", "Play", "Favorites", "Options", "View", "Help"],
        "file": ["Open folder...", "Add folder...", "Add files...", "Add URL...", "Open playlist...",
                 "Save playlist...", "Exit"],
        "preferences_title": "Preferences",
    },
    "ko": {
        "LANG": "C",
        "titles": ["파일(F)", "편집(E)", "재생(P)", "즐겨찾기(F)", "옵션(O)", "보기(V)", "도움말(H)"],
        "file": ["폴더 열기(O)...", "폴더 추가(A)...", "파일 추가(f)...", "경로 추가(u)...", "재생목록 열기(O)...",
                 "재생목록 저장(S)...", "종료(E)"],
        "preferences_title": "설정",
    },
}


def visible_windows(env, title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], env=env,
                           capture_output=True, text=True, timeout=LIMIT_S)
    return found.stdout.split()


def shown_names(env):
    names = []
    for window in visible_windows(env, ".*"):
        name = subprocess.run(["xdotool", "getwindowname", window], env=env, capture_output=True, text=True,
                              timeout=LIMIT_S)
        names.append(name.stdout.strip())
    return names


def screenshot(env, path):
    subprocess.run(["import", "-window", "root", path], env=env, check=True, timeout=LIMIT_S)


def menu_items(accessibility, menu):
    """The names of the items under a menu title (Qt puts the menu it opens
    between them); separators have none."""
    children = accessibility.children(menu)
    while len(children) == 1:
        children = accessibility.children(children[0])
    return [name for name in accessibility.names(children) if name]


def check_language(tarvo, root, display, bus_address, language, expected, artefacts, processes):
    env = desktop_session_env(os.path.join(root, language), display)
    env.pop("LC_MESSAGES")
    env.pop("LC_CTYPE", None)
    env.update({"LANG": expected["LANG"], "DBUS_SESSION_BUS_ADDRESS": bus_address,
                "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
    program = subprocess.Popen([tarvo], env=env, cwd=root, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    processes.append(program)
    accessibility = Accessibility(bus_address)
    application = wait_until(lambda: accessibility.application("Tarvo"), "Tarvo on the accessibility bus")
    file_menu = wait_until(lambda: accessibility.find(application, expected["titles"][0]), "the File menu")
    titles = accessibility.names(accessibility.children(accessibility.parent(file_menu)))
    check(titles == expected["titles"], "%s: the main menu's titles %s" % (language, titles))
    items = menu_items(accessibility, file_menu)
    check(items == expected["file"], "%s: the File menu's items %s" % (language, items))

    window = wait_until(lambda: visible_windows(env, "Tarvo.*"), "the main window")[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env, check=True, timeout=LIMIT_S)
    subprocess.run(["xdotool", "key", "--window", window, "F6"], env=env, check=True, timeout=LIMIT_S)
    try:
        # Compared here: xdotool's pattern does not match Hangul.
        wait_until(lambda: expected["preferences_title"] in shown_names(env), "the preferences window")
    except CheckFailed as failure:
        raise CheckFailed("%s; windows shown: %s" % (failure, shown_names(env))) from None
    check(True, "%s: F6 opens the preferences, titled %s" % (language, expected["preferences_title"]))
    screenshot(env, os.path.join(artefacts, language + ".png"))

    quitting = subprocess.run([tarvo, "-quit"], env=env, cwd=root, timeout=LIMIT_S, capture_output=True)
    check(quitting.returncode == 0 and program.wait(timeout=LIMIT_S) == 0, "%s: -quit ends the instance" % language)


def run_checks(tarvo, root, processes):
    _, display = start_xvfb(processes)
    bus_address = start_session_bus(processes)
    artefacts = os.path.join(os.getcwd(), "window_language")
    os.makedirs(artefacts, exist_ok=True)
    for language, expected in LANGUAGES.items():
        check_language(tarvo, root, display, bus_address, language, expected, artefacts, processes)
    check(True, "screenshots kept in " + artefacts)


def main():
    return run_script(__doc__, "window_language", ("Xvfb", "xdotool", "import", "dbus-daemon"), run_checks)


if __name__ == "__main__":
    sys.exit(main())
