#include "gui/message_bar.h"

#include <QMouseEvent>
#include <chrono>

#include "app/version.h"
#include "base/clock.h"
#include "base/date.h"
#include "gui/widget_text.h"
#include "util/text_helpers.h"

namespace gui {

namespace {

constexpr int kFirstYear = 1999;
constexpr size_t kMakerAddressLine = 1;  // of the contact block: maker * street * town

// A field of the bar that reports a click.
class ClickableLabel : public QLabel {
 public:
  ClickableLabel(std::function<void()> onClick, QWidget* parent)
      : QLabel(parent), m_onClick(std::move(onClick)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setMargin(2);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && m_onClick) m_onClick();
  }

 private:
  std::function<void()> m_onClick;
};

int currentYear() {
  return static_cast<int>(std::chrono::year_month_day(base::clock().today()).year());
}

}  // namespace

QString makerLine(int year) {
  std::vector<std::string> contact = util::TEXTTOARRAY(app::makerContact());
  QString maker =
      contact.size() > kMakerAddressLine ? qtText(contact[kMakerAddressLine]) : QString();
  return QStringLiteral("QMT DATANORM - %1 - %2-%3").arg(maker).arg(kFirstYear).arg(year);
}

MessageBar::MessageBar(std::function<void()> onClockClicked, QWidget* parent)
    : QStatusBar(parent),
      m_makerLine(makerLine(currentYear())),
      m_text(new QLabel(m_makerLine, this)),
      m_date(new ClickableLabel(onClockClicked, this)),
      m_time(new ClickableLabel(onClockClicked, this)) {
  setSizeGripEnabled(false);
  setStyleSheet(QStringLiteral(
      "QStatusBar { background-color: rgb(192, 192, 192); } QLabel { color: black; }"));
  m_text->setAlignment(Qt::AlignCenter);
  // A long hint is cut rather than widening the window.
  m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  addWidget(m_text, 1);
  addPermanentWidget(m_date);
  addPermanentWidget(m_time);
  updateClock();
  connect(&m_clock, &QTimer::timeout, this, &MessageBar::updateClock);
  m_clock.start(kClockIntervalMs);
}

void MessageBar::showHint(const QString& hint) {
  m_text->setText(hint.isEmpty() ? m_makerLine : hint);
}

void MessageBar::updateClock() {
  base::Clock& clock = base::clock();
  m_date->setText(qtText(base::formatDate(clock.today())));
  m_time->setText(qtText(util::secondsToTime(static_cast<long>(clock.secondsOfDay()))));
}

}  // namespace gui
