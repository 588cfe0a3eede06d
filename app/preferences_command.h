// PreferencesAc (F6): opens the preferences dialog, made at its first use as
// a child of the main window and kept for the rest of the run.
#pragma once

#include "core.h"

class PreferencesHotkeys;
class TAppTarvo;

// `hotkeys` makes the dialog's global hotkeys page and outlives the window.
void ConnectPreferences(tarvo::Core& core, TAppTarvo& window, PreferencesHotkeys& hotkeys);
