#include "ui/qt/QtNotifyWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace pellow {
namespace {

// Stands for input that arrives while messages are being delivered.
class Recorder : public QObject {
public:
    explicit Recorder(std::vector<std::string>& log) : log_(log) {}
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        log_.push_back("input");
        return true;
    }

private:
    std::vector<std::string>& log_;
};

void BusyFor(std::chrono::milliseconds period) {
    const auto end = std::chrono::steady_clock::now() + period;
    while (std::chrono::steady_clock::now() < end) {
    }
}

// A turn that has used its time lets events posted meanwhile in before the next message,
// and messages keep their posting order across turns.
TEST(QtNotifyWindowTest, OtherEventsGetInBetweenTurns) {
    std::vector<std::string> log;
    Recorder input(log);
    QtNotifyWindow window([&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
        log.push_back(std::to_string(message));
        if (message == 1) {
            QCoreApplication::postEvent(&input, new QEvent(QEvent::User));
            BusyFor(TNotifyTurns::TurnBudget + std::chrono::milliseconds(5));
        }
    });
    for (std::uint32_t m = 1; m <= 3; ++m)
        window.Post(m, 0, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.size() == 4; }, 10000));
    EXPECT_EQ(log, (std::vector<std::string>{"1", "input", "2", "3"}));
}

// A handler that runs a loop of its own (a modal box) still gets later messages meanwhile.
TEST(QtNotifyWindowTest, DeliversDuringANestedLoop) {
    std::vector<std::uint32_t> delivered;
    QtNotifyWindow* self = nullptr;
    QtNotifyWindow window([&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
        delivered.push_back(message);
        if (message == 1) {
            self->Post(3, 0, 0);
            EXPECT_TRUE(QTest::qWaitFor([&] { return delivered.size() == 3; }, 10000));
        }
    });
    self = &window;
    window.Post(1, 0, 0);
    window.Post(2, 0, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return delivered.size() == 3; }, 10000));
    EXPECT_EQ(delivered, (std::vector<std::uint32_t>{1, 2, 3}));
}

} // namespace
} // namespace pellow
