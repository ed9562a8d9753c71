#include "gui/control_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "gui/artwork.h"

namespace gui {

namespace {

// The progress meter draws its percentage in a font 8 pixels high.
constexpr int kMeterFontPixels = 8;

Qt::Alignment horizontalAlignment(unsigned flags) {
  if (flags & kCentered) return Qt::AlignHCenter;
  if (flags & kRightAligned) return Qt::AlignRight;
  return Qt::AlignLeft;
}

QWidget* createLabel(const ControlTemplate& c, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(horizontalAlignment(c.flags) | Qt::AlignTop);
  if (c.flags & kSunken) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(2);
  }
  return label;
}

QWidget* createMultiLineEdit(const ControlTemplate& c, const QString& text, QWidget* parent) {
  auto* box = new QPlainTextEdit(text, parent);
  box->setReadOnly(c.flags & kReadOnly);
  box->setVerticalScrollBarPolicy((c.flags & kVerticalScroll) ? Qt::ScrollBarAlwaysOn
                                                              : Qt::ScrollBarAlwaysOff);
  return box;
}

QWidget* createFrame(QFrame::Shape shape, QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setFrameStyle(shape | QFrame::Sunken);
  return frame;
}

QWidget* createIcon(const QString& name, QWidget* parent) {
  auto* icon = new QLabel(parent);
  icon->setPixmap(bitmap(name.toLatin1().constData()));
  icon->setAlignment(Qt::AlignCenter);
  return icon;
}

QWidget* createDropDown(const QString& entries, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->addItems(entries.split(QChar('\n')));
  list->setCurrentIndex(-1);
  return list;
}

QWidget* createMeter(QWidget* parent) {
  auto* meter = new QProgressBar(parent);
  meter->setRange(0, 100);
  meter->setValue(0);
  meter->setFormat(QStringLiteral("%p%"));
  meter->setAlignment(Qt::AlignCenter);
  QFont font = meter->font();
  font.setPixelSize(kMeterFontPixels);
  meter->setFont(font);
  return meter;
}

bool isOneLine(const QRect& rect, QWidget* widget) {
  return rect.height() < 2 * widget->fontMetrics().height();
}

// The templates were laid out for a narrower font than most systems have. A one-line text,
// check box or radio button whose text does not fit grows to the right instead of being cut.
bool growsToItsText(const ControlTemplate& c, const QRect& rect, QWidget* widget) {
  bool text = c.kind == ControlKind::Label && !(c.flags & (kSunken | kCentered));
  bool box = c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton;
  return (text || box) && isOneLine(rect, widget) && widget->sizeHint().width() > rect.width();
}

QWidget* createWidget(const ControlTemplate& c, QWidget* parent) {
  QString text = QString::fromUtf8(c.text);
  switch (c.kind) {
    case ControlKind::Label:
      return createLabel(c, text, parent);
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(text, parent);
      edit->setReadOnly(c.flags & kReadOnly);
      return edit;
    }
    case ControlKind::MultiLineEdit:
      return createMultiLineEdit(c, text, parent);
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, parent);
      button->setDefault(c.flags & kDefaultButton);
      return button;
    }
    case ControlKind::CheckBox:
      return new QCheckBox(text, parent);
    case ControlKind::RadioButton: {
      // Radio buttons exclude each other per template group, not per parent widget.
      auto* radio = new QRadioButton(text, parent);
      radio->setAutoExclusive(false);
      return radio;
    }
    case ControlKind::GroupBox:
      return new QGroupBox(text, parent);
    case ControlKind::Frame:
      return createFrame(QFrame::Box, parent);
    case ControlKind::HorizontalLine:
      return createFrame(QFrame::HLine, parent);
    case ControlKind::Icon:
      return createIcon(text, parent);
    case ControlKind::DropDownList:
      return createDropDown(text, parent);
    case ControlKind::ProgressMeter:
      return createMeter(parent);
  }
  return new QWidget(parent);
}

}  // namespace

QWidget* createControl(const ControlTemplate& c, QWidget* parent, const DialogUnits& units) {
  QWidget* widget = createWidget(c, parent);
  QRect rect = units.rect(c.x, c.y, c.w, c.h);
  if (c.kind == ControlKind::DropDownList) {
    // The template's height includes the opened list; the closed field is one line high.
    rect.setHeight(std::min(rect.height(), widget->sizeHint().height()));
  }
  if (auto* label = qobject_cast<QLabel*>(widget); label && isOneLine(rect, widget)) {
    // One line: no wrapping, and a value in a sunken frame sits in its middle.
    label->setWordWrap(false);
    if (c.flags & kSunken) label->setAlignment(horizontalAlignment(c.flags) | Qt::AlignVCenter);
  }
  if (growsToItsText(c, rect, widget)) rect.setWidth(widget->sizeHint().width());
  widget->setGeometry(rect);
  return widget;
}

void setControlText(QWidget* control, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
    box->setPlainText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(text);
  }
}

}  // namespace gui
