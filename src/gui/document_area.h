#pragma once

#include <QMdiArea>
#include <QPixmap>

namespace gui {

// The main window's document area between button bar and message bar: light grey, with
// the product logo painted near its lower right corner. A right-click opens the one-entry
// pop-up "&Datenbank laden", which does nothing.
class DocumentArea : public QMdiArea {
  Q_OBJECT
 public:
  explicit DocumentArea(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QSize clientAreaSize() const;

  QPixmap m_logo;
  bool m_popupOpen = false;
};

// The logo's top-left corner in document-area coordinates, for the size of the main
// window's whole client area (button bar and message bar included) and the screen's dots
// per inch: (W - 550, H - 460 + 125 - dpiPixel(125)).
QPoint logoOrigin(QSize clientArea, double dpi);

}  // namespace gui
