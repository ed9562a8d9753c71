#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <functional>

namespace gui {

// The main window's message bar: black text on light grey, centred. It shows the hint of
// the highlighted menu item or of the button under the mouse, otherwise the maker line. At
// its right end the date and the time of day, refreshed every 400 ms; a click on either
// runs `onClockClicked`.
class MessageBar : public QStatusBar {
  Q_OBJECT
 public:
  explicit MessageBar(std::function<void()> onClockClicked, QWidget* parent = nullptr);

  // An empty hint brings back the maker line.
  void showHint(const QString& hint);
  QString text() const { return m_text->text(); }
  QString date() const { return m_date->text(); }
  QString time() const { return m_time->text(); }

  static constexpr int kClockIntervalMs = 400;

 private:
  void updateClock();

  QString m_makerLine;
  QLabel* m_text;
  QLabel* m_date;
  QLabel* m_time;
  QTimer m_clock;
};

// "QMT DATANORM - <maker, street, town> - 1999-<year>".
QString makerLine(int currentYear);

}  // namespace gui
