#pragma once

#include <QApplication>

namespace gui {

// The application object of the desktop program. An exception that escapes an event
// handler ends the program with a report in ERROR.LOG instead of leaving it in an unknown
// state.
class GuardedApplication : public QApplication {
  Q_OBJECT
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace gui
