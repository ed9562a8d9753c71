#pragma once

#include <QMainWindow>

namespace gui {

// The program's frame window. Its caption names the product and the running build.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace gui
