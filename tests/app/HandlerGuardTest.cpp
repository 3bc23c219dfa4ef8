// The guard between Qt's signals and the handlers: one report per failing
// outermost run; a nested failure reaches the code that set it off.

#include <QTest>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/HandlerGuard.h"

using polygrav::HandlerGuard;

namespace {

struct Reports {
    std::vector<std::string> texts;
    HandlerGuard::Reporter reporter() {
        return [this](std::exception_ptr e) {
            try {
                std::rethrow_exception(e);
            } catch (const std::exception& ex) {
                texts.emplace_back(ex.what());
            }
        };
    }
};

}  // namespace

class HandlerGuardTest : public QObject {
    Q_OBJECT

  private slots:
    void outermostFailureIsReported();
    void nestedFailureStopsTheWriter();
    void firstNestedFailureCounts();
    void unclaimedNestedFailureIsStillReported();
};

void HandlerGuardTest::outermostFailureIsReported() {
    Reports reports;
    HandlerGuard guard(reports.reporter());
    guard.Run([] { throw std::runtime_error("boom"); });
    guard.Run([] {});
    QCOMPARE(reports.texts, std::vector<std::string>{"boom"});
    QVERIFY(!guard.Busy());
}

void HandlerGuardTest::nestedFailureStopsTheWriter() {
    Reports reports;
    HandlerGuard guard(reports.reporter());
    bool afterWrite = false;
    guard.Run([&] {
        // A control write whose change signal runs a failing handler.
        guard.Run([] { throw std::runtime_error("nested"); });
        guard.RethrowPending();
        afterWrite = true;
    });
    QVERIFY(!afterWrite);
    QCOMPARE(reports.texts, std::vector<std::string>{"nested"});
}

void HandlerGuardTest::firstNestedFailureCounts() {
    Reports reports;
    HandlerGuard guard(reports.reporter());
    guard.Run([&] {
        guard.Run([] { throw std::runtime_error("first"); });
        guard.Run([] { throw std::runtime_error("second"); });
        guard.RethrowPending();
    });
    QCOMPARE(reports.texts, std::vector<std::string>{"first"});
}

void HandlerGuardTest::unclaimedNestedFailureIsStillReported() {
    Reports reports;
    HandlerGuard guard(reports.reporter());
    guard.Run([&] { guard.Run([] { throw std::runtime_error("lost?"); }); });
    QCOMPARE(reports.texts, std::vector<std::string>{"lost?"});
    guard.RethrowPending();  // nothing is left over for later
}

QTEST_GUILESS_MAIN(HandlerGuardTest)
#include "HandlerGuardTest.moc"
