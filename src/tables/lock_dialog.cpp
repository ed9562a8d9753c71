#include "tables/lock_dialog.h"

#include "base/clock.h"
#include "tables/network_wait.h"
#include "ui/port.h"

namespace tables {

bool lockInDialog(const std::function<bool()>& tryLock) {
  std::unique_ptr<ui::LockView> dialog =
      ui::port().openLockDialog("Satz konnte nicht gesperrt werden", "");
  dialog->setText("Versuche, den Datensatz zu sperren");
  ui::port().pumpEvents();
  std::optional<double> limit = waitLimit();
  double start = limit ? base::clock().secondsOfDay() : 0;
  bool obtained = false;
  while (!dialog->cancelled()) {
    obtained = tryLock();
    if (obtained || (limit && elapsedSince(start, base::clock().secondsOfDay()) >= *limit)) break;
    ui::port().pumpEvents();
  }
  dialog->close();
  return obtained;
}

}  // namespace tables
