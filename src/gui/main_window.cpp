#include "gui/main_window.h"

#include "app/version.h"

namespace gui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromStdString("QMT DATANORM " + app::MAINVERSION()));
}

}  // namespace gui
