#!/usr/bin/env python3
"""Writes the example sweeps: six 10 MHz crystals of one batch, each in series between the two
ports of a 12.5 ohm fixture (4:1 transformers to the VNA's 50 ohm) with 0.5 dB of its own loss,
swept from 9.996 to 10.030 MHz over 401 points, with normal noise of 0.001 added to the real
and the imaginary part of S21. The crystals' true values go to known.csv, a batch in the
program's own columns. Run it from this folder; the same seed gives the same files."""

import cmath
import math
import random

CRYSTALS = [  # name, Fs kHz, Lm mH, Rm ohm, C0 pF
    ("X1", 9999.512, 15.21, 9.8, 4.12),
    ("X2", 9999.655, 14.87, 11.2, 3.98),
    ("X3", 9999.431, 15.46, 8.7, 4.21),
    ("X4", 9999.702, 15.02, 12.6, 4.05),
    ("X5", 9999.578, 15.33, 10.4, 4.16),
    ("X6", 9999.389, 14.95, 9.1, 3.92),
]
FIXTURE_OHM = 12.5
FIXTURE_LOSS_DB = 0.5
LOW_HZ, HIGH_HZ, POINTS = 9.996e6, 10.030e6, 401
NOISE = 0.001


def impedance(fs_hz, lm_h, rm_ohm, c0_f, f_hz):
    w = 2 * math.pi * f_hz
    cm_f = 1 / ((2 * math.pi * fs_hz) ** 2 * lm_h)
    arm = complex(rm_ohm, w * lm_h) + 1 / complex(0, w * cm_f)
    return 1 / (1 / arm + complex(0, w * c0_f))


def number(value):
    return "%.9g" % value


def pair(value):
    return number(value.real) + " " + number(value.imag)


def main():
    noise = random.Random(2026)
    gain = 10 ** (-FIXTURE_LOSS_DB / 20)
    with open("known.csv", "w") as known:
        known.write("name,fs_khz,lm_mh,rm_ohm,c0_pf\n")
        for name, fs_khz, lm_mh, rm_ohm, c0_pf in CRYSTALS:
            known.write("%s,%r,%r,%r,%r\n" % (name, fs_khz, lm_mh, rm_ohm, c0_pf))
            lines = [
                "! Crystal %s in a %g ohm series fixture, %g dB loss, noise %g"
                % (name, FIXTURE_OHM, FIXTURE_LOSS_DB, NOISE),
                "# Hz S RI R 50",
            ]
            for i in range(POINTS):
                f = LOW_HZ + (HIGH_HZ - LOW_HZ) * i / (POINTS - 1)
                z = impedance(fs_khz * 1e3, lm_mh * 1e-3, rm_ohm, c0_pf * 1e-12, f)
                s21 = gain * 2 * FIXTURE_OHM / (2 * FIXTURE_OHM + z)
                s21 += complex(noise.gauss(0, NOISE), noise.gauss(0, NOISE))
                s11 = gain * gain * z / (2 * FIXTURE_OHM + z)
                lines.append(" ".join(["%.12g" % f, pair(s11), pair(s21), pair(s21), pair(s11)]))
            with open(name + ".s2p", "w") as sweep:
                sweep.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
