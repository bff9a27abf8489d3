#include <memory>
#include <ostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/editor_session.h"

int runConvertCommand(const Invocation& invocation, std::ostream&, std::ostream& err) {
    const std::string& input = invocation.files[0];
    const std::string& output = invocation.files[1];
    auto session = std::make_unique<EditorSession>();
    if (!loadForCommand(*session, input, err)) return ExitBadInput;
    const SaveResult saved = session->save(output);
    if (!saved.saved) return complain(err, output, saved.reason, ExitFailed);
    return ExitOk;
}
