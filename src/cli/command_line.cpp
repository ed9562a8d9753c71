#include "cli/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>

#include "app/version.h"

namespace cli {

namespace {

constexpr const char* kShortUsage =
    "Aufruf: artikimp-cli [--home DIR] [--workstation NAME] [--yes | --no] [--wait SEKUNDEN]\n"
    "                     [--json] BEFEHL ...\n"
    "Befehle: init, import [--kind K] DATEI, reorg [TABELLE ...], check, delete ART,\n"
    "         show TABELLE [--csv], settings [SCHLÜSSEL WERT], table info|dump|verify ...,\n"
    "         demo DIR [--articles N]   (artikimp-cli --help zeigt alles)\n";

std::optional<double> parseSeconds(const std::string& text) {
  char* end = nullptr;
  double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(seconds >= 0)) return std::nullopt;
  return seconds;
}

// Takes the global option at args[i] (and its value); false when args[i] is none.
bool takeGlobalOption(const std::vector<std::string>& args, size_t& i, CommandLine& line) {
  const std::string& a = args[i];
  GlobalOptions& o = line.options;
  if (a == "--yes" || a == "--no") {
    o.answers = a == "--yes" ? TerminalPort::Answers::AllYes : TerminalPort::Answers::AllNo;
    return true;
  }
  if (a == "--json") {
    o.json = true;
    return true;
  }
  if (a != "--home" && a != "--workstation" && a != "--wait") return false;
  if (i + 1 >= args.size()) {
    line.problem = "Wert fehlt für " + a;
    return true;
  }
  const std::string& value = args[++i];
  if (a == "--home") o.home = absolutePath(value);
  if (a == "--workstation") o.workstation = value;
  if (a == "--wait") {
    std::optional<double> seconds = parseSeconds(value);
    if (!seconds) line.problem = "Ungültige Wartezeit: " + value;
    o.waitSeconds = seconds.value_or(o.waitSeconds);
  }
  return true;
}

}  // namespace

std::filesystem::path absolutePath(const std::string& argument) {
  std::error_code ec;
  std::filesystem::path path = std::filesystem::absolute(argument, ec);
  return (ec ? std::filesystem::path(argument) : path).lexically_normal();
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (size_t i = 0; i < args.size() && line.problem.empty(); ++i) {
    const std::string& a = args[i];
    if (line.command == "table") {
      line.args.push_back(a);
    } else if (takeGlobalOption(args, i, line)) {
      continue;
    } else if (line.command.empty()) {
      if (a.starts_with("--") && a != "--help" && a != "--version") {
        line.problem = "Unbekannte Option: " + a;
      }
      line.command = a;
    } else {
      line.args.push_back(a);
    }
  }
  if (line.problem.empty() && line.command.empty()) line.problem = "Befehl fehlt";
  return line;
}

int usageError(const std::string& problem) {
  std::cerr << problem << "\n" << kShortUsage;
  return kUsage;
}

void printHelp() {
  std::printf(
      "artikimp-cli %s\n"
      "Datanorm-Import auf der Kommandozeile.\n\n"
      "Aufruf: artikimp-cli [OPTIONEN] BEFEHL ...\n\n"
      "Optionen (vor oder nach dem Befehl):\n"
      "  --home DIR          Programmverzeichnis (sonst $ARTIKIMP_HOME, sonst der Ordner des\n"
      "                      Programms)\n"
      "  --workstation NAME  Arbeitsplatz, wie beim Desktop-Programm\n"
      "  --yes | --no        alle Fragen mit Ja bzw. Nein beantworten (sonst am Terminal\n"
      "                      fragen, ohne Terminal die Vorgabe-Schaltfläche)\n"
      "  --wait SEKUNDEN     längste Wartezeit auf gesperrte Tabellen und Sätze (30)\n"
      "  --json              am Ende von import, reorg, check und delete ein JSON-Objekt\n"
      "                      auf stdout\n\n"
      "Befehle:\n"
      "  init                      fehlende eigene Tabellen anlegen und indizieren, leere\n"
      "                            Fehlertexte füllen\n"
      "  import [--kind K] DATEI   Datanorm-Datei einlesen: K 0 Artikelstamm (Vorgabe),\n"
      "                            1 Hauptwarengruppen, 2 Preispflege, 3 Rabattgruppen\n"
      "  reorg [TABELLE ...]       eigene Tabellen reorganisieren (alle, wenn keine genannt)\n"
      "  check                     Datenbankstruktur prüfen und anpassen\n"
      "  delete ART                eingelesene Daten löschen: 1 Hauptwarengruppen,\n"
      "                            3 Rabattgruppen, 4 Fehlerprotokoll, 6 Protokoll, 7 alle\n"
      "  show TABELLE [--csv]      eigene Tabelle wie im Programm anzeigen, in Indexfolge\n"
      "  settings                  die 21 Voreinstellungen ausgeben (Nr., Schlüssel, Wert)\n"
      "  settings SCHLÜSSEL WERT   eine Voreinstellung setzen (Schlüssel oder Nummer; Werte\n"
      "                            wie in ARTIKIMP.INI: J/N, Zahl, Text) und alle speichern\n"
      "  table info FILE.dbf [INDEX.cdx ...]     Aufbau, Satzzahl und Indizes einer Tabelle\n"
      "  table dump FILE.dbf [--index INDEX.cdx --tag NAME] [--deleted] [--csv]\n"
      "                                          Sätze in Satz- oder Indexfolge ausgeben\n"
      "  table verify FILE.dbf INDEX.cdx ...     Indizes gegen die Sätze prüfen\n"
      "  demo DIR [--articles N]   fertige Demo-Installation mit Datanorm-Dateien in DIR\n"
      "                            anlegen (N Artikel, Vorgabe 500)\n\n"
      "Meldungen erscheinen auf stderr als \"[Titel] Text\". Ende-Status: 0 erledigt,\n"
      "1 Voraussetzung fehlt, abgelehnt oder abgebrochen, 2 falscher Aufruf.\n",
      app::MAINVERSION().c_str());
}

}  // namespace cli
