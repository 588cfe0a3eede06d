#include "app/preferences_form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/dir_form.h"
#include "app/preferences_hotkeys.h"
#include "audio/audio_library.h"
#include "integration/associations.h"
#include "integration/integration_messages.h"
#include "integration/music_folder_choice.h"
#include "integration/saved_settings.h"
#include "playback/level_meter.h"
#include "playback/volume.h"
#include "playlist/entry.h"
#include "playlist/folder_scan.h"
#include "settings/settings_store.h"

namespace {

constexpr int kFontPointSize = 8;
constexpr int kClientWidth = 427;
constexpr int kClientHeight = 329;
constexpr int kMargin = 8;
constexpr int kTreeWidth = 105;
constexpr int kTreeHeight = 313;
constexpr int kGroupLeft = 128;
constexpr int kGroupHeight = 274;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
// The cache may hold at most a day; longer is a typing error.
constexpr int kMaxCacheSeconds = 24 * 60 * 60;
constexpr int kStreamBufferMs = 5000;
constexpr int kFileBufferMs = 3000;

namespace key = tarvo::setting;

struct AssociationChoice {
  const char* caption;
  const char* extension;
  bool hinted;
};
constexpr std::array<AssociationChoice, 5> kAssociations{{
    {"&WAV", "wav", true},
    {"&MP3", "mp3", true},
    {"&OGG", "ogg", true},
    {"&M3U", "m3u", false},
    {"&PLS", "pls", false},
}};

constexpr std::array<const char*, TPreferences_Form::PageCount> kTreeTexts{
    "Setup", "Media", "Display", "Global hotkeys", "Recording", "Device"};

// Hints use CR as their line break.
QString Hint(const char* text) { return QString::fromUtf8(text).replace(QLatin1Char('\r'), QLatin1Char('\n')); }

constexpr char kAssociationHint[] =
    "If you got problems with your associations, try unchecking and rechecking.\rGot problems with your icons, "
    "restart your system.\r\rProblems with winamp playing your files instead of Tarvo?\rGo to winamp and uncheck the "
    "according association.\r\rProblems with tarvo playing your files instead of winamp?\rUncheck these checkboxes.";
constexpr char kDoubleClickHint[] =
    "Tip: Tarvo started from double clicking a file, has seperate window size settings.\rMake it small so you can "
    "see Explorer behind it.";
constexpr char kUpdateHint[] =
    "In order to make use of the latest improvements, Tarvo will check once a week if there's\ran update available. "
    "If so, it will prompt you briefly at startup.";
constexpr char kMusicFoldersHint[] =
    "Music folders are handy:\r1. In the open folder dialog, you can select your root of the tree to access your "
    "files quicker.\r2. Viewing playlist with relative paths, removes your music folder from the path names,\r    "
    "while keeping the sub folders intact. This way you can use these folders for\r    genre > artist name > album "
    "name > song title\r3. You can access your network drives through this.\r\rMost people only have one music "
    "folder.";
constexpr char kSortHint[] =
    "This has effect on the way files are sorted when loading them in.\r\rFilename:\rc:\\album 1\\01.mp3\rc:\\album "
    "2\\02.mp3\rc:\\album 1\\03.mp3\rc:\\album 2\\04.mp3\r\rPath and filename:\rc:\\album 1\\01.mp3\rc:\\album "
    "1\\03.mp3\rc:\\album 2\\02.mp3\rc:\\album 2\\04.mp3";
constexpr char kRecordFolderHint[] =
    "Recordings are in wave format which requires about 11MB for 1 minute music. So choose a large drive.";
constexpr char kRecordCacheHint[] =
    "Using the pre-record cache enables you to never miss the beginning of a song while recording.\rIt silently "
    "records while you play internet radio. When you press [record], it actually already \rrecorded a certain "
    "amount of seconds. When the recording is finished, you can use a sound editor\rto make a decent start of your "
    "record.\r\rDisable this function if you never record live streams because it's kind of a load for your "
    "system. \rThe amount of seconds doesn't relate to performance.";
constexpr char kTempFolderCaption[] = "Choose temp folder";
constexpr char kTempFolderInstruction[] =
    "Select a drive/folder that has enough space to store temporary recording files.";

const QString kOutputLevelPrefix = QStringLiteral("Tarvo output level: ");

// 20 × log10(level / 1000): the level's decibels below full scale.
double Decibels(int level) { return 20.0 * std::log10(static_cast<double>(level) / tarvo::kMaxVolume); }

// `value` rounded to `decimals`, in the locale's number format without
// trailing zeros.
QString RoundedNumber(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  if (rounded == 0.0) rounded = 0.0;  // no "-0"
  return QLocale().toString(rounded, 'f', QLocale::FloatingPointShortest);
}

QVBoxLayout* PageLayout(QGroupBox* group) {
  auto* layout = new QVBoxLayout(group);
  layout->setSpacing(2);
  return layout;
}

}  // namespace

