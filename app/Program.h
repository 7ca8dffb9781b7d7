#pragma once
// The program from start to exit, as wWinMain runs it.
#include <functional>

namespace plaxor {

class TApplication;

// GDI+ is started before any window exists; the application is made (hints on, COM a
// single-threaded apartment for this thread), createForms makes the main window, the main
// window is shown with showCommand and the message loop runs until it closes. Then every
// window is destroyed, COM is released and GDI+ shut down last. Returns the exit code: 0, or 1
// after the last-resort "Application Error" report of an error that escaped (the main window
// could not be made, for one).
int RunProgram(int showCommand, const std::function<void(TApplication&)>& createForms);

// RunProgram with the program's main window, Tkelt.
int RunPlaxor(int showCommand);

} // namespace plaxor
