#pragma once
// A "msctls_progress32" bar as the link operations' Progress: a visible child of the given
// window that exists as long as this object.
#include <windows.h>

#include "platform/progress.h"

class Win32ProgressBar : public Progress {
public:
    Win32ProgressBar(HWND parent, int x, int y, int width, int height);
    ~Win32ProgressBar() override;
    Win32ProgressBar(const Win32ProgressBar&) = delete;
    Win32ProgressBar& operator=(const Win32ProgressBar&) = delete;

    void setRange(int minimum, int maximum) override;
    void step() override;
    void setPosition(int position) override;

    HWND handle() const { return bar_; }
    // The pixels across which the bar draws its range.
    int drawnWidth() const;

private:
    HWND bar_ = nullptr;
};

// The bar the upload and the firmware update show while they run, at its one place in the main
// window's client area (right of the selectors, level with their top).
Win32ProgressBar mainWindowProgressBar(HWND mainWindow);
