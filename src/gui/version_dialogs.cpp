#include "gui/version_dialogs.h"

#include "app/change_log.h"
#include "app/version.h"
#include "gui/dialog_controls.h"
#include "gui/dialog_templates.h"

namespace gui {

namespace {

// MAININFO
constexpr int kHeadingId = 102;
constexpr int kVersionLineId = 101;
constexpr int kContactId = 108;
constexpr int kInfoOkId = 110;
// INFOTEXT
constexpr int kChangeLogId = 501;
constexpr int kCloseId = 101;

}  // namespace

bool MAININFO(QWidget* parent) {
  TemplateDialog dialog(templates::MAININFO(), parent);
  DLGSETTEXT(dialog, {kHeadingId, kVersionLineId, kContactId},
             {app::infoHeading(), app::versionLine(), app::makerContact()});
  dialog.onClick(kInfoOkId, [&dialog] { dialog.accept(); });
  dialog.exec();
  return true;
}

bool VERSIONINFO(QWidget* parent) {
  TemplateDialog dialog(templates::INFOTEXT(), parent);
  dialog.setWindowTitle(QStringLiteral("QMT Datanorm Update-Informationen"));
  DLGSETTEXT(dialog, {kChangeLogId}, {app::changeLogText(app::BUILDCHANGES())});
  dialog.onClick(kCloseId, [&dialog] { dialog.accept(); });
  dialog.exec();
  return true;
}

}  // namespace gui