QString LevelToDbText(int level) {
  if (level <= 0) return QStringLiteral("-oo dB");
  const double decibels = std::round(Decibels(level) * 10.0) / 10.0;
  if (decibels == std::trunc(decibels)) {
    return QLocale().toString(static_cast<int>(decibels)) + QStringLiteral(",0 dB");
  }
  return RoundedNumber(decibels, 1) + QStringLiteral(" dB");
}

TPreferences_Form::TPreferences_Form(tarvo::Core& core, PreferencesHotkeys& hotkeys,
                                     std::function<void()> resetSystemMixer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      core_(core),
      hotkeys_(hotkeys),
      resetSystemMixer_(std::move(resetSystemMixer)) {
  setObjectName(QStringLiteral("Preferences_Form"));
  setWindowTitle(tr("설정"));
  QFont desktopFont = QApplication::font();
  desktopFont.setPointSize(kFontPointSize);
  setFont(desktopFont);
  setFixedSize(kClientWidth, kClientHeight);

  BuildTree();
  BuildSetupPage();
  BuildMediaPage();
  BuildDisplayPage();
  BuildHotkeysPage(hotkeys);
  BuildRecordPage();
  BuildDevicePage();

  closeButton_ = new QPushButton(tr("닫기(&C)"), this);
  closeButton_->setGeometry(kClientWidth - kMargin - kButtonWidth, kClientHeight - kMargin - kButtonHeight,
                            kButtonWidth, kButtonHeight);
  closeButton_->setDefault(true);
  connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
  ShowPage(SetupPage);
}

QGroupBox* TPreferences_Form::MakeGroup(Page page, const QString& caption) {
  auto* group = new QGroupBox(caption, this);
  group->setGeometry(kGroupLeft, kMargin, kClientWidth - kGroupLeft - kMargin, kGroupHeight);
  groups_[static_cast<std::size_t>(page)] = group;
  return group;
}

void TPreferences_Form::BuildTree() {
  treeView1_ = new QTreeWidget(this);
  treeView1_->setObjectName(QStringLiteral("TreeView1"));
  treeView1_->setGeometry(kMargin, kMargin, kTreeWidth, kTreeHeight);
  treeView1_->setHeaderHidden(true);
  treeView1_->setRootIsDecorated(false);
  treeView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  treeView1_->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (const char* text : kTreeTexts) new QTreeWidgetItem(treeView1_, {QString::fromUtf8(text)});
  connect(treeView1_, &QTreeWidget::currentItemChanged, this, [this] { ShowPage(SelectedPage()); });
}

void TPreferences_Form::BuildSetupPage() {
  QVBoxLayout* layout = PageLayout(MakeGroup(SetupPage, tr("일반설정")));
  auto* labelAss = new QLabel(tr("Tarvo로 실행할 파일"), this);
  labelAss->setToolTip(Hint(kAssociationHint));
  layout->addWidget(labelAss);
  auto* boxes = new QHBoxLayout;
  for (std::size_t i = 0; i < kAssociations.size(); ++i) {
    auto* box = new QCheckBox(QString::fromLatin1(kAssociations[i].caption), this);
    if (kAssociations[i].hinted) box->setToolTip(Hint(kAssociationHint));
    connect(box, &QCheckBox::toggled, this,
            [this, i](bool checked) { AssociationToggled(static_cast<int>(i), checked); });
    associationBoxes_[i] = box;
    boxes->addWidget(box);
  }
  layout->addLayout(boxes);

  auto* label3 = new QLabel(tr("탐색기에서 더블클릭시의 동작"), this);
  label3->setToolTip(Hint(kDoubleClickHint));
  layout->addWidget(label3);
  const std::array<QString, 3> enqueueCaptions{tr("빈 목록으로 재생"), tr("기존목록에 파일추가"),
                                               tr("대상 폴더를 열고 재생(기본값)")};
  for (int option = 0; option < 3; ++option) {
    auto* radio = new QRadioButton(enqueueCaptions[static_cast<std::size_t>(option)], this);
    connect(radio, &QRadioButton::toggled, this, [this, option](bool checked) {
      if (!filling_ && checked) tarvo::WriteEnqueueOption(core_, option);
    });
    radioEnqueue_[static_cast<std::size_t>(option)] = radio;
    layout->addWidget(radio);
  }

  checkBoxUpdate_ = new QCheckBox(tr("업데이트 확인"), this);
  checkBoxUpdate_->setToolTip(Hint(kUpdateHint));
  connect(checkBoxUpdate_, &QCheckBox::toggled, this, &TPreferences_Form::AutoUpdateToggled);
  layout->addWidget(checkBoxUpdate_);
  checkMI_ = new QCheckBox(tr("다중실행 허용"), this);
  connect(checkMI_, &QCheckBox::toggled, this, [this](bool checked) {
    if (!filling_) tarvo::WriteSetting(core_, key::kMultipleInstances, checked);
  });
  layout->addWidget(checkMI_);
  layout->addStretch();
}

void TPreferences_Form::BuildMediaPage() {
  QVBoxLayout* layout = PageLayout(MakeGroup(MediaPage, tr("미디어 폴더 관리")));
  auto* label = new QLabel(tr("음악 폴더"), this);
  label->setToolTip(Hint(kMusicFoldersHint));
  layout->addWidget(label);
  listMusicFolders_ = new QListWidget(this);
  listMusicFolders_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  listMusicFolders_->setToolTip(Hint(kMusicFoldersHint));
  layout->addWidget(listMusicFolders_);
  auto* buttons = new QHBoxLayout;
  addMusicFolder_ = new QPushButton(tr("추가(&A)"), this);
  deleteMusicFolder_ = new QPushButton(tr("삭제(&D)"), this);
  connect(addMusicFolder_, &QPushButton::clicked, this, &TPreferences_Form::AddMusicFolder);
  connect(deleteMusicFolder_, &QPushButton::clicked, this, &TPreferences_Form::DeleteMusicFolder);
  buttons->addWidget(addMusicFolder_);
  buttons->addWidget(deleteMusicFolder_);
  buttons->addStretch();
  layout->addLayout(buttons);

  auto* sortLabel = new QLabel(tr("파일 추가시 자동으로 정렬"), this);
  radioSort1_ = new QRadioButton(tr("파일 이름순으로"), this);
  radioSort2_ = new QRadioButton(tr("경로와 파일이름순으로(기본)"), this);
  for (QWidget* widget : {static_cast<QWidget*>(sortLabel), static_cast<QWidget*>(radioSort1_),
                          static_cast<QWidget*>(radioSort2_)}) {
    widget->setToolTip(Hint(kSortHint));
    layout->addWidget(widget);
  }
  // The order lasts until the program ends; the stored one comes back at the
  // next start.
  connect(radioSort1_, &QRadioButton::toggled, this, [this](bool checked) {
    if (!filling_ && checked) tarvo::SetSortingWay(core_, 1);
  });
  connect(radioSort2_, &QRadioButton::toggled, this, [this](bool checked) {
    if (!filling_ && checked) tarvo::SetSortingWay(core_, 0);
  });
}

void TPreferences_Form::BuildDisplayPage() {
  QVBoxLayout* layout = PageLayout(MakeGroup(DisplayPage, tr("화면표시")));
  layout->addWidget(new QLabel(tr("음량 표시바 설정"), this));
  const std::array<QString, 3> captions{tr("숨기기"), tr("7단계"), tr("14 단계")};
  const std::array<QString, 3> scales{QString(), QStringLiteral("-60 30 15 6 3 1"),
                                      QStringLiteral("-oo 60 40 30 25 20 15 12 10 8 6 4 2 0")};
  for (int style = tarvo::kLevelMeterHidden; style <= tarvo::kLevelMeter14Style; ++style) {
    const auto at = static_cast<std::size_t>(style);
    auto* radio = new QRadioButton(captions[at], this);
    connect(radio, &QRadioButton::toggled, this, [this, style](bool checked) {
      if (!filling_ && checked) tarvo::ApplyLevelMeterStyle(core_, style);
    });
    radioLed_[at] = radio;
    auto* row = new QHBoxLayout;
    row->addWidget(radio);
    if (!scales[at].isEmpty()) row->addWidget(new QLabel(scales[at], this));
    row->addStretch();
    layout->addLayout(row);
  }
  layout->addStretch();
}

void TPreferences_Form::BuildHotkeysPage(PreferencesHotkeys& hotkeys) {
  QGroupBox* group = MakeGroup(HotkeysPage, tr("글로벌 단축키"));
  group->setObjectName(QStringLiteral("GroupHotkeys"));
  QVBoxLayout* layout = PageLayout(group);
  layout->addWidget(hotkeys.CreatePage(group));
}

void TPreferences_Form::BuildRecordPage() {
  QVBoxLayout* layout = PageLayout(MakeGroup(RecordPage, tr("녹음")));
  layout->addWidget(new QLabel(tr("인터넷 방송 녹음을 위한 임시디렉토리 경로:"), this));
  auto* folderRow = new QHBoxLayout;
  edit2_ = new QLineEdit(this);
  edit2_->setReadOnly(true);
  edit2_->setEnabled(false);
  edit2_->setToolTip(Hint(kRecordFolderHint));
  connect(edit2_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (filling_) return;
    core_.settings.recordTempPath = text.toStdString();
    tarvo::WriteSetting(core_, key::kRecordTempPath, core_.settings.recordTempPath);
  });
  button10_ = new QPushButton(QStringLiteral("..."), this);
  button10_->setFixedWidth(kButtonHeight);
  connect(button10_, &QPushButton::clicked, this, &TPreferences_Form::ChooseRecordFolder);
  folderRow->addWidget(edit2_);
  folderRow->addWidget(button10_);
  layout->addLayout(folderRow);

  checkBox6_ = new QCheckBox(tr("녹음 캐쉬기능 사용"), this);
  checkBox6_->setToolTip(Hint(kRecordCacheHint));
  connect(checkBox6_, &QCheckBox::toggled, this, [this](bool checked) {
    if (!filling_) tarvo::WriteSetting(core_, key::kRecordAhead, checked);
  });
  layout->addWidget(checkBox6_);
  auto* secondsRow = new QHBoxLayout;
  edit3_ = new QLineEdit(this);
  edit3_->setFixedWidth(4 * kButtonHeight);
  connect(edit3_, &QLineEdit::textChanged, this, &TPreferences_Form::CacheSecondsEdited);
  secondsRow->addWidget(edit3_);
  secondsRow->addWidget(new QLabel(tr("초"), this));
  secondsRow->addStretch();
  layout->addLayout(secondsRow);
  layout->addStretch();
}

