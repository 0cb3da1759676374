#!/usr/bin/env python3
"""Reference model of the scenario compiler, written from the compile rules
alone, independently of the C++ sources.

It reads a line description (S_linea.txt) and a train description
(S_T-.txt), compiles them, and prints the compiled route, scenario table and
selected track plan metres in the CSV layout of `scenario_tool dump --csv`.

    reference.py CASE_DIR            # write route.csv, scenario.csv (and plan.csv
                                     # when CASE_DIR/plan_metres lists metres),
                                     # expected_status, expected_stderr
    reference.py --embedded SRC_DIR OUT_DIR
                                     # compile the embedded texts written by
                                     # `scenario_tool sources`, check every compiled
                                     # fact stated about them, write the two CSVs

Every real-to-integer conversion goes through rnd() on an exact Fraction, so
halves go to the even neighbour on the whole expression; integers are Python
integers (exact) and only a store into a field keeps its low bits.
"""

import os
import re
import sys
from fractions import Fraction


def rnd(value):
    """Nearest integer of an exact value, halves to the even neighbour."""
    return round(Fraction(value))


def low_unsigned(value, bits):
    return value & ((1 << bits) - 1)


def low_signed(value, bits):
    value &= (1 << bits) - 1
    return value - (1 << bits) if value >= 1 << (bits - 1) else value


class CompileStop(Exception):
    """The parser stops reading (the error kind is already recorded)."""


class ReadFailure(Exception):
    """Error 25: a value outside its field, a cell outside the route, ..."""


# ---------------------------------------------------------------- field reader

class Reader:
    def __init__(self, data):
        self.s = data.decode("latin-1")
        self.i = 0
        self.line = 1  # line of the last field read, for error reports
        self.field_line = 1

    def eof(self):
        return self.i >= len(self.s)

    def _skip(self):
        while self.i < len(self.s) and self.s[self.i] in " \r\n":
            if self.s[self.i] == "\n":
                self.line += 1
            self.i += 1

    def _consume_end(self):
        # A field's terminator is consumed with it: a comma, a blank or a line end.
        s = self.s
        if self.i < len(s):
            if s[self.i] == "\r":
                self.i += 1
                if self.i < len(s) and s[self.i] == "\n":
                    self.i += 1
                self.line += 1
            elif s[self.i] == "\n":
                self.i += 1
                self.line += 1
            else:
                self.i += 1

    def text(self):
        self._skip()
        if self.eof():
            raise ReadFailure("text field past the end")
        self.field_line = self.line
        s = self.s
        start = self.i
        if s[start] == '"':
            end = s.index('"', start + 1)
            value = s[start + 1:end]
            self.i = end + 1
            while self.i < len(s) and s[self.i] not in ",\r\n":
                self.i += 1
            self._consume_end()
            return value
        while self.i < len(s) and s[self.i] not in ",\r\n":
            self.i += 1
        value = s[start:self.i]
        self._consume_end()
        return value

    def keyword(self):
        # A keyword field: when only blanks and line ends are left it is empty
        # and the file is at its end.
        self._skip()
        if self.eof():
            return ""
        return self.text()

    def number(self, bits=32):
        # Leading blanks and line ends go; an optional sign and digits; the
        # field ends at a blank, a comma or a line end, then blanks are
        # skipped and one comma or one line end is consumed. Only blanks
        # before a comma: an empty field, 0. Anything else is a reading failure.
        s = self.s
        while self.i < len(s) and s[self.i] in " \r\n":
            if s[self.i] == "\n":
                self.line += 1
            self.i += 1
        if self.eof():
            raise ReadFailure("numeric field past the end")
        start = self.i
        while self.i < len(s) and s[self.i] not in " ,\r\n":
            self.i += 1
        token = s[start:self.i]
        while self.i < len(s) and s[self.i] == " ":
            self.i += 1
        if self.i < len(s) and s[self.i] in ",\r\n":
            self._consume_end()
        if not re.fullmatch(r"[+-]?[0-9]+", token) and token != "":
            raise ReadFailure("not a number")
        value = int(token) if token else 0
        if not -(1 << (bits - 1)) <= value < (1 << (bits - 1)):
            raise ReadFailure("number outside its field")
        return value

    def byte(self):
        value = self.number()
        if not 0 <= value <= 255:
            raise ReadFailure("byte outside 0..255")
        return value


