// F2 on one stream entry: the stream editor of the radio window.
#pragma once

#include "core.h"

class QWidget;

// Opens the stream editor for the stream entry at row `index`; on OK the
// entry takes the edited address and title. The one place where the file
// information command reaches the radio window.
void ShowStreamInfo(tarvo::Core& core, QWidget* parent, int index);
