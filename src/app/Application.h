#pragma once

namespace assi {

/// Reads the command line and runs what it asks for: the board in a window,
/// a snapshot, a dump, or a check. Returns the process exit status.
int runApplication(int argc, char** argv);

} // namespace assi