# ---------------------------------------------------------------- model

ROUTE_FIELDS = ["kind", "param1", "param2", "param3", "param4", "param5",
                "marker", "tunnel", "speed_limit", "gradient", "adhesion"]
ROUTE_WIDTH = {"kind": (8, False), "param1": (16, True), "param2": (16, True),
               "param3": (16, True), "param4": (16, True), "param5": (8, False),
               "marker": (8, False), "tunnel": (8, False), "speed_limit": (8, False),
               "gradient": (8, False), "adhesion": (8, False)}
ENTRY_FIELDS = ["code", "value1", "value2", "value3", "flag", "text", "word1", "word2",
                "word3", "word4", "word5", "byte1", "byte2", "byte3", "byte4", "seconds"]
ENTRY_WIDTH = {"code": (8, False), "value1": (32, True), "value2": (32, True),
               "value3": (32, True), "flag": (8, False), "word1": (16, True),
               "word2": (16, True), "word3": (16, True), "word4": (16, True),
               "word5": (16, True), "byte1": (8, False), "byte2": (8, False),
               "byte3": (8, False), "byte4": (8, False), "seconds": (32, True)}


class Cell:
    def __init__(self):
        for f in ROUTE_FIELDS:
            setattr(self, f, 0)

    def __setattr__(self, name, value):
        bits, signed = ROUTE_WIDTH[name]
        object.__setattr__(self, name, low_signed(value, bits) if signed else low_unsigned(value, bits))


class Entry:
    def __init__(self):
        for f in ENTRY_FIELDS:
            setattr(self, f, "" if f == "text" else 0)

    def __setattr__(self, name, value):
        if name != "text":
            bits, signed = ENTRY_WIDTH[name]
            value = low_signed(value, bits) if signed else low_unsigned(value, bits)
        object.__setattr__(self, name, value)


class Model:
    def __init__(self, scenario_id, train_id, full):
        self.scenario_id = scenario_id
        self.train_id = train_id
        self.full = full
        self.table = [Entry() for _ in range(87)]
        self.route = None
        self.plan = None  # list of [x, y] per metre; None = empty element
        self.plan_int = set()  # metres whose elements are 16-bit integers
        self.track_length = 0
        self.last_cell = 0
        self.error_code = 0
        self.error_position = 0
        self.error_line = None  # (file, line) of the record that recorded it
        self.walk_index = 0
        self.gap_count = 0

    def record(self, code, position=None, where=None):
        self.error_code = code
        if position is not None:
            self.error_position = position
        self.error_line = where

    def cell(self, index):
        if self.route is None or not 0 <= index <= self.last_cell:
            raise ReadFailure("cell outside the route")
        return self.route[index]

    def free(self, index):
        return self.cell(index).kind in (0, 11)


# ---------------------------------------------------------------- line half

