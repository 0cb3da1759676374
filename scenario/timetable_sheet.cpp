// The timetable sheet of train 2734.2: the driver's paper listing every place
// along the line with its kilometre, speeds and time.

#include "scenario/documents.h"

namespace scenario {
namespace {

// Every table line is 83 characters: " |" and seven fields closed by "|"
// (Vel. Lim. 5, Vel. Marc. 5, Progr Km 10, No Rs 5, place 28, time 16, Rec 5).
// Line 9 keeps its trailing blanks.
constexpr std::string_view kTimetableSheet[] = {
    "",
    "",
    "  ___________________                                               ______________",
    " |                   |                    SCHEDA   TRENO           |              |",
    " |   TRENO n. 2734.2 |                   da: ALVERA LEVANTE        |    V 160 B   |",
    " |___________________|                    a: MONTELUCE             |     125%     |",
    "                                                                   |______________|",
    "  ___________________                ___________________",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
    " |     ESPRESSO      |              |      800 T        |",
    " |___________________|              |___________________|",
    "",
    "  ________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
    " | Lim.|Marc.|          |  Rs |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    " |  30 |  30 |    0     |  30 |ALVERA LEVANTE              |            6.08|     |",
    " | 115 |  75 |    1.000 | 115 | deviatoio uscita           |                |     |",
    " |     |     |    2.750 |     |VERZANO                     |       6.13     |     |",
    " | 150 | 150 |    3.300 | 150 | deviatoio uscita           |                |     |",
    " |     |     |    5.200 |     |CASALFIORE                  |       6.16     |     |",
    " | 160 | 155 |    6.650 |     | deviatoio uscita           |                |     |",
    " |     |     |    8.000 |     |SPINETA                     |       6.18     |     |",
    " |     |     |   10.250 |     | P 142                      |                |     |",
    " |     |     |   11.500 |     | P 140                      |                |     |",
    " |     |     |   12.850 |     | P 138                      |                |     |",
    " | 115 | 115 |   16.350 | 115 |VALDIROSA                   |       6.23     |     |",
    " |     |     |   21.350 |     | P 134                      |                |     |",
    " |     |     |   26.200 |     |CERVIANO                    |       6.30     |     |",
    " |     |     |   31.400 |     | P 130                      |                |     |",
    " |     |     |   36.800 |     |SAN QUIRICO DI VALLE ASPRINA|       6.38     |     |",
    " | 160 | 145 |   37.200 | 145 | imbocco galleria MONTASPRO |                |     |",
    " |     |     |   41.900 |     | P 126                      |                |     |",
    " |     |     |   46.200 |     |p.c. cerasola               |       6.46     |     |",
    " |     |     |   51.200 |     | P 122                      |                |     |",
    " | 120 | 120 |   55.550 | 120 | sbocco galleria MONTASPRO  |                |     |",
    " |     |     |   56.300 |     |ROCCALTA                    |       6.54     |     |",
    " | 160 | 145 |   56.850 | 145 | deviatoio uscita           |                |     |",
    " | 135 | 135 |   61.400 | 135 |TORRE ALBINA                |       6.57     |     |",
    " |     |     |   66.550 |     | P 116                      |                |     |",
    " |     |     |   70.300 |     | imbocco viadotto RIALBO    |                |     |",
    " |     |     |   71.300 |     |LUCIGNANA                   |       7.02     |     |",
    " | 160 | 155 |   72.550 | 150 | imbocco galleria PIETRACAVA|                |     |",
    " |     |     |   76.000 |     | P.112                      |                |     |",
    " | 135 | 135 |   79.000 | 135 | cippo km 79.000            |                |     |",
    " |     |     |   80.500 |     |BADIA-SANTERNO              |       7.06     |     |",
    " |     |     |   85.000 |     | P 108                      |                |     |",
    " |     |     |   90.600 |     |FORNACI ALTE                |       7.12     |     |",
    " |     |     |   93.450 |     | bivio corniola             |       7.15     |     |",
    " |  65 |  65 |   95.500 |  65 | segnale protezione         |                |     |",
    " |  30 |  30 |   96.000 |  30 | deviatoio ingresso         |                |     |",
    " |     |     |   96.600 |     |MONTELUCE                   |7.20            |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    kEndMarker,
};

}  // namespace

LineTable timetable_sheet_lines() { return kTimetableSheet; }

}  // namespace scenario
