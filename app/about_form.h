// The about window TAbout_Form: the banner with the version, the program's
// three lines, the web and mail links, and the credits button.
#pragma once

#include <QDialog>

#include "core.h"

class QLabel;
class TextWindowHost;

class TAbout_Form : public QDialog {
  Q_OBJECT

 public:
  TAbout_Form(tarvo::Core& core, TextWindowHost& textWindow, QWidget* parent);

  QLabel* LabelVersion() const { return labelVersion_; }
  QLabel* Banner() const { return banner_; }
  // "제작정보...": the general facts and the credits in the text window.
  void ShowCredits();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* AddLink(const QString& label, const QString& shown, const QString& target);

  tarvo::Core& core_;
  TextWindowHost& textWindow_;
  QLabel* banner_;
  QLabel* labelVersion_;
};
