#include "template/command_template.h"

#include "base/text.h"

namespace korvo {

// Templates are taken as written until their placeholder tokens are supported; a program can only
// be selected once the [exec] section is read, so no run reaches this yet.
std::string BuildCommandLine(Platform&, RunState&, const std::string& commandTemplate,
                             const std::string&) {
    return CutToFit(commandTemplate, COMMAND_LINE_MAX_CHARS);
}

}  // namespace korvo
