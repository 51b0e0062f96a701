// The program's course from start to end, shared by main() and by the
// tests that run the whole program.
#pragma once

#include <functional>

namespace velmora {

class MainWindow;

// Starts the user-interface framework, creates the program-wide objects,
// shows the main window and runs until it is closed. `afterShow`, when
// given, runs once the window is shown. Returns the exit code, 0.
int runProgram(int argc, char** argv, const std::function<void(MainWindow&)>& afterShow = {});

}  // namespace velmora
