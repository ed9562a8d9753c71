#include "gui/qt_port.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>
#include <stdexcept>

#include "gui/dialog_templates.h"
#include "gui/message_boxes.h"
#include "gui/progress_views.h"
#include "gui/widget_text.h"

namespace gui {

namespace {

QString pathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

std::filesystem::path pathOf(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

// Qt's own file dialog: it matches the filters whatever the case of a name, as the system
// finds its files; the desktop's dialogs may not.
constexpr auto kDialogOptions = QFileDialog::DontUseNativeDialog;

// "Datanorm-Dateien (*.001 *.dat)" from a filter whose patterns are separated by ';'.
QString fileDialogFilter(const ui::FileFilter& filter) {
  QStringList patterns = qtText(filter.pattern).split(QChar(';'), Qt::SkipEmptyParts);
  for (QString& pattern : patterns) pattern = pattern.trimmed();
  return qtText(filter.description) + QStringLiteral(" (") + patterns.join(QChar(' ')) + QChar(')');
}

}  // namespace

QMessageBox::StandardButton QtPort::runModally(QMessageBox& box) {
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

QtPort::QtPort(BoxRunner runBox) : m_runBox(std::move(runBox)) {}

QWidget* QtPort::dialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return m_owner;
}

void QtPort::showMessage(ui::MessageKind kind, const std::string& title, const std::string& text) {
  auto box = messageBox(kind, qtText(title), qtText(text), dialogParent());
  m_runBox(*box);
}

ui::Answer QtPort::ask(ui::Buttons buttons, ui::Answer defaultAnswer, const std::string& title,
                       const std::string& text) {
  auto box = questionBox(buttons, defaultAnswer, qtText(title), qtText(text), dialogParent());
  return answerOf(m_runBox(*box), buttons);
}

void QtPort::showWaitMessage(const std::string& text) {
  m_waitMessage.show(text, m_owner);
}

void QtPort::endWaitMessage() {
  m_waitMessage.end();
}

void QtPort::pumpEvents() {
  if (m_sincePump.isValid() && m_sincePump.elapsed() < kPumpIntervalMs) return;
  QCoreApplication::processEvents();
  m_sincePump.start();
}

void QtPort::setWaitCursor(bool on) {
  if (on == m_waitCursor) return;
  m_waitCursor = on;
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

std::optional<std::filesystem::path> QtPort::chooseFile(
    const std::string& title, const std::filesystem::path& startFolder,
    const std::vector<ui::FileFilter>& filters) {
  QStringList filterTexts;
  for (const ui::FileFilter& filter : filters) filterTexts << fileDialogFilter(filter);
  QString file =
      QFileDialog::getOpenFileName(dialogParent(), qtText(title), pathText(startFolder),
                                   filterTexts.join(QStringLiteral(";;")), nullptr, kDialogOptions);
  if (file.isEmpty()) return std::nullopt;
  return pathOf(file);
}

std::optional<std::filesystem::path> QtPort::chooseFolder(
    const std::string& title, const std::filesystem::path& startFolder) {
  QString folder =
      QFileDialog::getExistingDirectory(dialogParent(), qtText(title), pathText(startFolder),
                                        QFileDialog::ShowDirsOnly | kDialogOptions);
  if (folder.isEmpty()) return std::nullopt;
  return pathOf(folder);
}

std::unique_ptr<ui::ProgressView> QtPort::openProgress(const std::string& dialog,
                                                       const std::string& title) {
  const DialogTemplate* dialogTemplate = templates::find(dialog);
  if (!dialogTemplate) throw std::invalid_argument("no dialog template " + dialog);
  return std::make_unique<QtProgressView>(*dialogTemplate, qtText(title), dialogParent());
}

std::unique_ptr<ui::LockView> QtPort::openLockDialog(const std::string& title,
                                                     const std::string& text) {
  return std::make_unique<QtLockView>(qtText(title), text, dialogParent());
}

}  // namespace gui
