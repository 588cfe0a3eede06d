// The music-folder question: asked when the relative path view is chosen
// without a music folder, and by the "-setrootpath" switch. Window thread.
#pragma once

#include "core.h"

namespace tarvo {

// When the settings hold no music folder, asks for one in the folder dialog
// until the choice is not the desktop (or below it) or the user cancels. The
// choice (empty when cancelled) becomes the folder browser's last root; a
// chosen folder that exists becomes the one music folder and is saved.
void ChooseMusicFolder(Core& core);

// The "-setrootpath" switch: ChooseMusicFolder in a run that loaded no
// settings. The folder browser's last folder is read first, because saving
// the music folders stores it with them.
void SetRootPathSwitch(Core& core);

}  // namespace tarvo
