#include "gui/document_area.h"

#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>

#include "gui/artwork.h"
#include "gui/dpi.h"

namespace gui {

namespace {

const QColor kBackground(192, 192, 192);
// The logo stands this far from the right and bottom edges of a 96-dpi client area.
constexpr int kLogoRight = 550;
constexpr int kLogoBottom = 460;
constexpr int kLogoDpiShift = 125;

}  // namespace

QPoint logoOrigin(QSize clientArea, double dpi) {
  return QPoint(clientArea.width() - kLogoRight,
                clientArea.height() - kLogoBottom + kLogoDpiShift - dpiPixel(kLogoDpiShift, dpi));
}

DocumentArea::DocumentArea(QWidget* parent) : QMdiArea(parent), m_logo(bitmap("NEULOGO")) {
  setBackground(kBackground);
}

// The client area of the frame window: everything inside the frame below the menu bar.
QSize DocumentArea::clientAreaSize() const {
  auto* frame = qobject_cast<QMainWindow*>(window());
  if (!frame) return viewport()->size();
  QSize size = frame->size();
  if (QWidget* menu = frame->menuWidget()) size.rheight() -= menu->height();
  return size;
}

void DocumentArea::paintEvent(QPaintEvent* event) {
  QMdiArea::paintEvent(event);
  QPainter painter(viewport());
  painter.drawPixmap(logoOrigin(clientAreaSize(), GETCURRENTDPI()), m_logo);
}

void DocumentArea::contextMenuEvent(QContextMenuEvent* event) {
  if (m_popupOpen) return;
  m_popupOpen = true;
  QMenu popup(this);
  // The text after the tab shows as a key hint; the entry and F2 are bound to nothing.
  popup.addAction(QStringLiteral("&Datenbank laden\tF2"));
  popup.exec(event->globalPos());
  m_popupOpen = false;
}

}  // namespace gui
