#!/usr/bin/env python3
"""Per-stage shares of a `perf record -e cpu-clock --call-graph dwarf` profile of a chimewright
run, from `perf script -F comm,ip,sym` on standard input. Each sample is charged to the stage of
its call chain (outermost job step, then the innermost known piece of work)."""
import collections
import sys

# Outer steps of a job: the first of these found from the outside in names the step.
STEPS = [
    ("renderIntermediates", "renders"),
    ("renderTempFiles", "renders"),
    ("renderTempWav", "renders"),
    ("runLowNibbleDriver", "MFi: low-nibble driver"),
    ("runVendor41Driver", "MFi: vendor 0x41 driver"),
    ("runVendor21Driver", "MFi: vendor 0x21 driver"),
    ("runVendor71Driver", "MFi: vendor 0x71 driver"),
    ("runG726Driver", "MFi: G.726 driver"),
    ("runImaDriver", "MFi: IMA driver"),
    ("writeAndroidTarget", "Android: Vorbis encoding"),
    ("writeQcpTarget", "QCP route"),
    ("writeSmafTarget", "SMAF route (tarnwick's start, waits, copy)"),
]

# Pieces of a render, innermost first.
PIECES = [
    ("fft", "transforms"), ("columns", "transforms"), ("difBlock", "transforms"),
    ("ditBlock", "transforms"), ("compactRealParts", "real parts / n"),
    ("resampleSpline", "resampling"), ("applyLevel", "level"),
    ("ksys_read", "reading the input"), ("loadImage", "reading the input"),
    ("ksys_write", "writing temporary files"), ("writeTemp", "writing temporary files"),
    ("copyTempFile", "writing temporary files"),
    ("munmap", "freeing buffers"), ("exc_page_fault", "faulting in fresh buffers"),
    ("memset", "zero-filling buffers"),
    ("bandLimit", "real parts / n"),
    ("decode", "decoding to doubles, rounding to 16 bits"),
    ("tempFileBytes", "decoding to doubles, rounding to 16 bits"),
    ("round", "decoding to doubles, rounding to 16 bits"),
    ("renderTempWav", "decoding to doubles, rounding to 16 bits"),
]


def classify(comm, frames):
    if comm.startswith("tarnwick") or any(sym.startswith("tarnwick::") for sym in frames):
        return "tarnwick (child process)"
    if not comm.startswith("chimewright"):
        return "other processes (env, shell)"
    step = None
    for sym in reversed(frames):
        for marker, name in STEPS:
            if marker in sym:
                step = name
                break
        if step:
            break
    if step is None and any("std::thread::_State_impl" in sym for sym in frames):
        step = "renders"  # a helper thread of a split loop: only the renders split theirs
    if step is None:
        return "start-up, settings, checks, other"
    if step != "renders":
        return step
    for sym in frames:
        for marker, name in PIECES:
            if marker in sym:
                return "render: " + name
    return "render: other"


def main():
    counts = collections.Counter()
    comm, frames = None, []
    for line in sys.stdin:
        line = line.rstrip("\n")
        if not line.strip():
            if comm is not None:
                counts[classify(comm, frames)] += 1
            comm, frames = None, []
            continue
        parts = line.split(None, 1)
        if comm is not None and len(parts) == 2 and all(c in "0123456789abcdef" for c in parts[0]):
            frames.append(parts[1])
        else:
            if comm is not None:
                counts[classify(comm, frames)] += 1
            comm, frames = parts[0], []
    if comm is not None:
        counts[classify(comm, frames)] += 1
    total = sum(counts.values())
    rate = float(sys.argv[1]) if len(sys.argv) > 1 else 0
    for name, n in sorted(counts.items(), key=lambda kv: -kv[1]):
        ms = f"{1000.0 * n / rate:8.0f} ms" if rate else ""
        print(f"{100.0 * n / total:6.1f} %  {ms}  {name}")
    print(f"{total} samples" + (f", {total / rate:.2f} s of processor time" if rate else ""))


main()
