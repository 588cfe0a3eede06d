// The application's style: the platform's own, except that the menu bar's
// overflow button shows a drawn picture. The menu bar asks for that picture
// when it is made, and Qt's bitmap for it costs several milliseconds of the
// start-up (the image loaders are set up for it).
#pragma once

#include <QProxyStyle>

class TarvoStyle : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};
