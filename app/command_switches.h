// The one-shot switches: each does its work and ends the process without a
// window.
#pragma once

#include <optional>
#include <string>

#include "core.h"

class SingleInstance;

// True when `argument` is one of the switches, compared exactly.
bool IsCommandSwitch(const std::string& argument);

// Does the switch's work.
void RunCommandSwitch(tarvo::Core& core, const SingleInstance& instance, const std::string& argument);

// "--help" and "--version" print the usage or the version to standard output
// and give exit status 0; any other argument starting with "--" prints the
// usage to standard error and gives 2. Nothing for every other argument,
// which the program takes as usual. Neither touches a running instance.
std::optional<int> RunInformationSwitch(const std::string& argument);
