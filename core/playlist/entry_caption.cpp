#include "playlist/entry_caption.h"

#include "base/legacy_text.h"
#include "base/text.h"

namespace tarvo {

std::string EntryCaptionText(const std::string& name) {
  std::string text = ReplaceAll(name, "%20", " ");
  text = ReplaceAll(text, "[1]", "");
  text = ReplaceAll(text, "_", " ");
  return text + " - Tarvo";
}

bool SetEntryCaption(PlaylistCore& core, const std::string& name, const std::string& title, const std::string& infoText) {
  // File names that are not UTF-8 are shown in the legacy code page.
  const std::string caption = EntryCaptionText(TextFromOutside(name));
  const bool changed = caption != core.texts.caption;
  if (changed) {
    core.texts.caption = caption;
    core.texts.Panel(StatusPanel::Progress) = infoText;
  }
  core.texts.trayHint = TextFromOutside(title);
  core.ui.WindowTextsChanged();
  return changed;
}

void ResetCaption(PlaylistCore& core) {
  core.texts.caption = kProgramCaption;
  core.ui.WindowTextsChanged();
}

}  // namespace tarvo
