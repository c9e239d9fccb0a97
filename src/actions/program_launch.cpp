#include "actions/program_launch.h"

#include <array>
#include <string_view>

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
// the program, a blank and the parameters for the shell.
bool FitsRoute(Route route, const std::string& program, const std::string& parameters) {
    switch (route) {
        case Route::Process:
            return PathLength(ProcessCommandLine(program, parameters, false)) <= PROCESS_LINE_MAX_CHARS;
        case Route::BatchFile:
            return PathLength(ProcessCommandLine(program, parameters, true)) <= CMD_LINE_MAX_CHARS;
        case Route::Shell: return PathLength(program) + 1 + PathLength(parameters) <= SHELL_LINE_MAX_CHARS;
    }
    return false;
}

// Variables cmd.exe defines itself, whatever the environment it inherits holds.
bool IsCmdOwnVariable(std::string_view name) {
    static constexpr std::array<std::string_view, 14> names = {
        "CD", "DATE", "TIME", "RANDOM", "ERRORLEVEL", "CMDEXTVERSION", "CMDCMDLINE",
        "HIGHESTNUMANODENUMBER", "__CD__", "__APPDIR__", "PROMPT", "COMSPEC", "PATHEXT", "PATH"};
    for (std::string_view known : names) {
        if (name.size() == known.size() && StartsWithNoCase(name, known, known.size())) return true;
    }
    return false;
}

// cmd.exe replaces %NAME% (and %NAME:...%) by the variable's value before anything else, inside
// quotes too. Each "%" may open a name. Names starting with "=" are its hidden folder variables.
bool CmdWouldReplace(Platform& platform, std::string_view line) {
    for (std::size_t at = line.find('%'); at != std::string_view::npos; at = line.find('%', at + 1)) {
        const std::size_t end = line.find('%', at + 1);
        if (end == std::string_view::npos) return false;
        std::string_view name = line.substr(at + 1, end - at - 1);
        name = name.substr(0, name.find(':'));
        if (name.empty()) continue;
        if (name[0] == '=' || IsCmdOwnVariable(name) || platform.EnvironmentVariableDefined(std::string(name))) {
            return true;
        }
    }
    return false;
}

// cmd.exe knows no backslash rule: every quote switches its quoting, so a literal quote (written
// after an odd run of backslashes) exposes the rest of the line; a line break ends the command;
// and a command character outside quotes starts another command or a redirection.
bool CmdCannotPass(std::string_view line) {
    bool quoted = false;
    std::size_t backslashes = 0;
    for (char c : line) {
        if (c == '\r' || c == '\n' || (c == '"' && backslashes % 2 == 1)) return true;
        if (c == '"') quoted = !quoted;
        if (!quoted && std::string_view("&|<>^").find(c) != std::string_view::npos) return true;
        backslashes = c == '\\' ? backslashes + 1 : 0;
    }
    return false;
}

// False, after telling the user, when cmd.exe would not hand the batch file the line as written.
bool CmdPassesOn(Platform& platform, const std::string& program, const std::string& parameters) {
    const std::string line = "\"" + program + "\" " + parameters;
    const char* refusal = CmdWouldReplace(platform, line) ? TEXT_CHANGED_BY_CMD
                          : CmdCannotPass(line)          ? TEXT_NOT_PASSABLE_TO_CMD
                                                         : nullptr;
    if (refusal != nullptr) platform.ShowMessage(refusal, TEXT_ERROR_CAPTION);
    return refusal == nullptr;
}

void ShowTooLong(Platform& platform) {
    platform.ShowMessage(TEXT_COMMAND_LINE_TOO_LONG, TEXT_ERROR_CAPTION);
}

}  // namespace

bool IsBatchFile(const std::string& program) {
    return HasExtension(program, ".bat") || HasExtension(program, ".cmd");
}

std::string ProcessCommandLine(const std::string& program, const std::string& parameters, bool batchFile) {
    std::string line = "\"" + program + "\"";
    if (!parameters.empty()) line += " " + parameters;
    // /s: cmd.exe removes exactly the outer pair of quotes and runs what they enclose; /v:off
    // keeps "!name!" as written even where delayed expansion is switched on for the system.
    return batchFile ? "cmd.exe /v:off /s /c \"" + line + "\"" : line;
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
    if (route == Route::BatchFile && !CmdPassesOn(platform, program, parameters)) return;
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
