#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The engine's speed against NumPy and LAPACK on the same machine, in one run.

Usage: compare-speed.py BENCH_BINARY [REPETITIONS]

Each row times one engine operation (bench/engine_bench.cpp, through the engine's own
evaluator) and, right after it, the same work in NumPy, or in LAPACK called directly where
NumPy has no such function, on the same fixed random 512 x 512 complex operands. The two take
turns, one repetition each (REPETITIONS, 5 by default), and their medians are compared. A row
passes when the engine takes at most 1.5 times its yardstick and at most 1 s. A second table
times whole lines as orbex-batch enters them (the operation, the clean-up of its result and
the last result kept), each against the operation alone in NumPy, within 1.1 times. Exit
status 1 when a row misses.
"""
import ctypes
import json
import os
import statistics
import subprocess
import sys
import time

import numpy as np

RATIO_LIMIT = 1.5
SECONDS_LIMIT = 1.0
MIN_SECONDS = 0.2   # each repetition runs the operation at least this long


def fixed_matrix(rows, columns, seed):
    """splitmix64 parts uniform in [-1, 1), as fixedMatrix in bench/engine_bench.cpp."""
    mask = np.uint64(0xFFFFFFFFFFFFFFFF)
    count = np.arange(1, 2 * rows * columns + 1, dtype=np.uint64)
    with np.errstate(over="ignore"):
        z = (np.uint64(seed) + count * np.uint64(0x9E3779B97F4A7C15)) & mask
        z = (z ^ (z >> np.uint64(30))) * np.uint64(0xBF58476D1CE4E5B9)
        z = (z ^ (z >> np.uint64(27))) * np.uint64(0x94D049BB133111EB)
    z = z ^ (z >> np.uint64(31))
    parts = (z >> np.uint64(11)).astype(np.float64) * 2.0**-52 - 1.0
    return (parts[0::2] + 1j * parts[1::2]).reshape((rows, columns), order="F")


# The engine's operands, seeds and scales as in bench/engine_bench.cpp.
A = fixed_matrix(512, 512, 0)
B = fixed_matrix(512, 512, 1) * 0.25
u = fixed_matrix(512, 1, 2)
C = fixed_matrix(1, 512, 3)
v = fixed_matrix(16, 16, 4)
w = fixed_matrix(32, 32, 5)
P = fixed_matrix(1, 101, 6)


def companion(coefficients):
    """The engine's companion matrix: ones below the diagonal, -a_j / a_0 in the last column."""
    degree = coefficients.size - 1
    matrix = np.zeros((degree, degree), dtype=complex)
    matrix[np.arange(1, degree), np.arange(degree - 1)] = 1.0
    matrix[:, -1] = (-coefficients[0, 1:] / coefficients[0, 0])[::-1]
    return matrix


# LAPACK itself, for the decompositions NumPy does not offer: the library NumPy loaded.
LAPACK = ctypes.CDLL("liblapack.so.3")
POINTER = ctypes.c_void_p


def fortran(matrix):
    return np.array(matrix, dtype=np.complex128, order="F")


def address(array):
    return array.ctypes.data_as(POINTER)


def integers(*values):
    return [ctypes.byref(ctypes.c_int(value)) for value in values]


def with_workspace(call):
    """Calls a LAPACK routine for its workspace size (lwork -1), then with that workspace."""
    work = np.empty(1, complex)
    call(work, -1)
    work = np.empty(max(1, int(work[0].real)), complex)
    call(work, work.size)


def lapack_schur(matrix):
    """zgees with the unitary factor, no ordering."""
    n = matrix.shape[0]
    t, vs, values = fortran(matrix), np.empty((n, n), complex, order="F"), np.empty(n, complex)
    rwork, sdim, info = np.empty(n), ctypes.c_int(), ctypes.c_int()
    with_workspace(lambda work, lwork: LAPACK.zgees_(
        b"V", b"N", None, *integers(n), address(t), *integers(n), ctypes.byref(sdim), address(values), address(vs),
        *integers(n), address(work), *integers(lwork), address(rwork), None, ctypes.byref(info),
        ctypes.c_size_t(1), ctypes.c_size_t(1)))
    return t, vs


