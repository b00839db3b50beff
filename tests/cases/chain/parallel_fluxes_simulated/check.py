"""Compares kinesim's S with the two-route rate law dS/dt = -(Q1 S/(K1+S) + Q2 S/(K2+S)),
integrated here by classical Runge-Kutta, at every output time."""
import csv
import sys

Q1, K1, Q2, K2 = 0.2, 1.0, 0.5, 0.5


def rate(s):
    return -(Q1 * s / (K1 + s) + Q2 * s / (K2 + s))


def reference(t_end, s=1.0, steps_per_unit=2000):
    h = 1.0 / steps_per_unit
    for _ in range(round(t_end * steps_per_unit)):
        k1 = rate(s)
        k2 = rate(s + h / 2 * k1)
        k3 = rate(s + h / 2 * k2)
        k4 = rate(s + h * k3)
        s += h / 6 * (k1 + 2 * k2 + 2 * k3 + k4)
    return s


with open(sys.argv[1]) as table:
    rows = list(csv.DictReader(table))
for row in rows:
    t, s = float(row["time"]), float(row["S.cel"])
    expected = reference(t)
    if abs(s - expected) <= 1e-8 + 1e-5 * abs(expected):
        print("t = %g: S follows the rate law of both routes" % t)
    else:
        print("t = %g: S is %.8g, both routes give %.8g" % (t, s, expected))