def line_half(m, data, line_name):
    m.table[85].text = m.scenario_id
    m.table[86].text = m.train_id
    r = Reader(data)

    while True:
        if r.eof():
            m.record(102)
            raise CompileStop
        field = r.keyword()
        if r.eof():
            m.record(102)
            raise CompileStop
        if "[generale]" in field.lower():
            break

    # general section
    while True:
        if r.eof():
            break
        f = r.keyword()
        if r.eof():
            break
        for _ in range(10):
            if "-" in f:
                f = r.keyword()
            else:
                break
        lf = f.lower()
        if "percorso" in lf and "lunghezza" in lf:
            length = r.number()
            m.table[84].value2 = length
            if length > 1000000:
                m.record(1)
                raise CompileStop
            if length < 0:
                raise ReadFailure("negative length")
            m.track_length = length + 7000
            m.last_cell = rnd(Fraction(m.track_length, 50))
            m.route = [Cell() for _ in range(m.last_cell + 1)]
            if m.full:
                m.plan = [[None, None] for _ in range(m.track_length + 1)]
        if "tre" in f and "progressiva" in f:
            e = m.table[81]
            e.value1 = r.number()
            e.value2 = r.number()
            e.value3 = r.number()
        if "due" in f and "progressiva" in f:
            e = m.table[82]
            e.value1 = r.number()
            e.value2 = r.number()
            e.value3 = r.number()
        if "uno" in f and "progressiva" in f:
            e = m.table[83]
            e.value1 = r.number()
            e.value2 = r.number()
            e.value3 = r.number()
        if "sfondo" in f and "uno" in f:
            m.table[85].value1 = r.number()
        if "sfondo" in f and "due" in f:
            m.table[85].value3 = r.number()
        if "sfondo" in f and "tre" in f:
            m.table[85].value2 = r.number()
        if "segnali" in f and "ripetizione" in f:
            m.table[86].value1 = start = r.number()
            m.table[86].value2 = end = r.number()
            if start % 50:
                m.record(3)
                raise CompileStop
            if end % 50:
                m.record(4)
                raise CompileStop
            if "4" in f:
                m.table[86].value3 = 4
            elif "9" in f:
                m.table[86].value3 = 9
            else:
                m.record(5)
                raise CompileStop
            if end == 0:
                m.table[86].value3 = 0
        if not f.lstrip().startswith("-") and "[" in f and "]" in f:
            break

    order_chainage(m)
    tunnels = []  # (inizio, fine) in file order
    next_board = 80
    fill = 0
    previous_gradient = 0
    if m.plan is not None:
        plan_start(m)
    cursor = [2]

    def in_range(position):
        return position + 100 <= 50 * m.last_cell

    while True:
        if r.eof():
            break
        f = r.keyword()
        if r.eof():
            break
        if "-" in f:
            f = r.keyword()
            if r.eof():
                break
            if "-" in f:
                f = r.keyword()
                if r.eof():
                    break
        where = (line_name, r.field_line)
        lf = f.lower()
        if "pendenza" in lf:
            p, g = r.number(), r.number()
            if m.route is None:
                raise ReadFailure("no route")
            if not in_range(p):
                m.record(15, p, where)
                break
            n = rnd(Fraction(p, 50))
            if n > 0:
                while True:
                    m.cell(fill).gradient = previous_gradient + 100
                    fill += 1
                    if not fill < n:
                        break
            previous_gradient = g
        if "curva" in lf and m.full:
            p, n = r.number(), r.number()
            if m.route is None:
                raise ReadFailure("no route")
            if not in_range(p):
                m.record(15, p, where)
                break
            curve_step(m, cursor, f, p, n)
        if "montagna" in lf:
            inizio, fine, tipo = r.number(), r.number(), r.number()
            if m.route is None:
                raise ReadFailure("no route")
            if not in_range(inizio):
                m.record(15, inizio, where)
                break
            if len(tunnels) == 80:
                raise ReadFailure("no slot left for a mountain stretch")
            markers = tipo > 10
            if markers:
                tipo -= 10
            tunnels.append((inizio, fine))
            if len(tunnels) > 1 and inizio - tunnels[-2][1] <= 150:
                tipo = 3
            first = rnd(Fraction(inizio, 50))
            last = min(rnd(Fraction(fine, 50) - 1), m.last_cell)
            count = 0
            for c in range(first, last + 1):
                count += 1
                cell = m.cell(c)
                cell.tunnel = tipo
                if markers and count % 4 == 0 and cell.kind == 0:
                    cell.kind = 11
        if "indicatori_v" in lf:
            pos = r.number()
            vas, vbs, vcs, ss = r.number(), r.number(), r.number(), r.number()
            vad, vbd, vcd, sd = r.number(), r.number(), r.number(), r.number()
            if m.route is None:
                raise ReadFailure("no route")
            if not in_range(pos):
                m.record(15, pos, where)
                break
            c = rnd(Fraction(pos, 50) + 1)
            words = [rnd(Fraction(vd, 5) + vs * 20) for vs, vd in ((vas, vad), (vbs, vbd), (vcs, vcd))]
            if any(not -32768 <= w <= 32767 for w in words):
                raise ReadFailure("speed word outside 16 bits")
            if not m.free(c):
                m.record(21, pos, where)
                raise CompileStop
            cell = m.cell(c)
            cell.kind = 6
            cell.param1, cell.param2, cell.param3 = words
            cell.param4 = ss * 10 + sd
        if "indicat" in lf and "cartello" in lf:
            p = r.number()
            text = r.text()
            if m.route is None:
                raise ReadFailure("no route")
            if not in_range(p):
                m.record(15, p, where)
                break
            c = rnd(Fraction(p, 50) + 1)
            if not m.free(c):
                m.record(6, p, where)
                raise CompileStop
            if next_board < 1:
                raise ReadFailure("no entry left for a board text")
            cell = m.cell(c)
            cell.kind = 14
            cell.param1 = next_board
            m.table[next_board].text = text
            next_board -= 1

    # end of the record loop: gradient completion, plan finish
    while True:
        m.cell(fill).gradient = previous_gradient + 100
        fill += 1
        if not fill < m.last_cell - 2:
            break
    if m.plan is not None:
        plan_finish(m, cursor)
    return next_board


