// window_loop_test.cc: the window thread: send and post from other threads, timers, modal
// pumping, and the finder's sink.
#include "window_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "window_sink.h"

namespace torvel {
namespace {

TEST(WindowLoop, SendRunsOnTheWindowThreadAndWaitsForTheResult) {
    CSystemClock clock;
    CWindowLoop loop(clock);
    std::thread::id windowThread;
    std::thread sender([&] {
        const std::intptr_t result = loop.Send([&] {
            windowThread = std::this_thread::get_id();
            return std::intptr_t{42};
        });
        EXPECT_EQ(result, 42);
        loop.Quit(3);
    });
    EXPECT_EQ(loop.Run(), 3);
    sender.join();
    EXPECT_EQ(windowThread, std::this_thread::get_id());
    EXPECT_EQ(loop.Send([] { return std::intptr_t{1}; }), 0);  // after the end: no handler runs
}

TEST(WindowLoop, TasksRunInArrivalOrderAndTimersTickUntilKilled) {
    CSystemClock clock;
    CWindowLoop loop(clock);
    std::vector<std::string> seen;
    int ticks = 0;
    loop.SetTickHandler([&](unsigned id) {
        seen.push_back("tick" + std::to_string(id));
        if (++ticks == 3) {
            loop.KillTimer(id);
            loop.Quit(0);
        }
    });
    loop.Post([&] { seen.push_back("a"); });
    loop.Post([&] {
        seen.push_back("b");
        loop.SetTimer(1175, 10);
    });
    loop.Run();
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "tick1175", "tick1175", "tick1175"}));
    EXPECT_FALSE(loop.HasTimer(1175));
}

TEST(WindowLoop, ModalPumpKeepsTimersAndMessagesGoing) {
    CSystemClock clock;
    CWindowLoop loop(clock);
    std::atomic<bool> answered{false};
    int ticksDuringModal = 0;
    loop.SetTickHandler([&](unsigned) { ++ticksDuringModal; });
    loop.Post([&] {
        loop.SetTimer(1172, 5);
        std::thread user([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            EXPECT_EQ(loop.Send([] { return std::intptr_t{7}; }), 7);  // a sent message is handled
            answered = true;
        });
        while (!answered) loop.PumpOnce(10);  // what a modal dialog does
        user.join();
        loop.Quit(0);
    });
    loop.Run();
    EXPECT_GT(ticksDuringModal, 2);
}

TEST(WindowSink, SendWaitsForTheHandlerPostQueuesAndDeadLoopIsNotAlive) {
    CSystemClock clock;
    CWindowLoop loop(clock);
    std::vector<std::uintptr_t> handled;
    CWindowSink sink(loop, [&](unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
        EXPECT_EQ(msg, 1025u);
        handled.push_back(wparam);
        // The record behind lparam lives only during a sent message: read it now.
        return lparam ? *reinterpret_cast<const int*>(lparam) : std::intptr_t{0};
    });
    YOVNotifySink* s = sink.Sink();
    std::thread finder([&] {
        EXPECT_EQ(s->alive(s), 1);
        const int record = 99;
        EXPECT_EQ(s->send(s, 1025, 100, reinterpret_cast<std::intptr_t>(&record)), 99);
        EXPECT_EQ(s->post(s, 1025, 200, 0), 1);
        EXPECT_EQ(s->send(s, 1025, 1, 0), 0);
        loop.Quit(0);
    });
    loop.Run();
    finder.join();
    EXPECT_EQ(handled, (std::vector<std::uintptr_t>{100, 200, 1}));
    EXPECT_EQ(s->alive(s), 0);
    EXPECT_EQ(s->post(s, 1025, 1, 0), 0);
}

}  // namespace
}  // namespace torvel
