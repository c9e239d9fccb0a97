#!/usr/bin/env python3
# Prints the rows of UPPER_RANGES in src/base/upper_case.cpp: the simple uppercase mappings of the
# Basic Multilingual Plane that Windows' ordinal comparisons use. Windows keeps only the pairs that
# map back (the lowercase of the uppercase is the character itself): no "\u0131" to "I", no
# titlecase letters. Rows are runs of characters, one or every other, that share one offset.
import unicodedata
m = {}
for c in range(0x80, 0x10000):
    if 0xD800 <= c <= 0xDFFF: continue
    u = chr(c).upper()
    if len(u) > 1:
        u = chr(c).title()  # the simple mapping of a character whose full one spells two
    if len(u) == 1 and ord(u) != c and ord(u) < 0x10000 and u.lower() == chr(c):
        m[c] = ord(u)
# runs: step 1 same delta, or step 2 same delta
keys = sorted(m)
runs = []
i = 0
while i < len(keys):
    a = keys[i]; d = m[a] - a
    # try step 2
    best = None
    for step in (1, 2):
        j = i; last = a
        while j + 1 < len(keys) and keys[j+1] == last + step and m[keys[j+1]] - keys[j+1] == d:
            j += 1; last = keys[j]
        if best is None or j > best[0]: best = (j, last, step)
    j, last, step = best
    if j == i: step = 1
    runs.append((a, last, step, d))
    i = j + 1
for a, l, s, d in runs:
    print("    {0x%04X, 0x%04X, %d, %d}," % (a, l, s, d))
