#include <QApplication>

#include "app/main_window.h"
#include "app/qt_ui.h"
#include "platform/home_folder.h"
#include "playback/idle_playback.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Tarvo"));

  QtUi ui;
  tarvo::IdlePlayback playback;
  tarvo::Core core(ui, playback,
                   tarvo::ResolveHomeFolder(QCoreApplication::applicationDirPath().toStdString()));
  if (argc > 1) core.startArgument = argv[1];

  TAppTarvo window(core);
  ui.AttachWindow(&window);
  window.show();
  return application.exec();
}
