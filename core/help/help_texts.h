// The texts of the help windows: the shortcut list, the credits and the
// general facts shown above them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvo {

// Lines starting with "* " are headings; the others are two blanks, a
// description, tabs and the keys.
const std::vector<std::string>& ShortcutsText();
// "CREDITS" and one line per contributor: two blanks, role, tabs, name.
const std::vector<std::string>& CreditText();

// The shortcut list as the text window shows it, lines joined by CR LF.
std::string ShortcutsWindowText();
// The credits button's text: the program's file and the size of its
// package, then the credits.
std::string CreditsWindowText(const std::string& programFile, std::int64_t packageBytes);

}  // namespace tarvo
