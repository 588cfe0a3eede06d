// The floor of the start-up benchmark: an empty Qt main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.resize(310, 370);
  window.show();
  return application.exec();
}
