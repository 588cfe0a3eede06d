#include "app/x11_keysyms.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>
#include <utility>

namespace {

constexpr int kNumpad0 = 96;
constexpr int kNumpad9 = 105;
constexpr int kF1 = 112;
constexpr int kF24 = 135;

// Letters grab by their lower-case keysym, the one a keyboard map lists
// first; the code of the key is the same for both cases.
constexpr std::array<std::pair<int, std::uint32_t>, 64> kKeysyms{{
    {8, XK_BackSpace},
    {9, XK_Tab},
    {12, XK_Clear},
    {13, XK_Return},
    {16, XK_Shift_L},
    {17, XK_Control_L},
    {18, XK_Alt_L},
    {19, XK_Pause},
    {20, XK_Caps_Lock},
    {27, XK_Escape},
    {32, XK_space},
    {33, XK_Prior},
    {34, XK_Next},
    {35, XK_End},
    {36, XK_Home},
    {37, XK_Left},
    {38, XK_Up},
    {39, XK_Right},
    {40, XK_Down},
    {44, XK_Print},
    {45, XK_Insert},
    {46, XK_Delete},
    {47, XK_Help},
    {91, XK_Super_L},
    {92, XK_Super_R},
    {93, XK_Menu},
    {95, XF86XK_Sleep},
    {106, XK_KP_Multiply},
    {107, XK_KP_Add},
    {108, XK_KP_Separator},
    {109, XK_KP_Subtract},
    {110, XK_KP_Decimal},
    {111, XK_KP_Divide},
    {144, XK_Num_Lock},
    {145, XK_Scroll_Lock},
    {166, XF86XK_Back},
    {167, XF86XK_Forward},
    {168, XF86XK_Refresh},
    {169, XF86XK_Stop},
    {170, XF86XK_Search},
    {171, XF86XK_Favorites},
    {172, XF86XK_HomePage},
    {173, XF86XK_AudioMute},
    {174, XF86XK_AudioLowerVolume},
    {175, XF86XK_AudioRaiseVolume},
    {176, XF86XK_AudioNext},
    {177, XF86XK_AudioPrev},
    {178, XF86XK_AudioStop},
    {179, XF86XK_AudioPlay},
    {180, XF86XK_Mail},
    {181, XF86XK_AudioMedia},
    {182, XF86XK_Launch0},
    {183, XF86XK_Launch1},
    {186, XK_semicolon},
    {187, XK_equal},
    {188, XK_comma},
    {189, XK_minus},
    {190, XK_period},
    {191, XK_slash},
    {192, XK_grave},
    {219, XK_bracketleft},
    {220, XK_backslash},
    {221, XK_bracketright},
    {222, XK_apostrophe},
}};

}  // namespace

std::uint32_t KeysymOfVirtualKey(int code) {
  if (code >= '0' && code <= '9') return XK_0 + static_cast<std::uint32_t>(code - '0');
  if (code >= 'A' && code <= 'Z') return XK_a + static_cast<std::uint32_t>(code - 'A');
  if (code >= kNumpad0 && code <= kNumpad9) return XK_KP_0 + static_cast<std::uint32_t>(code - kNumpad0);
  if (code >= kF1 && code <= kF24) return XK_F1 + static_cast<std::uint32_t>(code - kF1);
  for (const auto& [key, keysym] : kKeysyms) {
    if (key == code) return keysym;
  }
  return 0;
}
