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

// A table of entry points is a struct with one member of the exact type of
// each function an X-macro list names: LIST(TARVO_FUNCTION_TABLE_MEMBER).
#define TARVO_FUNCTION_TABLE_MEMBER(name) decltype(&::name) name;
// In the `resolveAll` of LoadFunctionTable: true LIST(TARVO_RESOLVE_FUNCTION).
#define TARVO_RESOLVE_FUNCTION(name) &&resolve(#name, table.name)

// Opens `names` and fills a Table through `resolveAll(resolve, table)`,
// which calls resolve(symbol, table.member) for each entry point; nullopt
// when a library or an entry point is missing.
template <typename Table, typename ResolveAll>
std::optional<Table> LoadFunctionTable(std::initializer_list<const char*> names, const char* neededFor,
                                       ResolveAll resolveAll) {
  const std::optional<std::vector<void*>> libraries = OpenLibraries(names, neededFor);
  if (!libraries) return std::nullopt;
  Table table{};
  const auto resolve = [&](const char* symbol, auto& function) {
    return ResolveFunction(*libraries, symbol, neededFor, function);
  };
  if (!resolveAll(resolve, table)) return std::nullopt;
  return table;
}

}  // namespace tarvo
