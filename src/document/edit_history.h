#pragma once
// The steps that Undo and Redo walk. A step is taken when the configuration differs from where
// the last step left it (its file bytes compared), or when a Load or a Create renames the
// document. Each step keeps the whole state before and after it, so undoing restores everything
// at once: gauges, vehicle settings, curves and warnings. A renaming step keeps, for each side,
// the name the document had when it last left that side: a save renames without a step, and
// walking back and forth must not point the next save at a file the user has since left.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

using ConfigurationBytes = std::vector<std::uint8_t>;  // as the file would hold it

// What an undo or redo puts back: the configuration, and the name when the step renamed.
struct RestoredState {
    const ConfigurationBytes* configuration = nullptr;
    const std::string* name = nullptr;  // null: the step kept the name, so the name stays
};

class EditHistory {
public:
    static constexpr std::size_t kStepLimit = 100;

    explicit EditHistory(std::size_t limit = kStepLimit) : limit_(limit) {}

    // Forgets every step; `configuration` is where the next step starts.
    void start(ConfigurationBytes configuration);
    // An edit: a step from the last state when the configuration differs from it. Returns
    // whether a step was taken. A new step clears the redo list; beyond the limit the oldest
    // step goes.
    bool record(ConfigurationBytes configuration);
    // A Load or a Create: a step when the configuration or the name changed.
    bool recordRename(ConfigurationBytes configuration, const std::string& nameBefore,
                      const std::string& nameAfter);

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    std::size_t undoCount() const { return done_.size(); }
    // The state before the last step (configuration null when there is none to undo).
    // `nameNow` is the document's name as the undo leaves the step's after side.
    RestoredState undo(const std::string& nameNow);
    // The state after the last undone step (configuration null when there is none).
    // `nameNow` is the document's name as the redo leaves the step's before side.
    RestoredState redo(const std::string& nameNow);

private:
    struct Step {
        ConfigurationBytes before;
        ConfigurationBytes after;
        bool renamed = false;
        std::string nameBefore;
        std::string nameAfter;
    };
    void push(Step step);

    std::size_t limit_;
    ConfigurationBytes current_;
    std::deque<Step> done_;
    std::vector<Step> undone_;
};
