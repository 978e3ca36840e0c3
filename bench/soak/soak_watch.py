"""What the soak watches: the CSVs as they grow, the processes' resident
memory, and the logs for crash and sanitizer reports."""

import datetime
import os
import time

REPORT_MARKS = ("AddressSanitizer", "UndefinedBehaviorSanitizer", "LeakSanitizer",
                "ThreadSanitizer", "runtime error:", "Segmentation fault", "terminate called",
                "Aborted", "core dumped")


class CsvFollower:
    """Reads the lines a program appends to its CSV and keeps the longest
    time between two consecutive values."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.rest = b""
        self.lines = 0
        self.last_time = None
        self.longest_gap = 0.0
        self.gap_at = "-"
        self.stamp, self.when = b"", None  # many values share a millisecond

    def follow(self):
        try:
            with open(self.path, "rb") as csv:
                csv.seek(self.offset)
                data = csv.read()
        except FileNotFoundError:
            return
        self.offset += len(data)
        data = self.rest + data
        complete, _, self.rest = data.rpartition(b"\n")
        for line in complete.split(b"\n"):
            self.take(line)

    def take(self, line):
        stamp = line.split(b",", 1)[0]
        if stamp != self.stamp:
            try:
                self.when = datetime.datetime.fromisoformat(stamp.decode()).timestamp()
            except ValueError:
                return  # the title line
            self.stamp = stamp
        when = self.when
        if self.last_time is not None and when - self.last_time > self.longest_gap:
            self.longest_gap = when - self.last_time
            self.gap_at = stamp.decode()
        self.last_time = when if self.last_time is None else max(self.last_time, when)
        self.lines += 1


def resident_mb(pid):
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024.0
    except OSError:
        pass
    return None


class MemoryWatch:
    """Per process: the first sample, the baseline taken once it ran the
    warm-up, the last sample and the largest growth over the baseline.
    A process started again (ctrlsim) begins a new series."""

    def __init__(self):
        self.series = {}

    def sample(self, name, pid):
        mb = resident_mb(pid)
        if mb is None:
            return
        one = self.series.setdefault(name, {"since": time.monotonic(), "first": mb,
                                            "base": None, "last": mb, "growth": 0.0,
                                            "pid": pid})
        if one["pid"] != pid:
            self.forget(name)
            return self.sample(name, pid)
        one["last"] = mb
        if one["base"] is not None:
            one["growth"] = max(one["growth"], mb - one["base"])

    def forget(self, name):
        old = self.series.pop(name, None)
        if old is not None and old["base"] is not None:
            self.series.setdefault("_ended " + name, []).append(old)

    def mark_warm(self, seconds):
        for one in self.series.values():
            if isinstance(one, dict) and one["base"] is None:
                if time.monotonic() - one["since"] >= seconds:
                    one["base"] = one["last"]

    def report(self, bound_mb, failures):
        lines = [f"resident memory (MB; growth counted after the warm-up, bound {bound_mb} MB):"]
        for name, one in sorted(self.series.items()):
            if name.startswith("_ended "):
                worst = max(old["growth"] for old in one)
                lines.append(f"  {name[7:]} (earlier runs, {len(one)}): largest growth "
                             f"{worst:.1f}")
                continue
            base = one["base"] if one["base"] is not None else one["first"]
            lines.append(f"  {name}: start {one['first']:.1f}, after warm-up {base:.1f}, "
                         f"end {one['last']:.1f}, largest growth {one['growth']:.1f}")
            if one["last"] - base > bound_mb:
                failures.append(f"{name} grew {one['last'] - base:.1f} MB")
        return lines


def scan_for_reports(directory):
    found = []
    for name in sorted(os.listdir(directory)):
        if not (name.endswith(".err") or name.endswith(".log")):
            continue
        with open(os.path.join(directory, name), errors="replace") as log:
            for line in log:
                if any(mark in line for mark in REPORT_MARKS):
                    found.append(f"{name}: {line.strip()[:120]}")
                    break
    return found
