#include <gtest/gtest.h>

#include "gui/main_window.h"

TEST(MainWindow, OpensWithProductCaption) {
  gui::MainWindow w;
  w.show();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle().toStdString(), "QMT DATANORM 2017 Build 101");
}
