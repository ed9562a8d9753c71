#include "gui/settings_dialog.h"

#include <QLineEdit>
#include <cmath>
#include <filesystem>

#include "app/paths.h"
#include "base/cp1252.h"
#include "gui/dialog_controls.h"
#include "gui/dialog_templates.h"
#include "settings/cache.h"
#include "ui/port.h"

namespace gui {

namespace {

// Setting numbers, counted from 1.
constexpr int kPfad = 1;
constexpr int kLieferant = 3;
constexpr int kMwst = 4;
constexpr int kWg = 9;
constexpr int kEan = 10;
constexpr int kPreis2bis5 = 16;
constexpr int kLoeschen = 17;
constexpr int kNurPreis = 19;

// The folder chosen with "&Durchsuchen" is padded to this width, not the setting's 80.
constexpr size_t kBrowsedFolderWidth = 66;
// The rate field: two digits, point, two decimals, and a fixed " %" that is not part of it.
const QString kRateMask = QStringLiteral("99.99 %");
constexpr size_t kRateDigits = 5;

// Check boxes and the logical setting each one edits.
constexpr std::pair<int, int> kCheckBoxes[] = {
    {123, 2},   // Index
    {135, 5},   // Langtext
    {136, 6},   // Warengruppe
    {141, 7},   // Menge
    {142, 8},   // Rabatt
    {155, 11},  // Match
    {301, 12},  // BruttoEK
    {302, 13},  // Brutto
    {303, 14},  // NettoEK
    {304, 15},  // Netto
    {305, 20},  // Brutto2Brutto
    {306, 21},  // Netto2Brutto
    {315, 18},  // Aktualisieren
};
// Radio groups (by their first button) and the number setting each one edits.
constexpr std::pair<int, int> kRadioGroups[] = {
    {143, kWg}, {151, kEan}, {161, kLoeschen}, {311, kPreis2bis5}};

constexpr int kMatchcodeId = 155;
constexpr int kConfirmId = 111;
constexpr int kCancelId = 110;

// The choice a number setting names: the whole number, or 0 (no choice) for a fraction.
int choiceOf(const settings::Value& value) {
  const auto* number = std::get_if<base::Decimal>(&value);
  if (!number || number->value != std::floor(number->value) || std::abs(number->value) > 1e6) {
    return 0;
  }
  return static_cast<int>(number->value);
}

settings::Value choice(int n) {
  return base::Decimal{static_cast<double>(n), 0};
}

std::string rightTrimmed(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string padded(std::string text, size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

}  // namespace

SettingsDialog::SettingsDialog(bool continueMode, std::function<void()> editProductGroups,
                               QWidget* parent)
    : TemplateDialog(templates::EIN_DATEN(), parent),
      m_values(settings::GETVOREIN()),
      m_editProductGroups(std::move(editProductGroups)) {
  adjustOpeningValues();
  bindControls();
  if (continueMode) GETITEMDLG(*this, kConfirmId).setText("&Weiter");
}

void SettingsDialog::adjustOpeningValues() {
  for (auto [id, setting] : kCheckBoxes) {
    settings::Value& value = m_values[setting - 1];
    if (!std::holds_alternative<bool>(value)) value = false;
  }
  for (auto [id, setting] : kRadioGroups) {
    settings::Value& value = m_values[setting - 1];
    const auto* number = std::get_if<base::Decimal>(&value);
    if (!number || number->value == 0) value = choice(1);
  }
}

void SettingsDialog::bindControls() {
  bindTextField(121, kPfad);
  bindTextField(132, kLieferant);
  bindRateField();
  for (auto [id, setting] : kCheckBoxes) {
    bindCheck(
        id, [this, s = setting] { return std::get<bool>(m_values[s - 1]); },
        [this, s = setting](bool on) { m_values[s - 1] = on; });
  }
  for (auto [id, setting] : kRadioGroups) {
    bindRadioGroup(
        id, [this, s = setting] { return choiceOf(m_values[s - 1]); },
        [this, s = setting](int n) {
          m_values[s - 1] = choice(n);
          if (s == kEan) updateMatchcode();
        });
  }
  bindChoice(
      350, [this] { return choiceOf(m_values[kNurPreis - 1]); },
      [this](int n) { m_values[kNurPreis - 1] = choice(n); });
  updateMatchcode();

  onClick(122, [this] { browseForArticleTable(); });
  onClick(137, [this] {
    if (m_editProductGroups) m_editProductGroups();
  });
  onClick(kConfirmId, [this] { accept(); });
  onClick(kCancelId, [this] { reject(); });
}

// The field edits the text in place: it shows it without its trailing blanks and stores
// it padded to the length it had when the dialog opened, which is also the most it takes.
void SettingsDialog::bindTextField(int id, int setting) {
  size_t length = std::get<std::string>(m_values[setting - 1]).size();
  if (auto* edit = qobject_cast<QLineEdit*>(GETITEMDLG(*this, id).widget())) {
    edit->setMaxLength(static_cast<int>(length));
  }
  bindText(
      id, [this, setting] { return rightTrimmed(std::get<std::string>(m_values[setting - 1])); },
      [this, setting, length](const std::string& text) {
        m_values[setting - 1] = padded(text, length);
      });
}

void SettingsDialog::bindRateField() {
  if (auto* edit = qobject_cast<QLineEdit*>(GETITEMDLG(*this, 134).widget())) {
    edit->setInputMask(kRateMask);
  }
  bindText(
      134,
      [this] {
        const auto* rate = std::get_if<base::Decimal>(&m_values[kMwst - 1]);
        std::string digits = base::formatDecimal({rate ? rate->value : 0, 2});
        return std::string(kRateDigits > digits.size() ? kRateDigits - digits.size() : 0, '0') +
               digits;
      },
      [this](const std::string& text) {
        m_values[kMwst - 1] = base::Decimal{base::leadingNumber(text).value, 2};
      });
}

void SettingsDialog::browseForArticleTable() {
  std::filesystem::path start =
      base::utf8FromAnsi(rightTrimmed(std::get<std::string>(m_values[kPfad - 1])));
  std::error_code ec;
  if (start.empty() || !std::filesystem::is_directory(start, ec)) start = app::MAINPFAD();
  auto file = ui::port().chooseFile(base::ansi("Bitte Artikel.dbf der LGW auswählen"), start,
                                    {{"Artikel.*", "Artikel.*"}});
  if (!file) return;
  std::string path = file->string();
  std::string folder = path.substr(0, path.rfind('/') + 1);
  m_values[kPfad - 1] = padded(base::ansi(folder), kBrowsedFolderWidth);
  CTRLREFRESH(*this, {121});
}

// "Matchcode in Freifeld1" only counts while the EAN goes into the supplier article number
// or the EAN field; disabled, it keeps its tick.
void SettingsDialog::updateMatchcode() {
  int ean = choiceOf(m_values[kEan - 1]);
  CTRLDISEN(*this, {kMatchcodeId}, ean != 3 && ean != 4);
}

bool EINDATEN(QWidget* parent, bool continueMode, std::function<void()> editProductGroups) {
  SettingsDialog dialog(continueMode, std::move(editProductGroups), parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  settings::SETVOREIN(dialog.workingCopy());
  settings::GETVORFELD(0, true);
  return true;
}

}  // namespace gui
