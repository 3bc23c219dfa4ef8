#pragma once

#include <exception>
#include <functional>

namespace polygrav {

// Runs the window's event handlers so that no exception crosses Qt's signal
// machinery, while a failing handler still stops its callers the way an
// exception would.
//
// The outermost run (an event from the user, FormCreate, the close request)
// hands an exception that leaves its handler to the reporter, the program's
// default handler. A run nested inside another one, because a handler or
// LoadSettings wrote a control and the control's change signal ran the next
// handler, keeps the exception instead; the code that wrote the control calls
// RethrowPending right after the write returns, so it stops at that point.
class HandlerGuard {
  public:
    using Reporter = std::function<void(std::exception_ptr)>;

    explicit HandlerGuard(Reporter report);

    void Run(const std::function<void()>& handler);

    // Raises the exception that a nested handler kept, if there is one.
    void RethrowPending();

    // Whether a handler is running now.
    bool Busy() const { return depth_ > 0; }

  private:
    Reporter report_;
    int depth_ = 0;
    std::exception_ptr pending_;
};

}  // namespace polygrav
