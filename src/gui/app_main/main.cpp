#include <QApplication>

#include "gui/main_window.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  gui::MainWindow window;
  window.showMaximized();
  return qapp.exec();
}