void TPreferences_Form::BuildDevicePage() {
  QVBoxLayout* layout = PageLayout(MakeGroup(DevicePage, tr("장치")));
  layout->addWidget(new QLabel(tr("출력장치:"), this));
  comboDevice_ = new QComboBox(this);
  comboDevice_->setObjectName(QStringLiteral("ComboDevice"));
  connect(comboDevice_, &QComboBox::currentIndexChanged, this, &TPreferences_Form::DeviceChosen);
  layout->addWidget(comboDevice_);
  button6_ = new QPushButton(QStringLiteral("&Reset sound driver mixer"), this);
  connect(button6_, &QPushButton::clicked, this, &TPreferences_Form::ResetMixerClicked);
  layout->addWidget(button6_);
  layout->addWidget(new QLabel(QStringLiteral("ReplayGain:"), this));
  comboReplayGain_ = new QComboBox(this);
  comboReplayGain_->setObjectName(QStringLiteral("ComboReplayGain"));
  // In the order of the modes' values.
  comboReplayGain_->addItems({QStringLiteral("Off"), QStringLiteral("Track"), QStringLiteral("Album")});
  connect(comboReplayGain_, &QComboBox::currentIndexChanged, this, &TPreferences_Form::ReplayGainChosen);
  layout->addWidget(comboReplayGain_);
  layout->addSpacing(kMargin);
  layout->addWidget(new QLabel(QStringLiteral("Sound details:"), this));
  bufferLabel_ = new QLabel(this);
  layout->addWidget(bufferLabel_);
  layout->addWidget(new QLabel(QStringLiteral("Using gapless playback for MP3 track changes"), this));
  layout->addWidget(new QLabel(QStringLiteral("No EQ or filters: pure direct output"), this));
  outputLevelLabel_ = new QLabel(this);
  layout->addWidget(outputLevelLabel_);
  layout->addStretch();
}

