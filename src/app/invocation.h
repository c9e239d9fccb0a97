// Start-up steps that need no window, the host window's creation handler, and the one-shot run.
// The Win32 layer calls these in this order: RecordModulePath at entry; SetUpPaths and
// ReadCommandLineAndConfiguration from WM_CREATE; RunInvocation once the message loop runs, after which it
// closes the host window.
#pragma once

#include <string>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// Takes the program file's path (one pair of enclosing quotes is removed) and derives baseName
// and defaultConfigName from it.
void RecordModulePath(RunState& run, std::string modulePath);

// Fills programFolder, helpFilePath and the screen metrics.
void SetUpPaths(RunState& run, int screenWidth, int maximizedHeight, int mouseButtonCount);

// The creation handler after SetUpPaths: configPath, the command line's options and targets, then
// the configuration. False when the configuration could not be loaded (the message was shown):
// the window then closes itself instead of starting the run.
bool ReadCommandLineAndConfiguration(Platform& platform, RunState& run);

// The one interaction of a run: the menu (or the folder browser), and whatever the user picks.
void RunInvocation(Platform& platform, RunState& run);

}  // namespace korvo
