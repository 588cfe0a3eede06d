// The documentation command (Ctrl+F1): the user manual "Documentation.html"
// in the program's data folder, opened in the desktop's browser.
#pragma once

#include <string>

#include "settings/settings_core.h"

namespace tarvo {

// Opens `dataFolder` + "Documentation.html" with the default application;
// when the file is missing says so and opens nothing.
void DocAc(SettingsCore& core, const std::string& dataFolder);

}  // namespace tarvo
