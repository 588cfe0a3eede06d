// What each command of the command table does: the window side of the
// commands, connecting them to the core, the engine and the window.
#pragma once

#include "core.h"

class FavoritesMenu;
class FindWindowOpener;
class InfoCommands;
class TAppTarvo;
class TrayIcon;

// The window's helpers that commands act through, created as children of the
// window by ConnectCommandEffects.
struct CommandHelpers {
  // FindAc, and the letters typed in the list.
  FindWindowOpener* find = nullptr;
  // MinimizeAc and the tray menu.
  TrayIcon* tray = nullptr;
  // The favourites of the main menu; rebuilt once the start-up playlist is
  // loaded.
  FavoritesMenu* favorites = nullptr;
  // The file information, renamer, text, about and documentation commands.
  InfoCommands* info = nullptr;
};

CommandHelpers ConnectCommandEffects(tarvo::Core& core, TAppTarvo& window);

// Unmutes the sound server's output and sets it to full volume, when the
// program plays through the sound server.
void ResetSystemMixer();
