#!/usr/bin/env python3
"""Writes the example recording: a vibration-like signal of a machine run-up
to a bearing fault, as ".sgl" (default), ".bin" or ".dat".

Each record covers SPAN seconds: the shaft frequency with its second and third
harmonic, a bearing tone (outer-race defect at 6.55 x shaft) that grows from
record to record, and a little Gaussian noise. The output is the same on every
run (fixed seed).

    python3 examples/make_example.py                       # examples/vibration.sgl
    python3 examples/make_example.py --format bin -o vibration.bin
"""
import argparse
import math
import random
import struct

SHAFT_HZ = 24.75          # 1485 rpm
HARMONICS = ((1, 1.0), (2, 0.35), (3, 0.12))  # order, amplitude (mm/s)
BEARING_ORDER = 6.55      # outer-race defect frequency / shaft frequency
NOISE_RMS = 0.02


def record(index, records, samples, span, rng):
    """Samples of record `index` (0-based)."""
    bearing = 0.02 + 0.25 * index / max(records - 1, 1)  # the fault develops
    out = []
    for j in range(samples):
        t = span * j / samples
        v = sum(a * math.sin(2 * math.pi * k * SHAFT_HZ * t + 0.4 * k) for k, a in HARMONICS)
        v += bearing * math.sin(2 * math.pi * BEARING_ORDER * SHAFT_HZ * t)
        v += rng.gauss(0.0, NOISE_RMS)
        out.append(v)
    return out


def write_sgl(path, recs, span):
    with open(path, "w", newline="") as f:
        for r in recs:
            f.write("%d\r\n%g\r\n" % (len(r), span))
            f.write(";".join("%.5g" % v for v in r))
            f.write("\r\n\r\n")


def write_bin(path, recs, span):
    with open(path, "wb") as f:
        f.write(struct.pack("<i", len(recs)))
        for r in recs:
            f.write(struct.pack("<if", len(r), span))
            f.write(struct.pack("<%df" % len(r), *r))


def write_dat(path, recs, span):
    gain, offset = 1.0 / 4096, 0.0  # 14-bit converter codes, offset-binary around 16384
    with open(path, "w", newline="") as f:
        for i, r in enumerate(recs, 1):
            if len(r) > 11991:
                raise SystemExit("a .dat data line holds at most 11991 samples")
            codes = ",".join(str(16384 + round((v - offset) / gain)) for v in r)
            f.write("Vandrel example recording\r\nrecord %d\r\n" % i)
            f.write("ch1,run,%d,x,%.9g,y,z,%.9g,%g,%s\r\n" % (len(r), span / len(r), gain, offset, codes))
            f.write("end of record %d\r\n" % i)


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--format", choices=("sgl", "bin", "dat"), default="sgl")
    p.add_argument("--records", type=int, default=6)
    p.add_argument("--samples", type=int, default=2048)
    p.add_argument("--span", type=float, default=0.5, help="seconds per record")
    p.add_argument("-o", "--output", help="file to write (default examples/vibration.FORMAT)")
    a = p.parse_args()
    rng = random.Random(1485)
    recs = [record(i, a.records, a.samples, a.span, rng) for i in range(a.records)]
    path = a.output or "examples/vibration." + a.format
    {"sgl": write_sgl, "bin": write_bin, "dat": write_dat}[a.format](path, recs, a.span)


if __name__ == "__main__":
    main()
