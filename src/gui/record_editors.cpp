#include "gui/record_editors.h"

#include <QLineEdit>
#include <cstdio>

#include "base/cp1252.h"
#include "gui/browser_templates.h"
#include "gui/dialog_controls.h"
#include "gui/template_dialog.h"
#include "gui/widget_text.h"
#include "tables/workspace.h"
#include "views/record_editing.h"

namespace gui {

namespace {

constexpr int kOk = 111;
constexpr int kCancel = 110;
// The multiplier: one digit, the point, four decimals.
const QString kMultiplierMask = QStringLiteral("9.9999");

// An editor over a working copy; the caller stores the copy when this returns true.
class Editor {
 public:
  Editor(const DialogTemplate& dialogTemplate, QWidget* parent, const std::string& title)
      : m_dialog(dialogTemplate, parent) {
    m_dialog.setWindowTitle(qtText(title));
    m_dialog.onClick(kOk, [this] { m_dialog.accept(); });
    m_dialog.onClick(kCancel, [this] { m_dialog.reject(); });
  }

  // An entry field over a field's text, taking at most the field's width.
  void text(int id, std::string& value, const xbase::Table& table, const char* field) {
    int f = table.fieldIndex(field);
    if (auto* edit = qobject_cast<QLineEdit*>(GETITEMDLG(m_dialog, id).widget()); edit && f >= 0)
      edit->setMaxLength(table.fields()[static_cast<size_t>(f)].length);
    m_dialog.bindText(
        id, [&value] { return value; }, [&value](const std::string& typed) { value = typed; });
  }

  void check(int id, bool& value) {
    m_dialog.bindCheck(
        id, [&value] { return value; }, [&value](bool on) { value = on; });
  }

  void multiplier(int id, double& value) {
    if (auto* edit = qobject_cast<QLineEdit*>(GETITEMDLG(m_dialog, id).widget()))
      edit->setInputMask(kMultiplierMask);
    m_dialog.bindText(
        id,
        [&value] {
          char text[16];
          std::snprintf(text, sizeof text, "%.4f", value);
          return std::string(text);
        },
        [&value](const std::string& typed) { value = qtText(typed).toDouble(); });
  }

  void shown(int id, const std::string& value) {
    m_dialog.bindText(
        id, [value] { return value; }, [](const std::string&) {});
  }

  TemplateDialog& dialog() { return m_dialog; }
  bool confirmed() { return m_dialog.exec() == QDialog::Accepted; }

 private:
  TemplateDialog m_dialog;
};

std::string editorTitle(const std::string& title, bool isNew) {
  return isNew ? title + ": Neu" : title;
}

bool editGroup(QWidget* parent, xbase::Table& table, const std::string& title, bool isNew) {
  views::GroupRecord record = isNew ? views::GroupRecord() : views::currentGroup(table);
  Editor editor(templates::EDIT_WAGRU(), parent, editorTitle(title, isNew));
  editor.text(121, record.code, table, "WAGRU");
  editor.text(122, record.text, table, "TEXT");
  editor.check(123, record.include);
  return editor.confirmed() && views::saveGroup(record, isNew, title);
}

bool editDiscount(QWidget* parent, xbase::Table& table, const std::string& title, bool isNew) {
  views::DiscountRecord record = isNew ? views::DiscountRecord() : views::currentDiscount(table);
  Editor editor(templates::EDIT_RABATT(), parent, editorTitle(title, isNew));
  editor.text(121, record.code, table, "RABATTGRUP");
  editor.text(122, record.text, table, "TEXT");
  editor.multiplier(123, record.multiplier);
  return editor.confirmed() && views::saveDiscount(record, isNew, title);
}

bool editErrorText(QWidget* parent, xbase::Table& table, const std::string& title) {
  views::ErrorTextRecord record = views::currentErrorText(table);
  Editor editor(templates::EDIT_FEHLERTEXT(), parent, title);
  editor.shown(121, std::to_string(static_cast<long>(record.number)));
  editor.shown(122, record.text);
  editor.shown(123, record.comment);
  editor.check(124, record.ignore);
  CTRLDISEN(editor.dialog(), {121, 122, 123}, true);
  return editor.confirmed() && views::saveErrorText(record, title);
}

}  // namespace

bool editRecord(QWidget* parent, const std::string& table, const std::string& title, bool isNew) {
  xbase::Table* t = tables::table(table);
  if (!t || (!isNew && t->eof())) return false;
  std::string name = base::upperAnsi(table);
  if (name == "DNORMWGR") return editGroup(parent, *t, title, isNew);
  if (name == "DNORMRAB") return editDiscount(parent, *t, title, isNew);
  if (name == "DNORMERT" && !isNew) return editErrorText(parent, *t, title);
  return false;
}

}  // namespace gui
