#include "util/os_error_texts.h"

#include <cstdlib>
#include <string_view>
#include <utility>

#include "base/cp1252.h"
#include "ui/port.h"

namespace util {

namespace {

using CodeText = std::pair<int, std::string_view>;

// The first entry of the code decides; `fallback` covers every other value.
template <size_t N>
std::string lookup(const CodeText (&table)[N], long code, std::string_view fallback) {
  for (const auto& [c, text] : table) {
    if (c == code) return base::ansi(text);
  }
  return base::ansi(fallback);
}

constexpr CodeText kDosErrors[] = {
    {1, "Ungültige Funktionsnummer"},
    {2, "Datei nicht gefunden"},
    {3, "Verzeichnis nicht gefunden"},
    {4, "Zu viele geöffnete Dateien (keine freien Handles)"},
    {5, "Zugriff verweigert"},
    {6, "Ungültiges Handle"},
    {7, "Speicherkontrollblöcke  zerstört"},
    {8, "Nicht genügend freier Speicher"},
    {9, "Ungültige Speicherblockadresse"},
    {10, "Ungültige Umgebung"},
    {11, "Ungültiges Format"},
    {12, "Ungültiger Zugriffscode"},
    {13, "Ungültige Daten"},
    {15, "Angegebenes Laufwerk ungültig"},
    {16, "Versuch, das aktuelle Verzeichnis zu löschen"},
    {17, "Nicht das gleiche Gerät"},
    {18, "Keine weiteren Dateien"},
    {19, "Versuch, auf eine schreibgeschützte Diskette zu schreiben"},
    {20, "Unbekannte Einheit"},
    {21, "Laufwerk nicht verfügbar"},
    {22, "Unbekannter Befehl"},
    {23, "Datenfehler (CRC)"},
    {24, "Falsche Strukturlänge angefordert"},
    {25, "Suchfehler"},
    {26, "Unbekanntes Medium im Laufwerk"},
    {27, "Sektor nicht gefunden"},
    {28, "Drucker ohne Papier"},
    {29, "Schreibfehler"},
    {30, "Lesefehler"},
    {31, "Allgemeiner Fehler"},
    {32, "Ungültige Share-Operation"},
    {33, "Fehler bei Sperrung"},
    {34, "Unzulässiger Diskettenwechsel"},
    {35, "FCB nicht verfügbar"},
    {36, "Überlauf bei gemeinsamer Pufferbenutzung"},
    {50, "Netzwerkanfrage nicht unterstützt"},
    {51, "Netzstation antwortet nicht"},
    {52, "Doppelter Name im Netzwerk"},
    {53, "Netzwerkname nicht gefunden"},
    {54, "Netzwerk nicht bereit"},
    {55, "Netzwerkeinheit existiert nicht"},
    {56, "Netzwerk BIOS-Befehlslimit überschritten"},
    {57, "Hardwarefehler am Netzwerkadapter"},
    {58, "Fehlerhafte Antwort vom Netzwerk"},
    {59, "Unerwarteter Netzwerkfehler"},
    {60, "Netzwerkadapter inkompatibel"},
    {61, "Druckerwarteschlange voll"},
    {62, "Nicht genug freier Speicher zum Drucken der Datei"},
    {63, "Druckdatei gelöscht (nicht genug freier Speicher)"},
    {64, "Netzwerkname gelöscht"},
    {65, "Zugriff verweigert"},
    {66, "Netzwerkgerätetyp nicht korrekt"},
    {67, "Netzwerknamen nicht gefunden"},
    {68, "Limit für Anzahl der Netzwerknamen überschritten"},
    {69, "Anzahl der Netzwerk-BIOS-Arbeitssitzungen überschritten"},
    {70, "Vorübergehend unterbrochen"},
    {71, "Netzwerkanfrage nicht akzeptiert"},
    {72, "Druck oder Dateiumlenkung unterbrochen"},
    {80, "Datei existiert bereits"},
    {82, "Verzeichniseintrag kann nicht vorgenommen werden"},
    {83, "Fehler im Zusammenhang mit INT 24H"},
    {84, "Zu viele Umlenkungen"},
    {85, "Doppelte Umlenkung"},
    {86, "Ungültiges Passwort"},
    {87, "Ungültiger Parameter"},
    {88, "Netzwerkeinheit fehlerhaft"},
};

// Failure codes below 32 of starting a program or loading a module.
constexpr CodeText kProgramStartErrors[] = {
    {0, "System was out of memory, executable file was corrupt, or relocations were invalid."},
    {2, "Datei nicht gefunden.\rBitte kontrollieren Sie, ob die Datei vorhanden ist."},
    {3, "Datei-Pfad nicht gefunden.\rBitte kontrollieren sie, ob der Ordner vorhanden ist."},
    {5,
     "Attempt was made to dynamically link to a task, or there was a sharing or "
     "network-protection error."},
    {6, "Library required separate data segments for each task."},
    {8, "There was insufficient memory to start the application."},
    {10, "Windows version was incorrect."},
    {11,
     "Executable file was invalid. Either it was not a Windows application or there was an "
     "error in the .EXE image."},
    {12, "Application was designed for a different operating system."},
    {13, "Application was designed for MS-DOS 4.0."},
    {14, "Type of executable file was unknown."},
    {15,
     "Attempt was made to load a real-mode application (developed for an earlier version of "
     "Windows)."},
    {16,
     "Attempt was made to load a second instance of an executable file containing multiple "
     "data segments that were not marked read-only."},
    {19,
     "Attempt was made to load a compressed executable file. The file must be decompressed "
     "before it can be loaded."},
    {20,
     "Dynamic-link library (DLL) file was invalid. One of the DLLs required to run this "
     "application was corrupt."},
    {21, "Application requires Microsoft Windows 32-bit extensions."},
};

// Error codes of opening a communication port.
constexpr CodeText kPortErrors[] = {
    {-1, "Schnittstellenangabe falsch (nur Com1 - Com9 oder Lpt1 - Lpt3 erlaubt)"},
    {-2, "die Schnittstelle ist bereits geöffnet"},
    {-3, "die Schnittstelle ist nicht geöffnet"},
    {-4, "Speichermangel beim Erstellen des Input/Output Buffers"},
    {-5, "Fehler in den Default Parameter"},
    {-10, "Schnittstelle von einem anderen Programm bereits in Benutzung und gesperrt"},
    {-11, "ungültige Größenangabe für den Input/Output Buffer"},
    {-12, "ungültige Angabe der Baud-Rate"},
};

}  // namespace

std::string DOSFEHLER(long code) {
  return "DOS-Fehler: " + std::to_string(code) + "\r\n" +
         lookup(kDosErrors, code, "unbekannter Fehler");
}

bool FCHECK(long result) {
  if (result >= 0) return true;
  ui::port().information("Dateifehler", DOSFEHLER(std::abs(result)));
  return false;
}

bool SHOWWINERROR(int code, const std::string& text) {
  ui::port().stop(
      "Resource Lade-Fehler",
      text + "\r\r" + lookup(kProgramStartErrors, code, "Unbekannter Fehler beim Laden der Datei"));
  return true;
}

std::string ERROPENCOM(int code) {
  return lookup(kPortErrors, code, "Unbekannter Fehler beim Öffnen der seriellen Schnittstelle");
}

}  // namespace util