void TPreferences_Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  FillControls();
}

void TPreferences_Form::FillControls() {
  filling_ = true;
  for (std::size_t i = 0; i < kAssociations.size(); ++i) {
    associationBoxes_[i]->setChecked(false);
    if (tarvo::IsAssociated(core_, kAssociations[i].extension)) associationBoxes_[i]->setChecked(true);
  }
  // The stored value rather than the one read at start: the change takes
  // effect at the next start, but the box shows what the user chose.
  checkBoxUpdate_->setChecked(tarvo::ReadSetting(core_, tarvo::WithDefault(key::kAutoUpdate, core_.settings.autoUpdate)));
  const int enqueue = tarvo::ReadEnqueueOption(core_);
  if (enqueue >= 0 && enqueue < static_cast<int>(radioEnqueue_.size())) {
    radioEnqueue_[static_cast<std::size_t>(enqueue)]->setChecked(true);
  }
  checkMI_->setChecked(tarvo::ReadSetting(core_, key::kMultipleInstances));
  const int style = core_.settings.levelMeterStyle;
  if (style >= tarvo::kLevelMeterHidden && style <= tarvo::kLevelMeter14Style) {
    radioLed_[static_cast<std::size_t>(style)]->setChecked(true);
  }

  listMusicFolders_->clear();
  for (const std::string& folder : core_.playlist.MusicFolders) {
    listMusicFolders_->addItem(QString::fromStdString(folder));
  }
  (core_.playlist.SortingWay == 1 ? radioSort1_ : radioSort2_)->setChecked(true);

  FillDeviceList();
  const bool stream = tarvo::EntryKindOf(core_.playlist.PlayingEntry) == tarvo::EntryKind::Stream;
  bufferLabel_->setText(QStringLiteral("Buffer length: %1 ms").arg(stream ? kStreamBufferMs : kFileBufferMs));
  outputLevelLabel_->setText(kOutputLevelPrefix + LevelToDbText(tarvo::VolumeToLibrary(core_.settings.volume)));
  comboDevice_->setCurrentIndex(tarvo::ReadSetting(core_, key::kDevice) - 1);
  comboReplayGain_->setCurrentIndex(static_cast<int>(core_.settings.replayGain));

  hotkeys_.BeginEditing();

  edit2_->setText(QString::fromStdString(tarvo::ReadSetting(core_, tarvo::WithDefault(key::kRecordTempPath, std::string()))));
  checkBox6_->setChecked(tarvo::ReadSetting(core_, key::kRecordAhead));
  edit3_->setText(QString::number(tarvo::ReadSetting(core_, key::kRecordSecAhead)));

  const int page = tarvo::ReadSetting(core_, key::kPreferencesHistory);
  treeView1_->setCurrentItem(treeView1_->topLevelItem(page >= 0 && page < PageCount ? page : SetupPage));
  ShowPage(SelectedPage());
  treeView1_->setFocus(Qt::OtherFocusReason);
  filling_ = false;
}

