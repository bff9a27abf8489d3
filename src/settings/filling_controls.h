#pragma once
// Set while the program itself writes into the controls of a settings form, so that the form's
// notification handler does not take those writes for user edits and read back a half-filled
// form. One flag for all settings forms: they run on the one user-interface thread.
extern bool fillingControls;

// Sets fillingControls for its scope and restores the previous state at the end, so a fill that
// runs inside another fill leaves the flag set until the outer one is done.
class FillingControls {
public:
    FillingControls() : previous_(fillingControls) { fillingControls = true; }
    ~FillingControls() { fillingControls = previous_; }
    FillingControls(const FillingControls&) = delete;
    FillingControls& operator=(const FillingControls&) = delete;

private:
    bool previous_;
};