def order_chainage(m):
    t, d, u = m.table[81], m.table[82], m.table[83]
    rec = {81: (t.value1, t.value2, t.value3), 82: (d.value1, d.value2, d.value3),
           83: (u.value1, u.value2, u.value3)}
    if rec[81][0] + rec[82][0] + rec[83][0] != 0:
        v = {e: rec[e][0] for e in rec}
        top = [e for e in rec if all(v[e] > v[o] for o in rec if o != e)]
        if not top:
            result = [(0, 0, 0)] * 3
        else:
            first = top[0]
            lo, hi = sorted(e for e in rec if e != first)
            second = lo if v[lo] > v[hi] else hi
            third = hi if second == lo else lo
            result = [rec[first], rec[second], rec[third]]
    else:
        result = [(0, 0, 0)] * 3
        if rec[81][1] > 0:
            result = [rec[81], rec[82], rec[83]]
        if rec[82][1] > 0:
            result = [rec[82], rec[81], rec[83]]
        if rec[83][1] > 0:
            result = [rec[83], rec[82], rec[81]]
    for e, values in zip((81, 82, 83), result):
        m.table[e].value1, m.table[e].value2, m.table[e].value3 = values
    for e in (81, 82, 83):
        if m.table[e].value3 == 1:
            m.table[e].value2 = m.table[e].value2 + 100


# ---------------------------------------------------------------- track plan

CURVATURE = [("1", 0.0001), ("2", 0.0002), ("3", 0.0004), ("4", 0.001), ("5", 0.002), ("6", 0.003)]


def plan_start(m):
    m.plan[0] = [0, 0]
    m.plan[1] = [0, 1]
    m.plan_int = {0, 1}


def straight(m, j):
    px1, py1 = m.plan[j - 1]
    px2, py2 = m.plan[j - 2]
    m.plan[j] = [float(px1 + (px1 - px2)), float(py1 + (py1 - py2))]


