#include "app/main_window.h"

#include <QLabel>
#include <QStatusBar>

#include "controls/vemmo_listbox.h"
#include "playlist/model.h"

TAppTarvo::TAppTarvo(tarvo::Core& core, QWidget* parent)
    : QMainWindow(parent), core_(core), listScreen_(new TVemmoListbox(core, this)) {
  setObjectName(QStringLiteral("TAppTarvo"));
  setWindowTitle(QString::fromUtf8(tarvo::kProgramCaption));
  setCentralWidget(listScreen_);
  for (QLabel*& panel : statusPanels_) {
    panel = new QLabel(this);
    statusBar()->addWidget(panel, panel == statusPanels_.back() ? 1 : 0);
  }
  ApplySettings();
  ShowWindowTexts();
}

void TAppTarvo::ApplySettings() {
  const tarvo::WindowBounds& bounds = core_.settings.bounds;
  setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
  statusBar()->setVisible(core_.settings.statusBar);
}

void TAppTarvo::ShowFirstTime() {
  if (core_.settings.maximized) {
    showMaximized();
  } else {
    show();
  }
  listScreen_->SyncFromCore();
  tarvo::ScrollToCurrent(core_);
  tarvo::SelectSingle(core_, core_.playlist.CurrentIndex);
}

void TAppTarvo::BringToFront() {
  show();
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void TAppTarvo::ShowListView() { listScreen_->SyncFromCore(); }

void TAppTarvo::ShowWindowTexts() {
  for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
    statusPanels_[i]->setText(QString::fromStdString(core_.texts.statusPanels[i]));
  }
}
