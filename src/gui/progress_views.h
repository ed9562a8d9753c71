#pragma once

#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "gui/run_dialog.h"
#include "ui/port.h"

namespace gui {

// The progress dialogs of the core (import progress, reorganisation bar) as widgets built
// from their templates. Ids the template lacks are ignored.
class QtProgressView final : public ui::ProgressView {
 public:
  // The dialog is shown at once, modal over the whole program.
  QtProgressView(const DialogTemplate& dialogTemplate, const QString& title, QWidget* parent);
  ~QtProgressView() override;

  void setText(int id, const std::string& text) override;
  void setVisible(int id, bool visible) override;
  void setMeterTotal(int id, long total) override;
  void setMeterPosition(int id, long position) override;
  void startTicks(std::function<void()> onTick) override;
  void stopTicks() override;
  bool takeAbortRequest() override;
  void close() override;

  RunDialog& dialog() { return *m_dialog; }

 private:
  std::unique_ptr<RunDialog> m_dialog;
  QTimer m_ticker;
  std::function<void()> m_onTick;
  bool m_inTick = false;
};

// The dialog shown while a record lock is retried (MSG_ABBRUCH).
class QtLockView final : public ui::LockView {
 public:
  QtLockView(const QString& title, const std::string& text, QWidget* parent);
  ~QtLockView() override;

  void setText(const std::string& text) override;
  bool cancelled() override;
  void close() override;

  RunDialog& dialog() { return *m_dialog; }

 private:
  std::unique_ptr<RunDialog> m_dialog;
};

}  // namespace gui