def curve_step(m, cursor, keyword, p, n):
    k = None
    for digit, value in CURVATURE:
        if digit in keyword:
            k = value
            break
    if k is None:
        m.record(103)
        raise CompileStop
    if "s" in keyword.lower():
        k = -k
    limit = m.track_length - 2  # a curve running past the plan is clipped there, no error
    while cursor[0] <= min(p, limit):
        straight(m, cursor[0])
        cursor[0] += 1
        if cursor[0] > 1000000:
            m.record(103)
            raise CompileStop
    while cursor[0] <= min(p + n, limit):
        j = cursor[0]
        x1, y1 = m.plan[j - 1]
        x2, y2 = m.plan[j - 2]
        dx = x1 - x2
        dy = y1 - y2
        m.plan[j] = [float(x1 + (dx + k * dy)), float(y1 + (dy - k * dx))]
        cursor[0] = j + 1
        if cursor[0] > 1000000:
            m.record(103)
            raise CompileStop


def plan_finish(m, cursor):
    while cursor[0] <= m.track_length - 2:
        straight(m, cursor[0])
        cursor[0] += 1


# ---------------------------------------------------------------- train half

def train_half(m, data, train_name, next_board):
    r = Reader(data)
    while True:
        if r.eof():
            train_completion(m, None)
            return
        if "[generale]" in r.keyword().lower():
            break
    state = {"speed_fill": 0, "adh_fill": 0, "speed": 0, "adh": 0}
    k = 1

    def in_range(position):
        return position + 100 <= 50 * m.last_cell

    while True:
        if r.eof():
            break
        f = r.keyword()
        if r.eof():
            break
        if "-" in f:
            f = r.keyword()
            if r.eof():
                break
            if "-" in f:
                f = r.keyword()
                if r.eof():
                    break
        where = (train_name, r.field_line)
        lf = f.lower()
        if "frenata" in lf and "massa" in lf:
            m.table[84].value1 = r.number()
        if "vetture" in lf:
            m.table[84].value3 = r.number()
        if "velocit" in lf:
            p, w = r.number(), r.number()
            if not in_range(p):
                m.record(15, p, where)
                break
            n = rnd(Fraction(p, 50))
            if n > 0:
                while True:
                    byte = rnd(Fraction(state["speed"], 5))
                    if not 0 <= byte <= 255:
                        raise ReadFailure("speed outside a byte")
                    m.cell(state["speed_fill"]).speed_limit = byte
                    state["speed_fill"] += 1
                    if not (state["speed_fill"] < n and state["speed_fill"] < m.last_cell):
                        break
            state["speed"] = w
        if "aderenza" in lf:
            p, w = r.number(), r.number()
            if not in_range(p):
                m.record(15, p, where)
                break
            n = rnd(Fraction(p, 50))
            if n > 0:
                while True:
                    m.cell(state["adh_fill"]).adhesion = state["adh"]
                    state["adh_fill"] += 1
                    if not state["adh_fill"] < n:
                        break
            state["adh"] = w
        if "orologio" in lf:
            e = m.table[86]
            e.word3 = r.number(16)
            e.word4 = r.number(16)
            e.word5 = r.number(16)
        if "sabbia" in lf:
            m.table[86].word1 = r.number(16)
        if "segnale" in lf:
            values = [r.number() for _ in range(11)]
            if not in_range(values[0]):
                m.record(15, values[0], where)
                break
            if memo_segnale(m, where, *values):
                raise CompileStop
        if "rallentamento" in lf:
            values = [r.number() for _ in range(6)]
            if not in_range(values[0]):
                m.record(15, values[0], where)
                break
            if memo_rallentamento(m, where, *values):
                raise CompileStop
        if "abbattimento" in lf:
            p, q = r.number(), r.number()
            if not in_range(p):
                m.record(15, p, where)
                break
            c = rnd(Fraction(p, 50))
            if not m.free(c):
                m.record(7, p, where)
                raise CompileStop
            cell = m.cell(c)
            if q > 0:
                cell.kind = 12
                cell.param1 = q
            else:
                cell.kind = 13
        if "stazione" in lf:
            if k > next_board:
                m.record(10, None, where)
                raise CompileStop
            e = m.table[k]
            pos = r.number()
            e.value3 = pos
            if pos + 800 > 50 * m.last_cell:
                m.record(15, pos, where)
                break
            if pos % 50:
                m.record(8, pos, where)
                raise CompileStop
            e.code = r.byte()
            length = r.number()
            if length % 100:
                m.record(9, pos, where)
                raise CompileStop
            e.flag = r.byte()
            e.byte4 = r.byte()
            e.byte3 = r.byte()
            e.word1 = r.number(16)
            e.word2 = r.number(16)
            e.byte1 = r.byte()
            e.word3 = r.number(16)
            e.word4 = r.number(16)
            e.word5 = r.number(16)
            e.byte2 = r.byte()
            h, mi, s = r.number(), r.number(), r.number()
            e.seconds = h * 3600 + mi * 60 + s
            e.text = r.text()
            if e.code in (5, 6):
                e.value1, e.value2, e.byte3 = pos - length, pos + 150, 0
            elif e.code in (7, 8):
                e.value1, e.value2, e.byte3 = pos - length, pos + length, 0
            else:
                e.value1 = rnd(pos - Fraction(length, 2))
                e.value2 = rnd(pos + Fraction(length, 2) + (50 if e.byte3 else 0))
            if length < 600:
                e.byte4 = 0
            if k == 1:
                e.byte3 = 0
                e.byte4 = 0
            if e.code < 25:
                stop = Fraction(e.value2, 50) - 1
                marks = []
                if e.code not in (5, 6):
                    marks = [(rnd(stop - j), 80 + j) for j in range(1, 5) if stop - j > 1]
                if stop <= 1:
                    m.record(24, None, where)
                    raise CompileStop
                for c, _ in marks:
                    m.cell(c)
                m.cell(rnd(stop))
                for c, value in marks:
                    m.cell(c).marker = value
                cell = m.cell(rnd(stop))
                cell.kind = 10
                cell.param1 = k
            if k > 1 and e.value1 - 350 < m.table[k - 1].value2:
                m.record(22, pos, where)
                raise CompileStop
            k += 1
            if k >= next_board:
                m.record(10, None, where)
                raise CompileStop
    train_completion(m, state)


