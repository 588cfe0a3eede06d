#include "app/tarvo_style.h"

#include <QWidget>

#include "app/drawn_icons.h"

QIcon TarvoStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
  if (icon != SP_ToolBarHorizontalExtensionButton) return QProxyStyle::standardIcon(icon, option, widget);
  const QPalette palette = widget ? widget->palette() : standardPalette();
  return DrawnIcon(DrawnPicture::MoreToTheRight, palette.color(QPalette::ButtonText));
}
