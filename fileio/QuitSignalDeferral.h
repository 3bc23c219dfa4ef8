#pragma once

#include <signal.h>

namespace polygrav {

// Holds back SIGTERM, SIGINT and SIGHUP while it lives, so that a request to
// end the program cannot stop it between creating a named temporary file
// and renaming or removing it. The signals are blocked in the calling
// thread; where a signal still has its default action (ending the program),
// a handler that only records it stands in for the whole process, so that a
// signal delivered to another thread waits as well. When the last deferral
// of the process ends, the default actions come back and a recorded signal
// is raised again; a signal that arrived in the calling thread is delivered
// when its block is lifted. A handler the program installed itself (such as
// the window's, which asks the event loop to close) is left in place and
// runs once the block is lifted. Deferrals nest, also across threads.
class QuitSignalDeferral {
  public:
    QuitSignalDeferral();
    ~QuitSignalDeferral();
    QuitSignalDeferral(const QuitSignalDeferral&) = delete;
    QuitSignalDeferral& operator=(const QuitSignalDeferral&) = delete;
};

}  // namespace polygrav
