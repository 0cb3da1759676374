#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/.

Usage: make_seeds.py SCENARIO_TOOL

The seeds are the embedded scenario's description files (exported with
`scenario_tool sources`), small description files with the faults the tests
use, large description files of 50 to 500 KB (a record in every cell of a
long line), and small compiled files. Run it again after the embedded texts
change.
"""
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")

SMALL_LINE = (b"[generale]\r\nlunghezza percorso,    10000\r\n"
              b"ripetizione segnali 4 codici,    1050,    5500\r\n[curve]\r\ncurvas2,  1000,  400\r\n"
              b"curvad5,  3000,  200\r\n[pendenze]\r\npendenza,  0,   2\r\npendenza,  1025,   -3\r\n"
              b"[montagne]\r\nmontagna,   2000,  2600,  11\r\nmontagna,   2700,  2900,  2\r\n"
              b"[cartelli]\r\nindicatori_vmax,  1000,  105,  115,  120,  0,  ,  ,  ,  0\r\n"
              b"[indicazioni]\r\ncartello_indicatore,  1950,   (GALLERIA )(NOME)\r\n[fine]\r\n")
SMALL_TRAIN = (b"[generale]\r\nnumero vetture,    4\r\npercentuale massa frenata,    125\r\n"
               b"sabbia,    300\r\norologio,    6               42            40 \r\n"
               b"aderenza,   0,    100\r\nvelocita,   0,    30\r\nvelocita,   900,    115\r\n"
               b"stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   6, 8, 0, PRIMA\r\n"
               b"stazione,    4000,  12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, SECONDA\r\n"
               b"segnale,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"
               b"segnale,    4600,   1, 4, 0,  0, 0,    0,  0,0,0, 50\r\n"
               b"rallentamento,  6950,  60,  500,  0,  1,  0\r\n"
               b"abbattimento,  8000,  120\r\n[fine]\r\n")
FAULTY_TRAINS = [
    b"[generale]\r\nsegnale,    2050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\nsegnale,    2060,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n[fine]\r\n",
    b"[generale]\r\nstazione,    2020,  12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, NOME\r\n[fine]\r\n",
    b"[generale]\r\nsegnale,    17000,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n[fine]\r\n",
    b"[generale]\r\nvelocita,   0,    1280\r\n[fine]\r\n",
]


def dense_pair(kilometres):
    """A line and a train with a gradient and a speed record in every 50 m
    cell of a line of the given length: about 1 KB a kilometre, clean."""
    length = kilometres * 1000
    line = [b"[generale]", b"lunghezza percorso,    %d" % length, b"[pendenze]"]
    line += [b"pendenza,  %d,   %d" % (p, (p // 50) % 7 - 3) for p in range(0, length - 1000, 50)]
    train = [b"[generale]", b"aderenza,   0,    100"]
    train += [b"velocita,   %d,    %d" % (p, 30 + (p // 50) % 90) for p in range(0, length - 1000, 50)]
    return b"\r\n".join(line + [b"[fine]", b""]), b"\r\n".join(train + [b"[fine]", b""])


def write(folder, name, data):
    os.makedirs(os.path.join(CORPUS, folder), exist_ok=True)
    with open(os.path.join(CORPUS, folder, name), "wb") as f:
        f.write(data)


def main():
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([tool, "sources", tmp], check=True, stdout=subprocess.DEVNULL)
        line = open(os.path.join(tmp, "Alvera_Monteluce_linea.txt"), "rb").read()
        train = open(os.path.join(tmp, "Alvera_Monteluce_2734-2-.txt"), "rb").read()
        for flag in (0, 1):
            write("compile", f"embedded_{flag}", bytes([flag]) + line + b"\x1e" + train)
            write("compile", f"small_{flag}", bytes([flag]) + SMALL_LINE + b"\x1e" + SMALL_TRAIN)
        # Large inputs: the plan only for the shortest, so that each run stays short.
        for kilometres, flag in ((52, 1), (100, 0), (250, 0), (480, 0)):
            dense_line, dense_train = dense_pair(kilometres)
            write("compile", f"dense_{kilometres}km_{flag}", bytes([flag]) + dense_line + b"\x1e" + dense_train)
        for i, faulty in enumerate(FAULTY_TRAINS):
            write("compile", f"fault_{i}", b"\x01" + SMALL_LINE + b"\x1e" + faulty)
        for i, chunk in enumerate([line[:600], line[-600:], train[:700], train[1500:2300], SMALL_TRAIN]):
            write("field_reader", f"text_{i}", bytes([0x1B + i]) + chunk)

        with open(os.path.join(tmp, "S_linea.txt"), "wb") as f:
            f.write(SMALL_LINE)
        with open(os.path.join(tmp, "S_T-.txt"), "wb") as f:
            f.write(SMALL_TRAIN)
        subprocess.run([tool, "compile", "S_linea.txt", "S_T-.txt", "--no-plan"], cwd=tmp, check=True,
                       stdout=subprocess.DEVNULL)
        write("decoders", "route", open(os.path.join(tmp, "S_T.dat"), "rb").read()[:15 * 40])
        write("decoders", "scenario", open(os.path.join(tmp, "S_T.sim"), "rb").read())
    # A plan of four metres: two integer points, one double, one empty, per column.
    column = struct.pack("<Hh", 2, 0) + struct.pack("<Hh", 2, 1) + struct.pack("<Hd", 5, 2.0) + struct.pack("<H", 0)
    write("decoders", "line_data", column + column)


if __name__ == "__main__":
    main()
