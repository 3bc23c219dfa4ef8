#include "app/HandlerGuard.h"

#include <utility>

namespace polygrav {

HandlerGuard::HandlerGuard(Reporter report) : report_(std::move(report)) {}

void HandlerGuard::Run(const std::function<void()>& handler) {
    std::exception_ptr failure;
    ++depth_;
    try {
        handler();
    } catch (...) {
        failure = std::current_exception();
    }
    --depth_;

    if (depth_ > 0) {
        // Nested: the writer of the control rethrows it. The first failure
        // counts, as the writer stops at it.
        if (failure && !pending_) {
            pending_ = failure;
        }
        return;
    }
    // Outermost: a kept exception that no writer took up is reported too, so
    // that no error is lost.
    if (!failure) {
        failure = std::exchange(pending_, nullptr);
    }
    pending_ = nullptr;
    if (failure) {
        report_(failure);
    }
}

void HandlerGuard::RethrowPending() {
    if (pending_) {
        std::rethrow_exception(std::exchange(pending_, nullptr));
    }
}

}  // namespace polygrav
