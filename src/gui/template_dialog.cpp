#include "gui/template_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "gui/control_factory.h"
#include "gui/widget_text.h"

namespace gui {

namespace {

// Frames and lines only decorate; they lie below the controls they surround, so that they
// never take the clicks meant for those controls.
bool isDecoration(ControlKind kind) {
  return kind == ControlKind::GroupBox || kind == ControlKind::Frame ||
         kind == ControlKind::HorizontalLine;
}

}  // namespace

TemplateDialog::TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), m_template(dialogTemplate) {
  if (!m_template.captionBar) setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
  setWindowTitle(QString::fromUtf8(m_template.caption));
  setFont(dialogFont(m_template.fontFamily, m_template.fontPoints));
  m_units = DialogUnits::of(font());
  setFixedSize(m_units.x(m_template.w), m_units.y(m_template.h));

  std::vector<QWidget*> decorations;
  for (const ControlTemplate& c : m_template.controls) {
    QWidget* widget = createControl(c, this, m_units);
    m_controls.emplace_back(c.id, widget);
    if (isDecoration(c.kind)) decorations.push_back(widget);
  }
  for (QWidget* decoration : decorations) decoration->lower();
  buildRadioGroups();
}

QWidget* TemplateDialog::control(int id) const {
  auto it = std::find_if(m_controls.begin(), m_controls.end(),
                         [id](const auto& entry) { return entry.first == id; });
  return it == m_controls.end() ? nullptr : it->second;
}

void TemplateDialog::buildRadioGroups() {
  for (size_t i = 0; i < m_template.controls.size(); ++i) {
    const ControlTemplate& c = m_template.controls[i];
    if (c.kind != ControlKind::RadioButton) continue;
    if ((c.flags & kGroupStart) || m_radioGroups.empty()) m_radioGroups.emplace_back();
    m_radioGroups.back().push_back(static_cast<QAbstractButton*>(m_controls[i].second));
  }
  for (const auto& group : m_radioGroups) {
    for (QAbstractButton* radio : group) {
      // One click selects a button and clears the others of its group; clicking the
      // selected one keeps it selected.
      connect(radio, &QAbstractButton::clicked, this, [radio, &group] {
        for (QAbstractButton* other : group) other->setChecked(other == radio);
      });
    }
  }
}

const std::vector<QAbstractButton*>* TemplateDialog::radioGroupOf(QWidget* radio) const {
  for (const auto& group : m_radioGroups) {
    if (std::find(group.begin(), group.end(), radio) != group.end()) return &group;
  }
  return nullptr;
}

void TemplateDialog::addRefresher(QWidget* control, std::function<void()> refresher) {
  refresher();
  m_refreshers[control] = std::move(refresher);
}

void TemplateDialog::bindText(int id, std::function<std::string()> get,
                              std::function<void(const std::string&)> set) {
  QWidget* widget = control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    addRefresher(edit, [edit, get] {
      QSignalBlocker block(edit);
      edit->setText(qtText(get()));
    });
    connect(edit, &QLineEdit::textEdited, this,
            [set](const QString& text) { set(ansiText(text)); });
  } else if (widget) {
    addRefresher(widget, [widget, get] { setControlText(widget, qtText(get())); });
  }
}

void TemplateDialog::bindCheck(int id, std::function<bool()> get, std::function<void(bool)> set) {
  auto* box = qobject_cast<QAbstractButton*>(control(id));
  if (!box) return;
  addRefresher(box, [box, get] { box->setChecked(get()); });
  connect(box, &QAbstractButton::clicked, this, [set](bool checked) { set(checked); });
}

void TemplateDialog::bindRadioGroup(int firstId, std::function<int()> get,
                                    std::function<void(int)> set) {
  const std::vector<QAbstractButton*>* group = radioGroupOf(control(firstId));
  if (!group) return;
  auto refresher = [group, get] {
    int value = get();
    for (size_t i = 0; i < group->size(); ++i) {
      (*group)[i]->setChecked(value == static_cast<int>(i) + 1);
    }
  };
  for (size_t i = 0; i < group->size(); ++i) {
    addRefresher((*group)[i], refresher);
    connect((*group)[i], &QAbstractButton::clicked, this,
            [set, n = static_cast<int>(i) + 1] { set(n); });
  }
}

void TemplateDialog::bindChoice(int id, std::function<int()> get, std::function<void(int)> set) {
  auto* list = qobject_cast<QComboBox*>(control(id));
  if (!list) return;
  addRefresher(list, [list, get] {
    int position = get();
    QSignalBlocker block(list);
    list->setCurrentIndex(position >= 1 && position <= list->count() ? position - 1 : -1);
  });
  connect(list, &QComboBox::activated, this, [set](int index) { set(index + 1); });
}

void TemplateDialog::onClick(int id, std::function<void()> action) {
  if (auto* button = qobject_cast<QAbstractButton*>(control(id))) {
    connect(button, &QAbstractButton::clicked, this, [action] { action(); });
  }
}

void TemplateDialog::refresh(int id) {
  QWidget* widget = control(id);
  if (!widget) return;
  auto it = m_refreshers.find(widget);
  if (it != m_refreshers.end()) it->second();
  widget->update();
}

}  // namespace gui
