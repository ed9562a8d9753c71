#include "gui/window_align.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace gui {

namespace {

// Edges as the platform gives them: right and bottom one past the last pixel.
int rightEdge(const QRect& r) {
  return r.x() + r.width();
}
int bottomEdge(const QRect& r) {
  return r.y() + r.height();
}

QRect parentClient(const QWidget* window) {
  const QWidget* parent = window->parentWidget();
  return parent ? parent->rect() : QRect();
}

// The window's frame rectangle: its geometry grown by the frame the window system draws.
QRect frameRect(const QWidget* window) {
  return window->isWindow() ? window->frameGeometry() : window->geometry();
}

// Sets the frame rectangle of a top-level window (the geometry of a child).
void setFrameRect(QWidget* window, const QRect& frame) {
  if (!window->isWindow()) {
    window->setGeometry(frame);
    return;
  }
  QRect inner = window->geometry();
  QRect outer = window->frameGeometry();
  window->setGeometry(frame.adjusted(inner.left() - outer.left(), inner.top() - outer.top(),
                                     inner.right() - outer.right(),
                                     inner.bottom() - outer.bottom()));
}

}  // namespace

bool WNDALIGNBO(QWidget* window, int gap, QWidget* reference, int width) {
  if (!window) return false;
  QRect r = window->geometry();
  if (width != 0) r.setWidth(width);
  int bottom = reference ? reference->geometry().top() : bottomEdge(parentClient(window));
  r.moveTop(bottom - gap - r.height());
  window->setGeometry(r);
  window->update();
  return true;
}

bool WNDALIGNCL(QWidget* window, QWidget* above, QWidget* below, QWidget* left, QWidget* right,
                int leftGap, int topGap, int rightGap, int bottomGap) {
  if (!window) return false;
  QRect client = parentClient(window);
  int top = (above ? bottomEdge(above->geometry()) : client.top()) + topGap;
  int bottom = (below ? below->geometry().top() : bottomEdge(client)) - bottomGap;
  int l = (left ? rightEdge(left->geometry()) : client.left()) + leftGap;
  int r = (right ? right->geometry().left() : rightEdge(client)) - rightGap;
  window->setGeometry(l, top, r - l, bottom - top);
  window->update();
  return true;
}

bool WNDALIGNCE(QWidget* window, QWidget* reference, int width, int height) {
  if (!window) return false;
  QRect frame = frameRect(window);
  if (width > 0) frame.setWidth(width);
  if (height > 0) frame.setHeight(height);
  QRect around;
  if (reference) {
    around = frameRect(reference);
  } else {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    around = screen ? screen->geometry() : QRect();
  }
  frame.moveTo(rightEdge(around) / 2 - frame.width() / 2,
               bottomEdge(around) / 2 - frame.height() / 2);
  setFrameRect(window, frame);
  window->update();
  return true;
}

}  // namespace gui
