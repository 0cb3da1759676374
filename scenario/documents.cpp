#include "scenario/documents.h"

#include "naming/file_names.h"

namespace scenario {
namespace {

// Lines 6 and 8 hold only blanks and are written with them. The one accented
// letter is a single Windows-1252 byte, kept as an escape so that the source
// stays plain ASCII; the literal is split after it so that no hex digit can
// run into the escape.
constexpr std::string_view kNotes[] = {
    "Autore: gruppo scenari",
    "Contatti: example.org",
    "",
    " Il treno 2734.2 parte da ALVERA LEVANTE alle 6.08 e la sua prima fermata lungo la linea e' a ",
    "VERZANO.",
    " ",
    "Usciti dalla galleria MONTASPRO la velocit\xE0" " massima scende a 120 km/h.",
    "   ",
    "",
    " Buon viaggio!",
    kEndMarker,
};

// The slowdown order for train 2734.2: one "nessuna prescrizione" row and 25
// blank rows. Every table line (9 to 39) is 82 characters.
constexpr std::string_view kSlowdownOrder[] = {
    "",
    "                               Modulo M. 3",
    "                           ORDINE DI RALLENTAMENTO",
    " ________________________________________________________________________________",
    "  Linea  ALVERA LEVANTE - MONTELUCE",
    "",
    "  Si ordina al macchinista del treno 2734.2 di effettura i seguenti rallentamenti",
    "  _______________________________________________________________________________",
    " |   |                            |Inizio dopo |          |         |            |",
    " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
    " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
    " |___|____________________________|____________|__________|_________|____________|",
    " |   |  nessuna prescrizione      |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |___|____________________________|____________|__________|_________|____________|",
    "",
    "              Prescrizioni specifiche",
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di.......",
    " D - Rallentamneto N. ... e N. ...  sono contigui",
    " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........",
    kEndMarker,
};

}  // namespace

LineTable notes_lines() { return kNotes; }
LineTable slowdown_order_lines() { return kSlowdownOrder; }

void dati_note(const std::string& folder, const std::string& scenario_id, const std::string& train_id) {
  write_document(folder, naming::notes_name(scenario_id, train_id), notes_lines());
}
void dati_rallentamenti(const std::string& folder, const std::string& scenario_id, const std::string& train_id) {
  write_document(folder, naming::slowdown_order_name(scenario_id, train_id), slowdown_order_lines());
}
void dati_scheda(const std::string& folder, const std::string& scenario_id, const std::string& train_id) {
  write_document(folder, naming::timetable_sheet_name(scenario_id, train_id), timetable_sheet_lines());
}

}  // namespace scenario