def lapack_pivoted_qr(matrix):
    """zgeqp3, then zungqr for the unitary factor."""
    m, n = matrix.shape
    a, tau = fortran(matrix), np.empty(min(m, n), complex)
    pivots, rwork, info = np.zeros(n, np.intc), np.empty(2 * n), ctypes.c_int()
    with_workspace(lambda work, lwork: LAPACK.zgeqp3_(
        *integers(m, n), address(a), *integers(m), address(pivots), address(tau), address(work), *integers(lwork),
        address(rwork), ctypes.byref(info)))
    r, q = np.triu(a), np.zeros((m, m), complex, order="F")
    q[:, :min(m, n)] = a[:, :min(m, n)]
    with_workspace(lambda work, lwork: LAPACK.zungqr_(
        *integers(m, m, min(m, n)), address(q), *integers(m), address(tau), address(work), *integers(lwork),
        ctypes.byref(info)))
    return q, r, pivots


# operation, engine benchmark, yardstick text, yardstick (a callable, or the name of another
# benchmark of the same run), factor of the yardstick.
ROWS = [
    ("*", "product", "A @ B", lambda: A @ B, 1),
    ("A * B; entered", "driver_hidden_product", "A @ B", lambda: A @ B, 1),
    ("/", "right_division", "A @ inv(B)", lambda: A @ np.linalg.inv(B), 1),
    ("\\", "left_division", "inv(A) @ B", lambda: np.linalg.inv(A) @ B, 1),
    ("Solve, 512 columns", "solve_matrix", "lstsq(A, B)", lambda: np.linalg.lstsq(A, B, rcond=None), 1),
    ("Solve, 1 column", "solve_vector", "lstsq(A, u)", lambda: np.linalg.lstsq(A, u, rcond=None), 1),
    ("Inv", "inverse", "inv(A)", lambda: np.linalg.inv(A), 1),
    ("Det", "determinant", "det(B)", lambda: np.linalg.det(B), 1),
    ("CharP", "characteristic_polynomial", "eigvals(B)", lambda: np.linalg.eigvals(B), 1),
    ("Evals", "eigenvalues", "eig(A)", lambda: np.linalg.eig(A), 1),
    ("Schur", "schur", "LAPACK zgees(A)", lambda: lapack_schur(A), 1),
    ("SVD", "singular_values", "svd(A)", lambda: np.linalg.svd(A), 1),
    ("RREF", "reduced_row_echelon", "3 x solve(A, u)", lambda: np.linalg.solve(A, u), 3),
    ("Roots, 512 coefficients", "roots", "eigvals(companion)", lambda: np.linalg.eigvals(COMPANION), 1),
    ("QR", "qr", "qr(A, 'complete')", lambda: np.linalg.qr(A, mode="complete"), 1),
    ("QR with pivoting", "qr_pivoting", "LAPACK zgeqp3 + zungqr", lambda: lapack_pivoted_qr(A), 1),
    ("OpNm(2, M)", "operator_norm_2", "norm(A, 2)", lambda: np.linalg.norm(A, 2), 1),
    ("X, 16 x 16 by 32 x 32", "tensor_product", "kron(v, w)", lambda: np.kron(v, w), 1),
    ("text, decimal", "display_decimal", "snprintf %G", "snprintf_decimal", 1),
    ("text, floating point", "display_floating_point", "snprintf %15.9E", "snprintf_floating_point", 1),
    ("text, rational", "display_rational", "snprintf %G", "snprintf_rational", 1),
]
COMPANION = companion(C)
COMPANION_100 = companion(P)

# Whole lines as orbex-batch enters them (bench/driver_bench.cpp), their results hidden: the
# operation with the clean-up and the last result around it, against the operation alone.
LINE_ROWS = [
    ("A; (naming A)", "line_name_only", "A.copy()", lambda: A.copy(), 1),
    ("v X w;", "line_tensor_product", "kron(v, w)", lambda: np.kron(v, w), 1),
    ("Exp A;", "line_exp", "exp(A)", lambda: np.exp(A), 1),
    ("Sin A;", "line_sin", "sin(A)", lambda: np.sin(A), 1),
    ("Det B;", "line_determinant", "det(B)", lambda: np.linalg.det(B), 1),
    ("A \\ B;", "line_left_division", "inv(A) @ B", lambda: np.linalg.inv(A) @ B, 1),
    ("Roots P; (degree 100)", "line_roots_100", "eigvals(companion)", lambda: np.linalg.eigvals(COMPANION_100), 1),
]
LINE_RATIO_LIMIT = 1.1