void TPreferences_Form::FillDeviceList() {
  comboDevice_->clear();
  if (!core_.audio) return;
  for (int device = 1;; ++device) {
    const std::optional<std::string> description = core_.audio->GetDeviceDescription(device);
    if (!description) break;
    comboDevice_->addItem(QString::fromStdString(*description));
  }
}

int TPreferences_Form::SelectedPage() const {
  const int page = treeView1_->indexOfTopLevelItem(treeView1_->currentItem());
  return page < 0 ? SetupPage : page;
}

void TPreferences_Form::ShowPage(int page) {
  for (QGroupBox* group : groups_) group->hide();
  groups_[static_cast<std::size_t>(page)]->show();
}

void TPreferences_Form::done(int result) {
  const bool wasShown = isVisible();
  QDialog::done(result);
  if (!wasShown) return;
  tarvo::WriteSetting(core_, key::kPreferencesHistory, SelectedPage());
  hotkeys_.EndEditing(SelectedPage() == HotkeysPage);
  tarvo::NotifyAssociationsChanged(core_);
}

void TPreferences_Form::AssociationToggled(int index, bool checked) {
  if (filling_) return;
  const char* extension = kAssociations[static_cast<std::size_t>(index)].extension;
  if (checked) {
    tarvo::ClaimAssociation(core_, extension);
  } else {
    tarvo::ReleaseAssociation(core_, extension);
  }
}

