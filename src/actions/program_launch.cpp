#include "actions/program_launch.h"

#include "url/path_split.h"

namespace korvo {

void RunProgram(Platform& platform, const std::string& program, const std::string& parameters) {
    if (platform.PathFileExists(program)) {
        PathParts parts = SplitPath(program);
        platform.ShellExecute(program, parameters, parts.drive + parts.folder);
    } else {
        platform.ShellExecute(parameters, "", "");
    }
}

}  // namespace korvo