def train_completion(m, state):
    if state is None:
        state = {"speed_fill": 0, "adh_fill": 0, "speed": 0, "adh": 0}
    while True:
        byte = rnd(Fraction(state["speed"], 5))
        if not 0 <= byte <= 255:
            raise ReadFailure("speed outside a byte")
        m.cell(state["speed_fill"]).speed_limit = byte
        state["speed_fill"] += 1
        if not state["speed_fill"] < m.last_cell - 2:
            break
    while True:
        m.cell(state["adh_fill"]).adhesion = state["adh"]
        state["adh_fill"] += 1
        if not state["adh_fill"] < m.last_cell - 2:
            break
    for e in (81, 82, 83):
        if m.table[e].value1 % 50 or m.table[e].value2 % 50:
            m.record(2)


def memo_segnale(m, where, pos, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo):
    c = rnd(Fraction(pos, 50) + 1)
    m.cell(c)
    for j in range(1, 5):
        m.cell(c - 2 * j)
    if not m.free(c):
        m.record(16, pos, where)
        return True
    cell = m.cell(c)
    cell.kind = 1
    cell.param4 = rapp * 10 + sx * 3 + dx
    cell.param1 = s1 * 10 + d1
    cell.param2 = s2 * 10 + d2
    cell.param3 = s3 * 10 + d3
    if 1 <= tempo <= 100:
        tempo = 101
    cell.param5 = tempo if sx == 2 else 0
    for j in range(1, 5):
        m.cell(c - 2 * j).marker = (sx * 3 + dx) * 10 + j
    return False


