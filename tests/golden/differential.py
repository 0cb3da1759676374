#!/usr/bin/env python3
"""Differential run: random small scenarios through reference.py and the tool.

    differential.py TOOL FIRST_SEED COUNT [--hostile] [--plan]

Each seed makes one line and one train description (positions on 25 m steps,
so many land on halves; records shuffled so that cells collide). --hostile
also damages a few lines (missing or huge fields, text in numbers, capitals,
stray section ends). Both the tool and the reference compile them; the exit
status, the start of the first standard error line, the route and scenario
dumps and, with --plan, every metre of the track plan must agree. Prints the
seeds that differ; `--show SEED` prints one seed's files and differing rows.
Not part of the test suite: an audit aid beside the golden cases.
"""

import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import reference as ref  # noqa: E402


def pos(r, hi, step=25):
    return r.randrange(0, hi // step + 1) * step


def scenario(r):
    length = r.choice([1000, 1975, 2025, 2500, 3000, 4000])
    lim = length + 7000 - 100
    g = ["[generale]", f"lunghezza percorso,    {length}"]
    for name in ("uno", "due", "tre"):
        if r.random() < 0.3:
            g.append(f"progressiva chilometrica {name},    {r.choice([0, 0, 50, 100, 1000, 3000, -100])},"
                     f"    {r.choice([0, 0, 200, 500])},    {r.choice([0, 1])}")
    for name in ("uno", "due", "tre"):
        if r.random() < 0.3:
            g.append(f"sfondo {name},    {r.randrange(0, 5)}")
    if r.random() < 0.5:
        g.append(f"ripetizione segnali {r.choice([4, 9])} codici,    {pos(r, 2000, 50)},    {r.choice([0, 5000])}")
    if r.random() < 0.05:
        g.append("ripetizione segnali X codici,    50,    100")
    if r.random() < 0.05:
        g.append(f"ripetizione segnali 4 codici,    {r.choice([25, 50])},    {r.choice([75, 100])}")
    if r.random() < 0.1:
        g.insert(r.randrange(1, len(g) + 1), "-" * r.randrange(1, 12))
    if r.random() < 0.1:
        g.append("Sfondo Due,    4")
    if r.random() < 0.1:
        g.append(f"progressiva chilometrica uno,    {r.choice([25, 75, 3000])},    {r.choice([10, 500])},    0")
    g.append("[curve]")
    p = 0
    for _ in range(r.randrange(0, 4)):
        p += r.randrange(1, 2000)
        n = r.randrange(1, 800)
        digit = r.choice(["1", "2", "3", "4", "5", "6", "15", "61", "" if r.random() < 0.03 else "3"])
        g.append(f"{r.choice(['curva', 'Curva', 'CURVA'])}{r.choice('sdSD')}{digit},  {p},  {n}")
        p += n
    g.append("[pendenze]")
    for q in sorted(set(pos(r, lim) for _ in range(r.randrange(0, 8)))):
        g.append(f"pendenza,  {q},   {r.randrange(-15, 16)}")
    g.append("[montagne]")
    q = 0
    for _ in range(r.randrange(0, 5)):
        q += r.randrange(0, 1500)
        e = q + r.randrange(0, 1500)
        if q > lim:
            break
        g.append(f"montagna,   {q},  {e},  {r.choice([1, 2, 3, 11, 12, 13])}")
        q = e
    g.append("[cartelli]")
    for _ in range(r.randrange(0, 5)):
        def sp():
            return r.choice([60, 85, 100, 120, 33])
        d_set = f"{sp()},  {sp()},  {sp()},  {r.randrange(0, 3)}" if r.random() < 0.5 else ",  ,  ,  0"
        g.append(f"indicatori_vmax,  {pos(r, lim)},  {sp()},  {sp()},  {sp()},  {r.randrange(0, 3)},  {d_set}")
    g.append("[indicazioni]")
    for i in range(r.randrange(0, 3)):
        g.append(f"cartello_indicatore,  {pos(r, lim)},   (GALLERIA)(N{i})")
    g.append("[fine]")

    t = ["[generale]", f"numero vetture,    {r.randrange(1, 20)}", "sabbia,    100", "orologio,    6  7  8 "]
    t.append("[vel_limite]")
    for q in [0] + sorted(set(pos(r, lim) for _ in range(r.randrange(0, 4)))):
        t.append(f"velocita,   {q},    {r.choice([30, 60, 100, 115, 160])}")
    t.append("[aderenze]")
    for q in [0] + sorted(set(pos(r, lim) for _ in range(r.randrange(0, 3)))):
        t.append(f"aderenza,   {q},    {r.randrange(50, 120)}")
    records = []
    for _ in range(r.randrange(0, 10)):
        d = [r.randrange(0, 10) for _ in range(5)]
        records.append(f"segnale,    {r.randrange(13, lim // 25 + 1) * 25},   {r.randrange(0, 3)}, {d[0]}, {d[1]}, "
                       f"{d[2]}, {r.randrange(0, 3)},    {r.randrange(0, 3)},  {d[3]},{d[4]},0, "
                       f"{r.choice([0, 50, 150, 230])}")
    for _ in range(r.randrange(0, 4)):
        records.append(f"rallentamento,    {pos(r, lim)},   {r.choice([20, 30, 60, 100, 109, 110, 120])},   "
                       f"{r.randrange(1, 40) * 25},   {r.randrange(0, 5)},   {r.randrange(0, 2)},   {r.choice([0, 0, 10])}")
    for _ in range(r.randrange(0, 4)):
        records.append(f"abbattimento,    {pos(r, lim)},   {r.choice([0, 90, 250, -3])}")
    r.shuffle(records)
    t += records
    t.append("[stazioni]")
    at = 0
    for i in range(r.randrange(0, 4)):
        at += r.randrange(1, 60) * 50 + (r.choice([0, 25]) if r.random() < 0.05 else 0)
        if r.random() < 0.05:
            at = r.choice([0, 50, 100, 150])
        if at + 800 > length + 7000:
            break
        t.append(f"stazione,    {at}, {r.choice([2, 5, 6, 7, 8, 12, 25, 28])},  "
                 f"{r.choice([200, 300, 400, 600, 800, 250, 100])},  0, {r.randrange(0, 5)}, {r.randrange(0, 2)},  "
                 f"1,1,0,  4,1,1,    0,   0, 0, 0, ST{i}")
    if r.random() < 0.1:
        t.insert(r.randrange(1, len(t) + 1), "-----, ----")
    if r.random() < 0.1:
        t += ["[fine]", f"ADERENZA,   {pos(r, lim)},    77"]
    t.append("[fine]")
    return g, t


def damage(r, lines, rate):
    out = []
    for line in lines:
        if r.random() < rate:
            c = r.random()
            if c < 0.15:
                line = line.rsplit(",", 1)[0]
            elif c < 0.3:
                parts = line.split(",")
                if len(parts) > 1:
                    parts[r.randrange(1, len(parts))] = " " + r.choice(
                        ["-50", "-1000", "2147483647", "2147483648", "99999999999", "-2147483648", "256", "65536",
                         "40000", "", "abc"])
                line = ",".join(parts)
            elif c < 0.4:
                line = line.upper()
            elif c < 0.5:
                line = '"' + line + '"'
            elif c < 0.6:
                line += ", 5"
        out.append(line)
        if r.random() < 0.02:
            out.append(r.choice(["[fine]", "-", "--,--", "lunghezza percorso,    500",
                                 "indicatori_vmax, 10, 1, 2, 3, 4, 5, 6, 7, 8"]))
    return out


def texts(seed, hostile):
    r = random.Random(seed)
    g, t = scenario(r)
    if hostile:
        mode = r.random()
        if mode < 0.45:
            g = damage(r, g, 0.08)
        elif mode < 0.9:
            t = damage(r, t, 0.08)
        else:
            g, t = damage(r, g, 0.05), damage(r, t, 0.05)
    return "\r\n".join(g) + "\r\n", "\r\n".join(t) + "\r\n"


def compare(tool, seed, hostile, plan, work):
    line, train = texts(seed, hostile)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with open(os.path.join(work, "S_linea.txt"), "w", newline="") as f:
        f.write(line)
    with open(os.path.join(work, "S_T-.txt"), "w", newline="") as f:
        f.write(train)
    run = subprocess.run([tool, "compile", "S_linea.txt", "S_T-.txt", "-o", "."], cwd=work,
                         capture_output=True, text=True)
    m, status = ref.compile_case(line.encode("latin-1"), train.encode("latin-1"), "S", "T",
                                 "S_linea.txt", "S_T-.txt")
    rows = {}
    problems = []
    if run.returncode != status:
        problems.append(f"status {run.returncode}, reference {status}")
    first = run.stderr.split("\n")[0]
    if status == 1:
        prefix = ref.error_prefix(m)
        # Kinds without a record name no line in the reference.
        if not (first.startswith(prefix) or (m.error_line is None and f"error {m.error_code}:" in first)):
            problems.append(f"stderr {first!r}, reference {prefix!r}")
    if status != 2 and run.returncode != 2:
        def dump(name):
            return subprocess.run([tool, "dump", name, "--csv"], cwd=work, capture_output=True,
                                  text=True).stdout
        for name, mine in (("S_T.dat", ref.route_csv(m)), ("S_T.sim", ref.scenario_csv(m))):
            got = dump(name)
            if got != mine:
                problems.append(f"{name} differs")
                rows[name] = [(a, b) for a, b in zip(got.splitlines(), mine.splitlines()) if a != b][:8]
        if plan and m.plan is not None:
            for row in dump("S_linea.dat").splitlines()[1:]:
                f = row.split(",")
                want = m.plan[int(f[0])]
                for k in (0, 1):
                    tag, value = f[1 + 2 * k], f[2 + 2 * k]
                    if want[k] is None:
                        same = tag == "empty"
                    else:
                        same = tag != "empty" and struct.pack("<d", float(want[k])) == struct.pack("<d", float(value))
                    if not same:
                        problems.append(f"plan differs at metre {f[0]}")
                        break
                if problems and problems[-1].startswith("plan"):
                    break
    return problems, rows, line, train


def main(argv):
    hostile = "--hostile" in argv
    plan = "--plan" in argv
    args = [a for a in argv if not a.startswith("--")]
    work = tempfile.mkdtemp(prefix="differential-")
    try:
        if "--show" in argv:
            tool, seed = os.path.abspath(args[0]), int(args[1])
            problems, rows, line, train = compare(tool, seed, hostile, plan, work)
            print(problems)
            for name, pairs in rows.items():
                for got, mine in pairs:
                    print(f"{name} tool      {got}\n{name} reference {mine}")
            print(line)
            print(train)
            return 0
        tool, first, count = os.path.abspath(args[0]), int(args[1]), int(args[2])
        differing = 0
        for seed in range(first, first + count):
            problems, _, _, _ = compare(tool, seed, hostile, plan, work)
            if problems:
                differing += 1
                print("seed", seed, problems)
        print(f"{count} seeds, {differing} differ")
        return 1 if differing else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
