"""What the benchmarks that run the real window share: the CPU time a process
has used. Their private X server is the end-to-end harness's start_xvfb."""

import os


def cpu_seconds(pid):
    """User + system time of all of the process's threads, in seconds."""
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
