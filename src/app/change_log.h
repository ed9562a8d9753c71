#pragma once

#include <string>
#include <vector>

#include "base/date.h"

namespace app {

// One entry of the change table compiled into the program.
struct ChangeRecord {
  int year;
  int build;
  base::Date date;
  std::string editor;  // short code of the person who made the change; shown nowhere
  std::string text;    // one paragraph, Windows-1252
};

// The changes of every build, oldest first; the records of one build stand together.
std::vector<ChangeRecord> BUILDCHANGES();

// The change log as the "Neuerungen" window shows it: per build a heading
// "===== QMT Datanorm 2017 Build 101 vom 18.04.2017 ===== ", then " * " and the text of each
// change followed by an empty line; an empty line before every further heading.
std::string changeLogText(const std::vector<ChangeRecord>& records);

}  // namespace app
