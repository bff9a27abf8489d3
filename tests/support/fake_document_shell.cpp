#include "support/fake_document_shell.h"

#include <gtest/gtest.h>

bool FakeDocumentShell::askYesNo(const std::string& question, const std::string& caption) {
    questions.push_back(caption + ": " + question);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question " << questions.back();
        return false;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

bool FakeDocumentShell::take(std::deque<std::string>& queue, std::string& path) {
    if (queue.empty()) return false;
    path = queue.front();
    queue.pop_front();
    return true;
}
