#!/usr/bin/env python3
"""Writes the example sweeps of an uncalibrated fixture: four 10 MHz crystals of one batch,
each in series between the two ports of a 12.5 ohm fixture with 0.5 dB of its own loss, seen
through 3 ns of cable delay that no calibration removed and a phase offset of -40 degrees,
swept from 9.990 to 10.040 MHz over 601 points, with normal noise of 0.001 on the real and the
imaginary part of S21. Each crystal has a spurious mode 21 to 23 kHz above its series
resonance, as crystals cut alike have. The crystals' true values go to known.csv (with the
spurious mode in the batch's spur1_ columns).
Run it from this folder; the same seed gives the same files."""

import cmath
import math
import random

CRYSTALS = [  # name, Fs kHz, Lm mH, Rm ohm, C0 pF, spurious modes (offset kHz, Lm mH, Rm ohm)
    ("Y1", 9999.512, 15.21, 9.8, 4.12, [(21.4, 58.0, 85.0)]),
    ("Y2", 9999.655, 14.87, 11.2, 3.98, [(22.7, 63.0, 72.0)]),
    ("Y3", 9999.431, 15.46, 8.7, 4.21, [(22.0, 60.0, 80.0)]),
    ("Y4", 9999.578, 15.33, 10.4, 4.16, [(21.8, 61.0, 90.0)]),
]
FIXTURE_OHM = 12.5
FIXTURE_LOSS_DB = 0.5
DELAY_S = 3e-9
PHASE_OFFSET_DEG = -40.0
LOW_HZ, HIGH_HZ, POINTS = 9.990e6, 10.040e6, 601
NOISE = 0.001


def arm(fs_hz, lm_h, rm_ohm, w):
    cm_f = 1 / ((2 * math.pi * fs_hz) ** 2 * lm_h)
    return complex(rm_ohm, w * lm_h) + 1 / complex(0, w * cm_f)


def impedance(fs_khz, lm_mh, rm_ohm, c0_pf, spurs, f_hz):
    w = 2 * math.pi * f_hz
    admittance = 1 / arm(fs_khz * 1e3, lm_mh * 1e-3, rm_ohm, w) + complex(0, w * c0_pf * 1e-12)
    for offset_khz, spur_lm_mh, spur_rm_ohm in spurs:
        admittance += 1 / arm((fs_khz + offset_khz) * 1e3, spur_lm_mh * 1e-3, spur_rm_ohm, w)
    return 1 / admittance


def number(value):
    return "%.9g" % value


def pair(value):
    return number(value.real) + " " + number(value.imag)


def main():
    noise = random.Random(2027)
    gain = 10 ** (-FIXTURE_LOSS_DB / 20)
    with open("known.csv", "w") as known:
        known.write("name,fs_khz,lm_mh,rm_ohm,c0_pf,spur1_khz,spur1_lm_mh,spur1_rm_ohm\n")
        for name, fs_khz, lm_mh, rm_ohm, c0_pf, spurs in CRYSTALS:
            spur = ",".join("%r" % v for v in spurs[0]) if spurs else ",,"
            known.write("%s,%r,%r,%r,%r,%s\n" % (name, fs_khz, lm_mh, rm_ohm, c0_pf, spur))
            lines = [
                "! Crystal %s in a %g ohm series fixture, %g dB loss, %g ns of cable delay and "
                "%g degrees of phase offset left uncalibrated, noise %g"
                % (name, FIXTURE_OHM, FIXTURE_LOSS_DB, DELAY_S * 1e9, PHASE_OFFSET_DEG, NOISE),
                "# Hz S RI R 50",
            ]
            for i in range(POINTS):
                f = LOW_HZ + (HIGH_HZ - LOW_HZ) * i / (POINTS - 1)
                z = impedance(fs_khz, lm_mh, rm_ohm, c0_pf, spurs, f)
                fixture = cmath.exp(1j * (math.radians(PHASE_OFFSET_DEG) - 2 * math.pi * f * DELAY_S))
                s21 = gain * 2 * FIXTURE_OHM / (2 * FIXTURE_OHM + z) * fixture
                s21 += complex(noise.gauss(0, NOISE), noise.gauss(0, NOISE))
                s11 = gain * gain * z / (2 * FIXTURE_OHM + z) * fixture * fixture
                lines.append(" ".join(["%.12g" % f, pair(s11), pair(s21), pair(s21), pair(s11)]))
            with open(name + ".s2p", "w") as sweep:
                sweep.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
