#include "gui/artwork.h"

namespace gui {

QPixmap bitmap(const char* name) {
  return QPixmap(QStringLiteral(":/bitmaps/%1.png").arg(QLatin1String(name)));
}

QIcon applicationIcon() {
  QIcon icon;
  for (const char* name : {"AAQMT_16", "AAQMT_32", "AAQMT_48", "AAQMT"})
    icon.addPixmap(bitmap(name));
  return icon;
}

}  // namespace gui
