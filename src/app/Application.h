#pragma once

namespace assi {

class Assi;
class BoardFeed;

/// Reads the command line and runs what it asks for: the board in a window,
/// a snapshot, a dump, or a check. Returns the process exit status.
int runApplication(int argc, char** argv);

/// Shows the board and runs the event loop until Esc or the window closes.
/// When a load is still running then (a server that does not answer), the
/// process ends at once instead of waiting for the database driver.
int execBoard(Assi& window, const BoardFeed& feed, bool fullscreen);

} // namespace assi