def memo_rallentamento(m, where, x, v, l, f_tt, f_ta, d_v):
    w = rnd(Fraction(x - 1200, 50) + 1)
    s = rnd(Fraction(x, 50) + 1)
    t = rnd(Fraction(x + l, 50) + 1)
    b = rnd(Fraction(x - 1200, 50))
    if x <= 1500:
        f_ta = 0
    cells = [s, t] + ([w] if x > 1500 else []) + ([b, b - 1, b - 2, b - 3] if f_ta else [])
    for c in cells:
        m.cell(c)
    if x > 1500 and not m.free(w):
        m.record(17, x, where)
        return True
    if not m.free(s):
        m.record(18, x, where)
        return True
    if not m.free(t):
        m.record(19, x, where)
        return True
    m.cell(t).kind = 2
    if d_v:
        m.cell(t).param2 = d_v
    m.cell(s).kind = 3
    if d_v:
        m.cell(s).param2 = d_v
    if x > 1500:
        m.cell(w).kind = 4
        if d_v:
            m.cell(w).param2 = d_v
        m.cell(w).param1 = v
    for c in (s, t):
        m.cell(c).param1 = v
        m.cell(c).param3 = f_tt
    if f_ta:
        if any(not m.free(b - i) for i in range(4)):
            m.record(20, x, where)
            return True
        for i in range(4):
            m.cell(b - i).kind = 5
            m.cell(b - i).param1 = i + 1
            if d_v:
                m.cell(b - i).param2 = i + 1
    return False


# ---------------------------------------------------------------- post-pass

def post_pass(m):
    route, last = m.route, m.last_cell

    def free(k):
        return 0 <= k <= last and route[k].kind in (0, 11)

    def kind(k):
        return route[k].kind if 0 <= k <= last else None

    def place(k):
        route[k].kind = 12
        route[k].param1 = 180

    def cap(k):
        route[k].param1 = 180 if route[k].param1 > 180 else route[k].param1

    top = last - 2
    for i in range(1, top + 1):
        if route[i].kind == 4:
            for w in range(1, 21):
                m.walk_index = w
                d = i - w
                if d < 3:
                    break
                if route[d].kind != 1:
                    continue
                if free(d - 1):
                    place(d - 1)
                elif free(d - 2):
                    place(d - 2)
                elif kind(d - 1) == 12:
                    cap(d - 1)
                elif kind(d - 2) == 12:
                    cap(d - 2)
                else:
                    m.record(11, d * 50, ("route", 0))
        elif route[i].kind == 3:
            for lo, group in ((7, (5, 6, 7)), (13, (11, 12, 13)), (20, (18, 19, 20))):
                if i > lo:
                    for back in group:
                        if free(i - back):
                            place(i - back)
                            break
                    else:
                        m.record(12, i * 50, ("route", 0))
            if route[i].param1 < 110:
                m.gap_count = 0
                w = i
                while True:
                    w += 1
                    m.gap_count += 1
                    if m.gap_count == 8:
                        if free(w):
                            place(w)
                            m.gap_count = 0
                        elif free(w - 1):
                            place(w - 1)
                            m.gap_count = 1
                        elif free(w + 1):
                            place(w + 1)
                            m.gap_count = -1
                        else:
                            m.record(13, w * 50, ("route", 0))
                    if kind(w) == 2 or w >= last:
                        break
                m.walk_index = w
            else:
                w = i + 1
                while w < last and route[w].kind != 2:
                    w += 1
                m.walk_index = w
            w = m.walk_index
            m.gap_count = 0
            for s in range(w, min(w + 12, last) + 1):
                if route[s].kind == 1:
                    m.gap_count = s - 1
                    break
            if m.gap_count > 0:
                k = m.gap_count
                if free(k):
                    place(k)
                elif free(k - 1):
                    place(k - 1)
                else:
                    m.record(13, w * 50, ("route", 0))


# ---------------------------------------------------------------- codes, stamping

FILL = "kkmmppqqrrssttuuvvwwxxyyzz"


def code_text(m):
    return ((m.table[86].text + m.table[85].text).lower() + FILL)[:25]


def stamp(m):
    if m.table[85].word1 != 0 or m.route[1].param1 != 0:
        return 1250
    m.table[85].word1 = 610
    m.route[1].param1 = 5121
    if m.table[85].seconds != 0 or m.route[1].param2 != 0:
        return 1251
    text = code_text(m).encode("latin-1")
    m.table[85].seconds = sum((i + 1) * c for i, c in enumerate(text))
    m.route[1].param2 = sum(text)
    return 0


