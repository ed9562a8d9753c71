#include "app/change_log.h"

#include "base/cp1252.h"

namespace app {

namespace {
constexpr const char* kLineBreak = "\r\n";
}  // namespace

std::vector<ChangeRecord> BUILDCHANGES() {
  using std::chrono::year;
  const base::Date date = year{2017} / 4 / 18;
  auto change = [&](const char* editor, const char* text) {
    return ChangeRecord{2017, 101, date, editor, base::ansi(text)};
  };
  return {
      change("RW",
             "Import mit allen Indexdateien: Indexdateien die in QMT Warenwirtschaft "
             "individuell über die Indexverwaltung angelegt werden, werden jetzt auch "
             "berücksichtigt."),
      change("RW",
             "Preise lassen sich jetzt auch in QMT Warenwirtschaft als Bruttopreis "
             "einlesen."),
      change("KH",
             "Umbruch von Artikeltexten: Artikelbeschreibungen mit Länge > 30 wurden noch "
             "umgebrochen, da die frühere LGW nur Beschreibungsfelder mit max. 30 Zeichen "
             "hatte. Jetzt wird nur umgebrochen wenn entgegen der Datanorm4-Konvention "
             "Beschreibungsfelder mit Länge > 40 Zeichen vorkommen."),
      change("SB",
             "Neue Optik: neue Icons eingebunden, das aktuelle QMT Logo wurde eingebunden, "
             "Masken wurden erneuert / aufgefrischt."),
      change("SB", "Seite 'Hilfe - Info' wurde überarbeitet."),
      change("KH",
             "Sichergestellt, dass Datumsangaben > 2000 immer richtig angegeben werden. In "
             "zumindest einer Maske wurde das Datum noch mit Jahreszahl 19xx angegeben, "
             "auch wenn das Datum anschließend richtig verarbeitet wurde."),
      change("SB",
             "Neue Dokumentation als PDF-Datei. Diese Datei kann über Hilfe - "
             "Dokumentation aufgerufen werden."),
      change("RW",
             "Der Matchcode kann jetzt auch in Freifeld1 eingelesen werden, wenn die EAN "
             "in das Feld EAN der Warenwirtschaft eingelesen wird."),
  };
}

std::string changeLogText(const std::vector<ChangeRecord>& records) {
  std::string text;
  int year = 0;
  int build = 0;
  for (size_t i = 0; i < records.size(); ++i) {
    const ChangeRecord& r = records[i];
    if (r.year != year || r.build != build) {
      year = r.year;
      build = r.build;
      if (i > 0) text += kLineBreak;
      text += "===== QMT Datanorm " + std::to_string(year) + " Build " + std::to_string(build) +
              " vom " + base::formatDate(r.date) + " ===== " + kLineBreak;
    }
    text += " * " + r.text + kLineBreak + kLineBreak;
  }
  return text;
}

}  // namespace app
