// The progress panel at the top of the main window: the play bar, the time,
// the seek bar, the volume label and bar, and the level meter of the chosen
// style (the vertical 7-LED LevelMeter6, or the horizontal 14-LED
// LevelMeter14 with its dB scale PanelLevelMeter14). It lays itself out for
// the style, shows the core's texts and LED counts, and runs the volume drag
// on the volume label and the scale. Window thread only.
#pragma once

#include <QWidget>

#include "core.h"

class QAction;
class QLabel;
class TVemmoProgress;

class TProgressPanel : public QWidget {
  Q_OBJECT

 public:
  // `playBar` is placed at the panel's top left.
  TProgressPanel(tarvo::Core& core, QWidget* playBar, QWidget* parent);

  TVemmoProgress* Progres() const { return progres_; }
  TVemmoProgress* LevelMeter6() const { return levelMeter6_; }
  TVemmoProgress* LevelMeter14() const { return levelMeter14_; }
  TVemmoProgress* VolumeProcesBar() const { return volumeBar_; }
  QWidget* PanelLevelMeter14() const { return scalePanel_; }
  QLabel* LabelVolume() const { return labelVolume_; }

  // The time, the volume, the seek bar, the LEDs, and the layout when the
  // meter style changed.
  void ShowCore();
  // Only the LED counts of the shown meter.
  void ShowLevels();
  // The time text starts right of the play bar, or at the left edge.
  void SetPlayBarShown(bool shown);
  // The panel width at which the time label shows `text` whole.
  int WidthShowingTime(const QString& text) const;
  // In 14-step style a held volume key trades the scale for the volume
  // label and bar until the key is released.
  void SetVolumeKeyHeld(bool held);
  // Right-clicking a meter or the volume label offers these (the level
  // meter styles).
  void SetMeterMenu(const QList<QAction*>& actions);

  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void BuildMeters();
  void BuildScale();
  void LayOut();
  int TimeLabelRight(int clientWidth) const;
  bool VolumeBarShown() const;

  tarvo::Core& core_;
  QWidget* playBar_;
  QLabel* labelTime_;
  TVemmoProgress* progres_;
  QLabel* labelVolume_;
  TVemmoProgress* levelMeter6_ = nullptr;
  TVemmoProgress* levelMeter14_ = nullptr;
  QWidget* scalePanel_ = nullptr;
  TVemmoProgress* volumeBar_ = nullptr;
  // The labels of the scale, which start a volume drag like the scale.
  QList<QLabel*> scaleLabels_;
  bool playBarShown_ = true;
  bool volumeKeyHeld_ = false;
  // The style and volume display the children were last laid out for.
  int laidOutStyle_ = -1;
  bool laidOutVolumeBar_ = false;
};
