// A reference for the start-up benchmark: a Qt main window with nothing but
// the seven Korean titles of Tarvo's menu bar. It shows what any window with a
// menu pays over the empty window (text shaping and fonts, the accessibility
// bridge and its session bus, the menu bar's own set-up).
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QMainWindow window;
  for (const char* title : {"파일(&F)", "편집(&E)", "재생(&P)", "즐겨찾기(&F)", "옵션(&O)", "보기(&V)", "도움말(&H)"}) {
    window.menuBar()->addMenu(QString::fromUtf8(title));
  }
  window.resize(310, 370);
  window.show();
  return application.exec();
}
