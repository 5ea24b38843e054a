#!/usr/bin/env python3
"""Prints the level quantiser's 41 index boundaries as C++ hex-float literals.

Evaluates the quantiser's stated steps with exact arithmetic, independently of
the C++ code: the natural logarithm correctly rounded to double, times the
single-precision constant for 1/ln 10 (product rounded to double, then to
single), times 20 in double, rounded half to even, plus 26, clamped to 0..41.
For each index n the search finds the first single whose index is n or more.
The output is the boundary table of meter_model_test.cpp.
"""
import decimal
import struct

decimal.getcontext().prec = 60


def to_single(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def single_from_bits(bits):
    return struct.unpack("<f", struct.pack("<I", bits))[0]


INV_LN10 = to_single(0.4342944920063019)


def index_of(a):
    ln = float(decimal.Decimal(a).ln())  # correctly rounded to double
    log10 = to_single(ln * INV_LN10)
    level = round(20.0 * log10)  # exact product; Python rounds half to even
    return max(0, min(41, level + 26))


def first_single_reaching(n):
    lo, hi = 1, 0x7F7FFFFF  # smallest subnormal .. largest finite
    while lo < hi:
        mid = (lo + hi) // 2
        if index_of(single_from_bits(mid)) >= n:
            hi = mid
        else:
            lo = mid + 1
    return lo


def literal(x):
    mantissa, exponent = x.hex().split("p")
    return f"{mantissa.rstrip('0')}p{exponent}f"


for n in range(1, 42):
    bits = first_single_reaching(n)
    below, first = single_from_bits(bits - 1), single_from_bits(bits)
    assert index_of(below) == n - 1 and index_of(first) == n
    print(f"    {{{literal(below)}, {literal(first)}, {n}}},  // {first:.9g}")
