"""Compiles the embedded scenario with the reference model, checks the facts
known about its compiled form (the cells and entries checked below), then
writes the expected route and scenario dumps.

Usage (through reference.py):
    reference.py --embedded SRC_DIR OUT_DIR
SRC_DIR holds the texts written by `scenario_tool sources`.
"""

import os

import reference as ref

SCENARIO = "Alvera_Monteluce"
TRAIN = "2734-2"


def check(condition, what):
    if not condition:
        raise SystemExit(f"embedded fact does not hold: {what}")


def cell_is(m, index, **fields):
    c = m.route[index]
    for name, value in fields.items():
        check(getattr(c, name) == value, f"cell {index} {name} = {value} (is {getattr(c, name)})")


def main(src, out):
    with open(os.path.join(src, SCENARIO + "_linea.txt"), "rb") as f:
        line = f.read()
    with open(os.path.join(src, f"{SCENARIO}_{TRAIN}-.txt"), "rb") as f:
        train = f.read()
    m, status = ref.compile_case(line, train, SCENARIO, TRAIN, "line", "train")
    t = m.table

    # Sizes, no error.
    check(status == 0 and m.error_code == 0, "compiles without error")
    check(m.track_length == 104000 and m.last_cell == 2080 and len(m.route) == 2081, "sizes")

    # Header entries.
    for e in (81, 82, 83):
        check((t[e].value1, t[e].value2, t[e].value3) == (0, 0, 0), f"entry {e} all zero")
    check((t[84].value1, t[84].value2, t[84].value3) == (125, 97000, 16), "entry 84")
    check((t[85].value1, t[85].value2, t[85].value3) == (0, 0, 1), "entry 85 selectors")
    check(t[85].text == SCENARIO and t[85].word1 == 610, "entry 85 text and mark")
    check((t[86].value1, t[86].value2, t[86].value3) == (1050, 95500, 4), "entry 86 repetition")
    check(t[86].text == TRAIN and t[86].word1 == 300, "entry 86 text and sand")
    check((t[86].word2, t[86].word3, t[86].word4, t[86].word5) == (0, 6, 42, 40), "entry 86 clock")

    # Gradients.
    for c in range(0, 40):
        cell_is(m, c, gradient=102)
    for c in range(40, 70):
        cell_is(m, c, gradient=100)
    for c in range(70, 76):
        cell_is(m, c, gradient=105)
    for c in range(1932, 2078):
        cell_is(m, c, gradient=100)
    for c in range(2078, 2081):
        cell_is(m, c, gradient=0)

    # Mountain stretches: the longest one, two that follow within 150 m.
    for c in range(745, 1115):
        cell_is(m, c, tunnel=1)
    cell_is(m, 744, tunnel=0)
    cell_is(m, 1115, tunnel=0)
    # indication board at 37200, signal at 44750, speed boards at 54150 and 54350
    others = {745, 896, 1084, 1088}
    for c in range(748, 1113, 4):
        if c not in others:
            cell_is(m, c, kind=11)
    cell_is(m, 896, kind=1)
    cell_is(m, 1088, kind=6)
    for c in range(745, 1115):
        if c % 4:
            check(m.route[c].kind != 11, f"no marker in cell {c}")
    for c in range(378, 382):  # 18900 .. 19100
        cell_is(m, c, tunnel=3)
    for c in range(1452, 1594):  # 72600 .. 79700
        cell_is(m, c, tunnel=3)
    markers = [c for c in range(1452, 1594) if m.route[c].kind == 11]
    check(len(markers) > 0, "72600 stretch keeps its markers")

    # Maximum-speed boards and indication boards.
    cell_is(m, 21, kind=6, param1=2100, param2=2300, param3=2400, param4=0)
    cell_is(m, 1084, kind=6, param1=2222, param2=2424, param3=2525, param4=22)
    for c, e in ((745, 80), (1406, 79), (1452, 78)):
        cell_is(m, c, kind=14, param1=e)
    check(t[80].text == "(GALLERIA )(MONTASPRO)(Km 37+250)", "text of entry 80")
    check(t[79].text.startswith("(VIADOTTO)(") and t[78].text.startswith("(GALLERIA   )("), "board texts")
    check(t[77].text == "" and t[17].text == "", "next free board entry 77; 16 stations")
    check(sum(1 for c in m.route if c.kind == 6) == 23, "23 speed boards")

    # Stations.
    check((t[1].code, t[1].value1, t[1].value2, t[1].value3) == (8, -500, 500, 0), "first station")
    check((t[1].byte3, t[1].byte4, t[1].seconds) == (0, 0, 6 * 3600 + 8 * 60), "first station bytes, time")
    cell_is(m, 9, kind=10, param1=1)
    for c, mark in ((8, 81), (7, 82), (6, 83), (5, 84)):
        cell_is(m, c, marker=mark)
    check((t[2].value1, t[2].value2, t[2].value3, t[2].byte3) == (2550, 3000, 2750, 1), "station at 2750")
    check(t[16].value3 == 96600 and t[16].seconds == 7 * 3600 + 30 * 60, "last station")
    check(sum(1 for c in m.route if c.kind == 10) == 13, "13 stop cells (kinds 25 and over get none)")

    # Speed limits and adhesion.
    for c in range(0, 18):
        cell_is(m, c, speed_limit=6)
    for c in range(18, 66):
        cell_is(m, c, speed_limit=23)
    for c in range(0, 2078):
        cell_is(m, c, adhesion=100)
    for c in range(2078, 2081):
        cell_is(m, c, speed_limit=0, adhesion=0)

    # Signals.
    cell_is(m, 22, kind=1, param1=40, param2=10, param3=0, param4=6, param5=0)
    for c, mark in ((20, 61), (18, 62), (16, 63), (14, 64)):
        cell_is(m, c, marker=mark)
    cell_is(m, 1886, kind=1, param5=0)    # 94250: sx 1, tempo 215 dropped
    cell_is(m, 1911, kind=1, param5=230)  # 95500: sx 2, tempo kept
    check(sum(1 for c in m.route if c.kind == 1) == 45, "45 signal cells")

    # The post-pass finds nothing to do.
    check(not any(c.kind in (2, 3, 4, 5, 12, 13) for c in m.route), "no slowdown or lowering cells")

    # Cell 1 and record 85 as stamped.
    code = ref.code_text(m).encode("latin-1")
    check(code == b"2734-2alvera_monteluceKKM".lower(), "code text")
    cell_is(m, 1, kind=0, param1=5121, param2=sum(code), param3=0, param4=0, param5=0,
            marker=0, tunnel=0, speed_limit=6, gradient=102, adhesion=100)
    check(t[85].seconds == sum((i + 1) * c for i, c in enumerate(code)), "table code")

    os.makedirs(out, exist_ok=True)
    ref.write(os.path.join(out, "route.csv"), ref.route_csv(m))
    ref.write(os.path.join(out, "scenario.csv"), ref.scenario_csv(m))
    print("embedded scenario: every stated fact holds")
