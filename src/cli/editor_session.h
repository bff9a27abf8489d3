#pragma once
// The editor's state without its windows: the configuration, the engine unit profiles, the
// vehicle panel as an in-memory form and the catalog over the built-in bitmaps. It starts as the
// editor starts, and loads, saves and builds uploads through the functions the editor uses, so
// what it writes and sends is what the editor would.
#include <string>

#include "layout/built_in_bitmaps.h"
#include "document/configuration.h"
#include "document/configuration_file.h"
#include "layout/gauge_catalog.h"
#include "profiles/engine_unit_profiles.h"
#include "link/upload_stream.h"
#include "platform/memory_form.h"
#include "platform/view_host.h"

class EditorSession {
public:
    // The editor just started: empty pages, the panel set up, start-up curves and profiles.
    EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // The Load command: a refused or unreadable file changes nothing; a loaded vehicle block is
    // shown in the panel.
    LoadResult load(const std::string& path);
    // What the editor does before a save or an upload: the panel read back into the records
    // (config.vehicle and the profiles' MAP sensor slots).
    void commitVehiclePanel();
    // The Save command: the panel is committed, then the file written in place atomically.
    SaveResult save(const std::string& path);
    // What "Proceed" sends, built as "Proceed" builds it (the panel is committed first).
    UploadStream buildUpload();
    // The page image of that upload, the bytes after its start byte (the panel is committed).
    std::vector<std::uint8_t> uploadPageImage();

    Configuration config;
    EngineUnitProfiles profiles;
    MemoryForm vehiclePanel;
    BuiltInBitmaps bitmaps;
    GaugeCatalog catalog;

private:
    // Views are only counted: nothing is shown.
    class Views : public ViewHost {
    public:
        explicit Views(BuiltInBitmaps& bitmaps) : bitmaps_(bitmaps) {}
        LoadedBitmap loadBitmap(std::uint32_t resourceId) override { return bitmaps_.load(resourceId); }
        ViewHandle createView(int, int, int, int) override { return ++lastView_; }
        void setBitmap(ViewHandle, BitmapHandle) override {}
        void moveView(ViewHandle, int, int, int, int) override {}
        void showView(ViewHandle, bool) override {}
        void destroyView(ViewHandle) override {}

    private:
        BuiltInBitmaps& bitmaps_;
        ViewHandle lastView_ = 0;
    };
    Views views_;
};
