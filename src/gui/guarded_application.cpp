#include "gui/guarded_application.h"

#include <exception>

#include "gui/error_log.h"

namespace gui {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    endWithErrorLog(e.what());
  } catch (...) {
    endWithErrorLog("Ausnahme unbekannter Art");
  }
}

}  // namespace gui
