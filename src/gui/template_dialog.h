#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gui/dialog_template.h"
#include "gui/dialog_units.h"

class QAbstractButton;

namespace gui {

// A dialog built from a template: every control at its rectangle in dialog units of the
// template's font, radio buttons grouped as the template groups them, tab order as the
// template lists the controls. Controls are bound to values through get/set callbacks;
// what a dialog edits is the caller's working copy, which the caller stores only when the
// user confirms.
class TemplateDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

  const DialogUnits& units() const { return m_units; }
  // The first control with the id, or nullptr.
  QWidget* control(int id) const;

  // Each binding shows get() at once and on every refresh, and hands every change the user
  // makes to set(). Nothing else changes the bound value.
  // An entry field or static text edits/shows a text (Windows-1252).
  void bindText(int id, std::function<std::string()> get,
                std::function<void(const std::string&)> set);
  void bindCheck(int id, std::function<bool()> get, std::function<void(bool)> set);
  // The radio group that starts with `firstId`: its n-th button (from 1) is selected exactly
  // when get() is n, so any other value selects none; clicking the n-th button sets n.
  void bindRadioGroup(int firstId, std::function<int()> get, std::function<void(int)> set);
  // A drop-down list: the value is the position of the selected entry, from 1; any other
  // value selects none.
  void bindChoice(int id, std::function<int()> get, std::function<void(int)> set);
  // Runs `action` whenever the push button is clicked.
  void onClick(int id, std::function<void()> action);

  // Redraws a control from its bound value; an unbound control is just repainted.
  void refresh(int id);

 private:
  void buildRadioGroups();
  const std::vector<QAbstractButton*>* radioGroupOf(QWidget* radio) const;
  void addRefresher(QWidget* control, std::function<void()> refresher);

  const DialogTemplate& m_template;
  DialogUnits m_units;
  std::vector<std::pair<int, QWidget*>> m_controls;  // template order
  std::vector<std::vector<QAbstractButton*>> m_radioGroups;
  std::map<QWidget*, std::function<void()>> m_refreshers;
};

}  // namespace gui
