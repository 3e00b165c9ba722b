#!/usr/bin/env python3
"""Module documentation
spanning several lines, with 'quotes' and "more" inside.
"""
import os, sys
from collections import OrderedDict as OD


class Cache(object):
    '''A tiny cache.\'''still inside'''

    def __init__(self, size=128):
        self.size = size
        self._data = OD()

    def __getitem__(self, key):
        return self._data[key]

    def get(self, key, default=None):
        try:
            return self[key]
        except KeyError:
            return default


def numbers():
    return [0, 42, 0x1F, 0o17, 017, 1.5, .5, 1e10, 2.5e-3, 3j, 1_000, 09, 1e]


def strings():
    a = 'single' + "double" + r'\raw' + b'bytes' + f"{a!r}"
    b = 'it\'s' + "say \"hi\""
    c = "continued \
on the next line"
    d = 'also \
continued'
    e = """one line docstring"""
    return a <= b <> c >= d


@decorated
def lambdas(x):
    f = lambda y: y * 2  # a comment
    if x is not None and len(x) > 0:
        print(x, file=sys.stderr)
    while True:
        yield f(x)
    $
