#include <gtest/gtest.h>

#include <vector>

#include "platform/message_loop.h"

// GetMessageA's answers in turn; the loop must dispatch each message and end on the first answer
// that is not one.
TEST(MessageLoop, EndsWithTheQuitCodeOrAFailure) {
    struct Case {
        const char* name;
        std::vector<int> answers;
        int dispatched;
        int exitCode;
    };
    const Case cases[] = {
        {"quit at once", {0}, 0, 7},
        {"two messages, then quit", {1, 1, 0}, 2, 7},
        {"failure after a message", {1, -1}, 1, kMessageLoopFailed},
    };
    for (const Case& c : cases) {
        std::size_t next = 0;
        int dispatched = 0;
        const int exitCode = runMessageLoop([&] { return c.answers.at(next++); }, [&] { ++dispatched; },
                                            [] { return 7; });
        EXPECT_EQ(dispatched, c.dispatched) << "case " << c.name;
        EXPECT_EQ(exitCode, c.exitCode) << "case " << c.name;
        EXPECT_EQ(next, c.answers.size()) << "case " << c.name;
    }
    EXPECT_NE(kMessageLoopFailed, 0) << "a failure must not look like a clean exit";
}
