#include "gui/progress_views.h"

#include <QProgressBar>
#include <algorithm>
#include <climits>

#include "gui/control_factory.h"
#include "gui/dialog_templates.h"
#include "gui/widget_text.h"

namespace gui {

namespace {

constexpr int kTickIntervalMs = 1000;
constexpr int kLockTextId = 101;  // MSG_ABBRUCH: the text field

int meterValue(long value) {
  return static_cast<int>(std::clamp<long>(value, 0, INT_MAX));
}

std::unique_ptr<RunDialog> showRunDialog(const DialogTemplate& dialogTemplate, const QString& title,
                                         QWidget* parent) {
  auto dialog = std::make_unique<RunDialog>(dialogTemplate, parent);
  dialog->setWindowTitle(title);
  dialog->show();
  return dialog;
}

}  // namespace

QtProgressView::QtProgressView(const DialogTemplate& dialogTemplate, const QString& title,
                               QWidget* parent)
    : m_dialog(showRunDialog(dialogTemplate, title, parent)) {
  m_ticker.setInterval(kTickIntervalMs);
  QObject::connect(&m_ticker, &QTimer::timeout, [this] {
    // A tick that falls due while the previous one still runs is dropped.
    if (m_inTick || !m_onTick) return;
    m_inTick = true;
    m_onTick();
    m_inTick = false;
  });
}

QtProgressView::~QtProgressView() {
  close();
}

void QtProgressView::setText(int id, const std::string& text) {
  if (QWidget* control = m_dialog->control(id)) setControlText(control, qtText(text));
}

void QtProgressView::setVisible(int id, bool visible) {
  if (QWidget* control = m_dialog->control(id)) control->setVisible(visible);
}

void QtProgressView::setMeterTotal(int id, long total) {
  if (auto* meter = qobject_cast<QProgressBar*>(m_dialog->control(id))) {
    // A total of 0 shows an empty bar, not Qt's busy indicator.
    meter->setMaximum(std::max(1, meterValue(total)));
  }
}

void QtProgressView::setMeterPosition(int id, long position) {
  if (auto* meter = qobject_cast<QProgressBar*>(m_dialog->control(id))) {
    meter->setValue(std::min(meter->maximum(), meterValue(position)));
  }
}

void QtProgressView::startTicks(std::function<void()> onTick) {
  m_onTick = std::move(onTick);
  m_ticker.start();
}

void QtProgressView::stopTicks() {
  m_ticker.stop();
  m_onTick = nullptr;
}

bool QtProgressView::takeAbortRequest() {
  return m_dialog->takeAbortRequest();
}

void QtProgressView::close() {
  stopTicks();
  m_dialog->finish();
}

QtLockView::QtLockView(const QString& title, const std::string& text, QWidget* parent)
    : m_dialog(showRunDialog(templates::MSG_ABBRUCH(), title, parent)) {
  setText(text);
}

QtLockView::~QtLockView() {
  close();
}

void QtLockView::setText(const std::string& text) {
  if (QWidget* field = m_dialog->control(kLockTextId)) {
    setControlText(field, qtText(text));
    field->repaint();
  }
}

bool QtLockView::cancelled() {
  return m_dialog->abortRequested();
}

void QtLockView::close() {
  m_dialog->finish();
}

}  // namespace gui
