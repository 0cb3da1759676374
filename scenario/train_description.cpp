#include "scenario/train_description.h"

#include "naming/file_names.h"

namespace scenario {
namespace {

// Train 2734.2 from ALVERA LEVANTE to MONTELUCE, one record per line as the
// train compilation reads it back. Numbers stand right-aligned in columns; the
// clock of "orologio" is three numbers separated by blanks alone.
constexpr std::string_view kLines[] = {
    // Train values, adhesion and speed-limit profiles.
    "[generale]",
    "numero vetture,    16",
    "percentuale massa frenata,    125",
    "sabbia,    300",
    "orologio,    6               42            40 ",
    "[aderenze]",
    "aderenza,   0,    100",
    "[vel_limite]",
    "velocita,   0,    30",
    "velocita,     900,   115",
    "velocita,    3300,   150",
    "velocita,    6650,   160",
    "velocita,   16300,   115",
    "velocita,   37200,   160",
    "velocita,   55750,   120",
    "velocita,   56850,   160",
    "velocita,   61400,   135",
    "velocita,   72550,   160",
    "velocita,   80250,   135",
    "velocita,   95500,    65",
    "velocita,   96000,    30",

    // Stations: position, kind, length, flag, byte, end extension, two words, byte,
    // three words, byte, time (h, m, s), name.
    "[stazioni]",
    "stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   6, 8, 0, ALVERA LEVANTE",
    "stazione,    2750, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, VERZANO",
    "stazione,    5200, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, CASALFIORE",
    "stazione,    8000, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, SPINETA",
    "stazione,   12550, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, P.M. QUERCIOLA",
    "stazione,   16250,  4,  500,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, VALDIROSA",
    "stazione,   26200, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, CERVIANO",
    "stazione,   36700, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, S. QUIRICO ASPRINA",
    "stazione,   46800, 26,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, P.C. CERASOLA",
    "stazione,   56300, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, ROCCALTA",
    "stazione,   61400, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, TORRE ALBINA",
    "stazione,   71350, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, LUCIGNANA",
    "stazione,   80300, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, BADIA-SANTERNO",
    "stazione,   90600, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, FORNACI ALTE",
    "stazione,   93650, 25,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, BIVIO CORNIOLA",
    "stazione,   96600,  2,  600,  0, 0, 0,  1,1,0,  2,1,1,    0,   7,30, 0, MONTELUCE",

    // No slowdowns for this train.
    "[rallentamenti]",

    // Signals: position, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo.
    "[segnali]",
    "segnale,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,    2250,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,    4250,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,    5850,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,    7050,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,    8950,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   10250,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   11500,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   12850,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   14100,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   15400,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,   20100,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   21350,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   24050,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   25300,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   30150,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   31400,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   34750,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   36050,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   40650,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   41900,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   44750,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   46000,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   49800,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   51050,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   54250,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   55500,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   58900,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   60150,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   65300,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   66550,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   69050,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   70300,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   74450,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   76000,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   78250,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   79500,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   83750,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   85000,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   88400,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   89650,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   92200,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   93450,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,   94250,   1, 3, 1,  0, 0,    0,  0,0,0,215",
    "segnale,   95500,   2, 3, 1,  1, 0,    0,  0,0,0,230",

    "[codici]",
    "[fine]",
    kEndMarker,
};

}  // namespace

LineTable train_description_lines() { return kLines; }

void dati_treno(const std::string& folder, const std::string& scenario_id, const std::string& train_id) {
  write_document(folder, naming::train_description_name(scenario_id, train_id), train_description_lines());
}

}  // namespace scenario