def engine_times(binary, names):
    """Seconds and line of one repetition of each benchmark, from one run of the benchmark binary."""
    pattern = "^(" + "|".join(names) + ")$"
    output = subprocess.run([binary, "--benchmark_filter=" + pattern, "--benchmark_format=json",
                             "--benchmark_min_time=%g" % MIN_SECONDS],
                            check=True, capture_output=True, text=True).stdout
    report = json.loads(output)
    times = {}
    for run in report["benchmarks"]:
        if run.get("error_occurred"):
            sys.exit("%s: %s" % (run["run_name"], run["error_message"]))
        times[run["run_name"]] = (run["real_time"] / 1000.0, run.get("label", ""))
    return times, report["context"]


def session_times(binary):
    """The session benchmarks' time per line, by session length."""
    output = subprocess.run([binary, "--benchmark_filter=^session_small_lines/", "--benchmark_format=json"],
                            check=True, capture_output=True, text=True).stdout
    return [(run["name"], run["per_line"]) for run in json.loads(output)["benchmarks"]]


def numpy_time(function):
    """Seconds of one call, from calls repeated for MIN_SECONDS at least."""
    function()
    start = time.perf_counter()
    function()
    calls = max(1, int(MIN_SECONDS / max(time.perf_counter() - start, 1e-9)))
    start = time.perf_counter()
    for _ in range(calls):
        function()
    return (time.perf_counter() - start) / calls


def openblas_config():
    library = ctypes.CDLL("libopenblas.so.0")
    library.openblas_get_config.restype = ctypes.c_char_p
    return library.openblas_get_config().decode()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    binary, repetitions = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 5
    print("load before: " + " ".join("%.2f" % load for load in os.getloadavg()))
    print("NumPy %s on %s" % (np.__version__, openblas_config()))
    misses = []
    for rows, limit in ((ROWS, RATIO_LIMIT), (LINE_ROWS, LINE_RATIO_LIMIT)):
        print("%-24s %-16s %10s  %-30s %10s %7s" % ("operation" if rows is ROWS else "whole line", "engine line",
                                                     "engine ms", "yardstick", "yardstick ms", "ratio"))
        context = compare(binary, repetitions, rows, limit, misses)
    print("small lines by the length of the session (2+3, A=[1,2;3,4], D(A) in turn), per line:")
    for name, per_line in session_times(binary):
        print("  %-32s %6.1f us" % (name, per_line * 1e6))
    print("engine on " + context.get("openblas", "Eigen alone") + ", BLAS kernels " + context.get("kernels", "Eigen"))
    print("load after: " + " ".join("%.2f" % load for load in os.getloadavg()))
    if misses:
        print("over the row's limit or %.0f s: %s" % (SECONDS_LIMIT, ", ".join(misses)))
        return 1
    print("every row within its limit (operations %.1fx, whole lines %.1fx) and under %.0f s"
          % (RATIO_LIMIT, LINE_RATIO_LIMIT, SECONDS_LIMIT))
    return 0


def compare(binary, repetitions, rows, limit, misses):
    """Prints a row for each operation, engine then yardstick; returns the benchmarks' context.

    The engine and its yardstick take turns, one repetition each, so that both see the same
    load: on a shared machine the speed of the same code drifts by a quarter within seconds."""
    context = {}
    for operation, name, yardstick_text, yardstick, factor in rows:
        names = [name] + ([yardstick] if isinstance(yardstick, str) else [])
        engine_samples, reference_samples = [], []
        for _ in range(repetitions):
            times, context = engine_times(binary, names)
            seconds, line = times[name]
            engine_samples.append(seconds)
            if isinstance(yardstick, str):
                reference, count = times[yardstick]
            else:
                reference = numpy_time(yardstick)
            reference_samples.append(reference * factor)
        if isinstance(yardstick, str):
            yardstick_text += ", " + count
        seconds, reference = statistics.median(engine_samples), statistics.median(reference_samples)
        ratio = seconds / reference
        missed = ratio > limit or seconds > SECONDS_LIMIT
        if missed:
            misses.append(operation)
        print("%-24s %-16s %10.2f  %-30s %10.2f %7.2f%s" % (operation, line or "A", seconds * 1e3, yardstick_text,
                                                           reference * 1e3, ratio, "  MISS" if missed else ""))
    return context


if __name__ == "__main__":
    sys.exit(main())