void TPreferences_Form::AutoUpdateToggled(bool checked) {
  if (filling_) return;
  tarvo::WriteSetting(core_, key::kAutoUpdate, checked);
  tarvo::WriteLastVersionCheck(core_, tarvo::kDayZero);
  tarvo::WriteLastNewVersion(core_, "none");
}

void TPreferences_Form::AddMusicFolder() {
  const std::string folder = core_.ui.ChooseFolder(tarvo::integration_messages::kMusicFolderCaption,
                                                   tarvo::integration_messages::kMusicFolderInstruction);
  if (!folder.empty()) listMusicFolders_->addItem(QString::fromStdString(folder));
  CommitMusicFolders();
}

void TPreferences_Form::DeleteMusicFolder() {
  const int focused = listMusicFolders_->currentRow();
  if (focused >= 0) delete listMusicFolders_->takeItem(focused);
  CommitMusicFolders();
}

void TPreferences_Form::CommitMusicFolders() {
  std::vector<std::string>& folders = core_.playlist.MusicFolders;
  folders.clear();
  for (int row = 0; row < listMusicFolders_->count(); ++row) {
    folders.push_back(listMusicFolders_->item(row)->text().toStdString());
  }
  tarvo::SaveMusicFolders(core_);
  tarvo::LoadMusicFolders(core_);
  if (TDir_Form* browser = TDir_Form::Existing(parentWidget())) browser->MusicFoldersChanged();
}

void TPreferences_Form::ChooseRecordFolder() {
  const std::string folder = core_.ui.ChooseFolder(kTempFolderCaption, kTempFolderInstruction);
  edit2_->setText(QString::fromStdString(folder.empty() ? tarvo::SystemTemporaryFolder() : folder));
}

void TPreferences_Form::CacheSecondsEdited(const QString& text) {
  if (filling_) return;
  bool parsed = false;
  const int seconds = text.toInt(&parsed);
  if (!parsed || seconds < 0 || seconds > kMaxCacheSeconds) return;
  tarvo::WriteSetting(core_, key::kRecordSecAhead, seconds);
}

void TPreferences_Form::DeviceChosen(int index) {
  if (filling_ || index < 0) return;
  core_.playback.SwitchOutputDevice(index + 1);
}

// Applies to the files opened from now on; the one playing keeps its level.
void TPreferences_Form::ReplayGainChosen(int index) {
  if (filling_ || index < 0) return;
  core_.settings.replayGain = static_cast<tarvo::ReplayGainMode>(index);
  tarvo::WriteSetting(core_, key::kReplayGain, std::string(tarvo::ReplayGainModeText(core_.settings.replayGain)));
}

void TPreferences_Form::ResetMixerClicked() {
  tarvo::ResetMixer(core_, resetSystemMixer_);
  const int volume = core_.settings.volume;
  const QString level = volume <= 0 ? QStringLiteral("-oo") : RoundedNumber(Decibels(volume), 2);
  outputLevelLabel_->setText(kOutputLevelPrefix + level + QStringLiteral(" dB"));
}
