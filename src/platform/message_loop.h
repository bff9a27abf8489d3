#pragma once
// The program's one message loop, kept free of <windows.h> so that its ending is tested.

// The exit code when the loop cannot get its next message.
constexpr int kMessageLoopFailed = 1;

// Runs until `getMessage` (GetMessageA's contract: > 0 a message, 0 the quit message, < 0 a
// failure) stops it, calling `dispatch` for each message. Returns the quit message's code from
// `quitCode`, or kMessageLoopFailed when getting a message fails: the message then holds nothing
// worth returning.
template <typename GetMessage, typename Dispatch, typename QuitCode>
int runMessageLoop(GetMessage getMessage, Dispatch dispatch, QuitCode quitCode) {
    for (;;) {
        const int got = getMessage();
        if (got < 0) return kMessageLoopFailed;
        if (got == 0) return quitCode();
        dispatch();
    }
}
