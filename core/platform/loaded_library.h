// Libraries the program loads the first time a feature needs them, rather
// than at start: each brings dozens of its own that every start would pay
// for, while most sessions never use the feature. A missing library is said
// on standard error when the feature is first asked for, and the feature
// then fails as it does on any other error.
#pragma once

#include <initializer_list>
#include <optional>
#include <vector>

namespace tarvo {

// Any thread: opens each of `names` (kept open for the rest of the process).
// Nullopt when one of them is missing; `neededFor` names the feature.
std::optional<std::vector<void*>> OpenLibraries(std::initializer_list<const char*> names, const char* neededFor);

// The address of `symbol` in the first of `libraries` that has it; null when
// none has.
void* FindSymbol(const std::vector<void*>& libraries, const char* symbol, const char* neededFor);

// Sets `function` to `symbol` of `libraries`; false when none has it.
template <typename Function>
bool ResolveFunction(const std::vector<void*>& libraries, const char* symbol, const char* neededFor,
                     Function& function) {
  function = reinterpret_cast<Function>(FindSymbol(libraries, symbol, neededFor));
  return function != nullptr;
}

}  // namespace tarvo
