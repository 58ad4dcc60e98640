#!/usr/bin/env python3
"""Writes the sample trace files in samples/: made-up frames, not from any tracer."""
import math
import pathlib

OUT = pathlib.Path(__file__).resolve().parent.parent / "samples"


def frame_radii(n, half_a, half_b, power, tilt=0.0):
    """Radii (hundredths of a mm) of a rounded-rectangle outline, equiangular from 0 degrees."""
    radii = []
    for i in range(n):
        t = 2 * math.pi * i / n
        c, s = abs(math.cos(t)) / half_a, abs(math.sin(t)) / half_b
        r = (c ** power + s ** power) ** (-1 / power)
        r *= 1 + tilt * math.sin(t) * math.cos(t)
        radii.append(round(r * 100))
    return radii


def depths(radii, curve):
    """Z values (hundredths of a mm) of the rim on a sphere of the given base curve."""
    sphere = 530.0 / curve
    return [round((sphere - math.sqrt(sphere ** 2 - (r / 100) ** 2)) * 100) + 50 for r in radii]


def lines(label, values, per_line=10, fmt=str):
    return [label + ";".join(fmt(v) for v in values[i:i + per_line]) for i in range(0, len(values), per_line)]


def mirrored(values):
    n = len(values)
    return [values[(n // 2 - i) % n] for i in range(n)]


def eye(side, radii, z=None, angles=False):
    n = len(radii)
    out = [f"TRCFMT=1;{n};E;{side};F"]
    out += lines("R=", radii)
    if angles:
        out += lines("A=", [round(360 * i / n, 2) for i in range(n)], fmt=lambda a: f"{a:g}")
    if z:
        out += [f"ZFMT=1;{n};E;{side};F"] + lines("Z=", z)
    return out


def write(name, records, line_end):
    (OUT / name).write_bytes((line_end.join(records) + line_end).encode("latin-1"))


def main():
    right = frame_radii(400, 26.1, 19.2, 4.0, tilt=0.06)
    left = mirrored(right)
    z = depths(right, 4.0)
    write("1001", ['REQ=FIL', 'JOB="1001"', "DBL=18.5", "FTYP=1", "ETYP=1", "HBOX=52.20;52.20",
                   "VBOX=38.40;38.40", "CIRC=148.10;148.10", "FRCV=4.00;4.00", "BEVC=?;?"]
          + eye("R", right, z, angles=True) + eye("L", left, mirrored(z), angles=True), "\r\n")

    narrow = frame_radii(400, 24.0, 15.5, 5.0)
    write("1002", ["REQ=FIL", "JOB=1002", "DBL=?", "FTYP=2", "ETYP=1", "HBOX=48.00;?"] + eye("R", narrow), "\n")

    round_eye = frame_radii(400, 23.0, 21.5, 2.6)
    write("1003", ["REQ=FIL", "JOB=1003", "DBL=20", "FTYP=1", "ETYP=2"]
          + eye("L", round_eye, depths(round_eye, 6.0)), "\n")

    wide = frame_radii(512, 28.0, 17.0, 6.0, tilt=-0.04)
    write("1004", ["REQ=FIL", "JOB=1004", "DBL=17.0", "FTYP=3", "ETYP=3"] + eye("B", wide)
          + ["_SHLFFMT=1;8;E;B;F", "_S=120;118;0;;115;117;119;121"], "\r\n")

    drilled = frame_radii(400, 25.0, 17.5, 4.5)
    write("1005", ["REQ=FIL", "JOB=1005", "DBL=18", "FTYP=1", "ETYP=3", '"FRCV"=?'] + eye("R", drilled, depths(drilled, 2.0))
          + ["DRILL=R;C;10.5;3.2;1.6", "DRILL=B;C;-10.5;3.2;1.6",
             "DRILLE=B;C;20.00;2.50;1.60;21.50;2.50;1.60;A", "DRILLE=R;B;-19.0;-4.0;1.4;-18.5;-4.0;1.4",
             "DRILLE=L;E;5.0;1.0;1.2;6.0;1.0;1.2"], "\r\n")


if __name__ == "__main__":
    main()
