// The parts of a path as text: file name, folder and extension. Paths use
// "/" as their separator.
#pragma once

#include <string_view>

namespace tarvo {

// The file-name part of a path: the text after the last "/".
std::string_view FileNameOf(std::string_view path);

// The folder part of a path including its final "/"; empty when there is none.
std::string_view FolderOf(std::string_view path);

// The extension from the last "." of the file-name part, dot included; empty
// when the name has no dot.
std::string_view ExtensionOf(std::string_view path);

}  // namespace tarvo
