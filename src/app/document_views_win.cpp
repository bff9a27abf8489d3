#include "app/document_views_win.h"

#include "app/configuration_check_win.h"
#include "app/display_preview_win.h"
#include "link/upload_win.h"

namespace {

using DocumentView = void (*)(AppState&);

const DocumentView kDocumentViews[] = {
    displayPreviewFollows,
    configurationCheckFollows,
    [](AppState&) { uploadConfirmsFollow(); },
};

}  // namespace

void documentViewsFollow(AppState& app) {
    for (DocumentView view : kDocumentViews) view(app);
}
