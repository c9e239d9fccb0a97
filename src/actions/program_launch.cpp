#include "actions/program_launch.h"

#include "base/limits.h"
#include "base/text.h"
#include "base/texts.h"
#include "url/path_split.h"

namespace korvo {

namespace {

enum class Route { Process, BatchFile, Shell };

bool HasExtension(const std::string& program, std::string_view extension) {
    const std::string found = SplitPath(program).extension;
    return found.size() == extension.size() && StartsWithNoCase(found, extension, extension.size());
}

Route RouteFor(const std::string& program) {
    if (IsBatchFile(program)) return Route::BatchFile;
    if (HasExtension(program, ".exe") || HasExtension(program, ".com")) return Route::Process;
    return Route::Shell;
}

// The command line as the route hands it to Windows, measured against what the route carries:
// `"program" parameters` for CreateProcess, the same in a second pair of quotes for cmd.exe, the
// program, a blank and the parameters for the shell.
bool FitsRoute(Route route, const std::string& program, const std::string& parameters) {
    const std::size_t shellLine = PathLength(program) + 1 + PathLength(parameters);
    switch (route) {
        case Route::Process: return shellLine + 2 <= PROCESS_LINE_MAX_CHARS;
        case Route::BatchFile: return shellLine + 4 <= CMD_LINE_MAX_CHARS;
        case Route::Shell: return shellLine <= SHELL_LINE_MAX_CHARS;
    }
    return false;
}

void ShowTooLong(Platform& platform) {
    platform.ShowMessage(TEXT_COMMAND_LINE_TOO_LONG, TEXT_ERROR_CAPTION);
}

}  // namespace

bool IsBatchFile(const std::string& program) {
    return HasExtension(program, ".bat") || HasExtension(program, ".cmd");
}

void RunProgram(Platform& platform, const std::string& program, const std::string& parameters) {
    if (!platform.PathFileExists(program)) {
        if (!FitsRoute(Route::Shell, "", parameters)) return ShowTooLong(platform);
        platform.ShellExecute(parameters, "", "");
        return;
    }
    PathParts parts = SplitPath(program);
    const std::string folder = parts.drive + parts.folder;
    const Route route = RouteFor(program);
    if (!FitsRoute(route, program, parameters)) return ShowTooLong(platform);
    if (route != Route::Shell) {
        const ProcessStart started =
            platform.StartProcess(program, parameters, folder, route == Route::BatchFile);
        // Only the shell can ask the user for the rights such a program wants.
        if (started != ProcessStart::NeedsElevation) return;
        if (!FitsRoute(Route::Shell, program, parameters)) return ShowTooLong(platform);
    }
    platform.ShellExecute(program, parameters, folder);
}

}  // namespace korvo
