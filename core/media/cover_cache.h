// Embedded cover pictures as files the desktop's media widget can show:
// each picture is written once into "tarvo/covers" of the user's cache
// folder, named by a hash of its bytes, and found there again afterwards.
#pragma once

#include <string>

#include "media/file_tags.h"

namespace tarvo {

// The path of the cached copy of `tags`' cover; empty when the tags hold
// none or it can't be written. `cacheHome` is the user's cache folder
// without a trailing "/".
std::string CachedCoverPath(const FileTags& tags, const std::string& cacheHome);

}  // namespace tarvo
