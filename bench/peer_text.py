#!/usr/bin/python3
"""numpy peer of the text import/export benchmark.

Usage: peer_text.py COLUMNS_FILE OUT_DIR
Reads the column file written by bench_text with numpy.loadtxt, writes it
back with numpy.savetxt in the column format ("%13.6f", three blanks apart)
and in the "%g" format of the full export, and prints one line per timing:
"<name> <seconds>" (processor time, as bench_text measures).
"""
import os
import sys
import time

import numpy as np


def best(fn, runs):
    times = []
    result = None
    for _ in range(runs):
        start = time.process_time()
        result = fn()
        times.append(time.process_time() - start)
    return min(times), result


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    path, out_dir = sys.argv[1], sys.argv[2]
    load, data = best(lambda: np.loadtxt(path, comments="%", dtype=np.float32), 1)
    out = os.path.join(out_dir, "numpy_out.txt")
    save_f, _ = best(lambda: np.savetxt(out, data, fmt="%13.6f", delimiter="   "), 1)
    save_g, _ = best(lambda: np.savetxt(out, data, fmt="%g", delimiter="  "), 1)
    os.unlink(out)
    print(f"rows {data.shape[0]} columns {data.shape[1]}")
    print(f"loadtxt {load:.6f}")
    print(f"savetxt_f {save_f:.6f}")
    print(f"savetxt_g {save_g:.6f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
