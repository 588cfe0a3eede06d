// The program from process start to process end: switches, the single
// instance, the main window, the deferred start-up and the shutdown that
// saves the playlist and the settings.
#pragma once

// Runs Tarvo with the process's command line; returns the exit code.
int RunTarvo(int argc, char* argv[]);
