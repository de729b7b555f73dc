"""The blocked standard error of the average, written from H. Flyvbjerg and
H. G. Petersen, J. Chem. Phys. 91, 461 (1989), with the level chosen by the
criterion of M. Lee, R. J. Needs and N. D. Drummond, Phys. Rev. B 83,
066706 (2011): the smallest block length B = 2^j with
B^3 > 2 n (sigma_B / sigma_0)^4. Levels of fewer than MIN_BLOCKS values
do not count; a scope where no level counts and meets the criterion has no
result (None)."""

import math
import random

MIN_BLOCKS = 16


def transformed(xs):
    """The blocking transformation: x'_i = (x_{2i-1} + x_{2i}) / 2, i = 1 .. n/2
    (an odd count leaves its last value out)."""
    return [(xs[2 * i] + xs[2 * i + 1]) / 2 for i in range(len(xs) // 2)]


def squared_error(xs):
    """c_0 / (n - 1), c_0 = (1/n) sum (x_i - mean)^2: the paper's estimate of
    the variance of the average at this level."""
    n = len(xs)
    mean = math.fsum(xs) / n
    c0 = math.fsum((x - mean) ** 2 for x in xs) / n
    return c0 / (n - 1)


def levels(xs):
    """(j, n_j, sigma_j^2) for every level of at least MIN_BLOCKS values."""
    j = 0
    while len(xs) >= MIN_BLOCKS:
        yield j, len(xs), squared_error(xs)
        xs, j = transformed(xs), j + 1


def blocked_error(xs):
    """(sigma, level, blocks), or None when the scope is too short; NaN for a
    NaN or an infinity among the values, 0 for equal values."""
    n = len(xs)
    if n < MIN_BLOCKS:
        return None
    if not all(map(math.isfinite, xs)):
        return math.nan, 0, n
    # Scaled by a power of two to at most 1, so that no square overflows.
    exponent = math.frexp(max(abs(x) for x in xs))[1]
    found = list(levels([math.ldexp(x, -exponent) for x in xs]))
    first = found[0][2]
    if first == 0:
        return 0.0, 0, n
    for j, blocks, square in found[1:]:
        if 2 ** (3 * j) > 2 * n * (square / first) ** 2:
            return math.ldexp(math.sqrt(square), exponent), j, blocks
    return None


def ar1(n, phi, seed):
    """n samples of x_t = phi x_(t-1) + a standard normal deviate, from 0."""
    rng, x, xs = random.Random(seed), 0.0, []
    for _ in range(n):
        x = phi * x + rng.gauss(0, 1)
        xs.append(x)
    return xs