def compile_case(line_bytes, train_bytes, scenario_id, train_id, line_name, train_name, full=True):
    m = Model(scenario_id, train_id, full)
    try:
        next_board = line_half(m, line_bytes, line_name)
        train_half(m, train_bytes, train_name, next_board)
    except CompileStop:
        pass
    except ReadFailure:
        m.record(25)
    if m.route is None:
        return m, 2
    post_pass(m)
    stamped = stamp(m)
    if stamped:
        m.stamping_error = stamped
        return m, 2
    return m, 1 if m.error_code else 0


# ---------------------------------------------------------------- CSV

def csv_field(value):
    if isinstance(value, str):
        if any(ch in value for ch in ',"\r\n'):
            return '"' + value.replace('"', '""') + '"'
        return value
    return str(value)


def route_csv(m):
    rows = ["index," + ",".join(ROUTE_FIELDS)]
    for i, c in enumerate(m.route):
        rows.append(",".join([str(i)] + [str(getattr(c, f)) for f in ROUTE_FIELDS]))
    return "\n".join(rows) + "\n"


def scenario_csv(m):
    rows = ["index," + ",".join(ENTRY_FIELDS)]
    for i, e in enumerate(m.table):
        rows.append(",".join([str(i)] + [csv_field(getattr(e, f)) for f in ENTRY_FIELDS]))
    return "\n".join(rows) + "\n"


def plan_csv(m, metres):
    rows = ["metre,x_tag,x,y_tag,y"]
    for metre in metres:
        cols = [str(metre)]
        for v in m.plan[metre]:
            if v is None:
                cols += ["empty", ""]
            elif metre in m.plan_int:
                cols += ["int16", str(v)]
            else:
                cols += ["double", repr(v)]
        rows.append(",".join(cols))
    return "\n".join(rows) + "\n"


def error_prefix(m):
    if not m.error_code:
        return ""
    file_name, line = m.error_line if m.error_line else (None, None)
    if file_name == "route":
        head = "route: "
    elif file_name:
        head = f"{file_name}:{line}: "
    else:
        head = ""
    text = head + f"error {m.error_code}"
    if m.error_code not in (1, 2, 3, 4, 5, 10, 24, 25, 101, 102, 103):
        text += f" at {m.error_position} m"
    return text + ":"


def write(path, text):
    with open(path, "w", newline="\n") as out:
        out.write(text)


def run_case(case_dir):
    with open(os.path.join(case_dir, "S_linea.txt"), "rb") as f:
        line_bytes = f.read()
    with open(os.path.join(case_dir, "S_T-.txt"), "rb") as f:
        train_bytes = f.read()
    m, status = compile_case(line_bytes, train_bytes, "S", "T", "S_linea.txt", "S_T-.txt")
    write(os.path.join(case_dir, "expected_status"), f"{status}\n")
    stderr_path = os.path.join(case_dir, "expected_stderr")
    if status == 2:
        write(stderr_path, f" Errore n. {m.stamping_error}\n")
        return m
    write(os.path.join(case_dir, "route.csv"), route_csv(m))
    write(os.path.join(case_dir, "scenario.csv"), scenario_csv(m))
    if status == 1:
        write(stderr_path, error_prefix(m) + "\n")
    elif os.path.exists(stderr_path):
        os.remove(stderr_path)
    metres_path = os.path.join(case_dir, "plan_metres")
    if os.path.exists(metres_path):
        with open(metres_path) as f:
            metres = [int(tok) for tok in f.read().split()]
        write(os.path.join(case_dir, "plan.csv"), plan_csv(m, metres))
    return m


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--embedded":
        import embedded_facts
        embedded_facts.main(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 2:
        run_case(sys.argv[1])
    else:
        sys.exit(__doc__)
