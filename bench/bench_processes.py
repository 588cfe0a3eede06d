"""What the benchmarks that run the real window share: the CPU time a process
has used, and a private X server."""

import os
import subprocess


def cpu_seconds(pid):
    """User + system time of all of the process's threads, in seconds."""
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def start_xvfb():
    """An X server on a free display number; (process, DISPLAY value)."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        part = os.read(read_end, 16)
        if not part:
            break
        number += part
    os.close(read_end)
    if not number.strip():
        xvfb.kill()
        raise RuntimeError("Xvfb did not start")
    return xvfb, ":" + number.decode().strip()
