#include "document/edit_history.h"

#include <utility>

void EditHistory::start(ConfigurationBytes configuration) {
    current_ = std::move(configuration);
    done_.clear();
    undone_.clear();
}

void EditHistory::push(Step step) {
    current_ = step.after;
    done_.push_back(std::move(step));
    undone_.clear();
    while (done_.size() > limit_) done_.pop_front();
}

bool EditHistory::record(ConfigurationBytes configuration) {
    if (configuration == current_) return false;
    push(Step{current_, std::move(configuration), false, {}, {}});
    return true;
}

bool EditHistory::recordRename(ConfigurationBytes configuration, const std::string& nameBefore,
                               const std::string& nameAfter) {
    if (configuration == current_ && nameBefore == nameAfter) return false;
    push(Step{current_, std::move(configuration), true, nameBefore, nameAfter});
    return true;
}

RestoredState EditHistory::undo(const std::string& nameNow) {
    if (done_.empty()) return {};
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    Step& step = undone_.back();
    current_ = step.before;
    if (!step.renamed) return {&step.before, nullptr};
    step.nameAfter = nameNow;
    return {&step.before, &step.nameBefore};
}

RestoredState EditHistory::redo(const std::string& nameNow) {
    if (undone_.empty()) return {};
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    Step& step = done_.back();
    current_ = step.after;
    if (!step.renamed) return {&step.after, nullptr};
    step.nameBefore = nameNow;
    return {&step.after, &step.nameAfter};
}
