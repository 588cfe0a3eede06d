// What the preferences dialog needs of the global hotkeys: the page that
// edits them, and the registration the dialog suspends while it shows (the
// key capture field must receive the combinations, and a hotkey must not
// fire while the user is choosing one). Window thread.
#pragma once

class QWidget;

class PreferencesHotkeys {
 public:
  virtual ~PreferencesHotkeys() = default;

  // The contents of the "Global hotkeys" page, made once inside `parent`
  // (the page's group box), which owns it.
  virtual QWidget* CreatePage(QWidget* parent) = 0;

  // The dialog is about to show: fill the page's list from the settings and
  // unregister every global hotkey. Hotkey events are ignored until
  // EndEditing.
  virtual void BeginEditing() = 0;

  // The dialog closed: register the hotkeys again from the settings file. A
  // slot that can't be registered is reported with a message only when
  // `reportFailures` (the hotkeys page was the selected page).
  virtual void EndEditing(bool reportFailures) = 0;
};
