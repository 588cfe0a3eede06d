// The one-shot switches: each does its work and ends the process without a
// window.
#pragma once

#include <string>

#include "core.h"

class SingleInstance;

// True when `argument` is one of the switches, compared exactly.
bool IsCommandSwitch(const std::string& argument);

// True for the switches whose work shows no window at all.
bool ShowsNoWindow(const std::string& argument);

// Does the switch's work.
void RunCommandSwitch(tarvo::Core& core, const SingleInstance& instance, const std::string& argument);
