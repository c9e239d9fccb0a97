#include "app/invocation.h"

#include "app/clipboard.h"
#include "app/dispatch.h"
#include "app/options.h"
#include "base/text.h"
#include "base/texts.h"
#include "config/loader.h"
#include "url/path_split.h"
#include "url/targets.h"
#include "url/url_parts.h"

namespace korvo {

void RecordModulePath(RunState& run, std::string modulePath) {
    PathUnquoteSpaces(modulePath);
    run.modulePath = CutToFit(modulePath, PATH_MAX_CHARS);
    run.baseName = SplitPath(run.modulePath).name;
    run.defaultConfigName = CutToFit(run.baseName + ".ini", PATH_MAX_CHARS);
}

void SetUpPaths(RunState& run, int screenWidth, int maximizedHeight, int mouseButtonCount) {
    PathParts parts = SplitPath(run.modulePath);
    run.programFolder = CutToFit(parts.drive + parts.folder, PATH_MAX_CHARS);
    run.helpFilePath = CutToFit(run.programFolder + "Korvo.txt", PATH_MAX_CHARS);
    run.screenWidth = screenWidth;
    run.maximizedHeight = maximizedHeight;
    run.mouseButtonCount = mouseButtonCount;
}

bool ReadCommandLineAndConfiguration(Platform& platform, RunState& run) {
    run.configPath = CutToFit(run.programFolder + run.defaultConfigName, PATH_MAX_CHARS);
    // Options come first: they choose the configuration file and override what it says.
    if (!run.commandLineText.empty()) {
        ParseOptions(platform, run, run.commandLineText);
        ParseTargets(run.targets, run.commandLineText, TARGET_MODE_COMMAND_LINE, run.selectedProgram != -1);
    }
    return LoadConfiguration(platform, run) == 1;
}

namespace {

// A URL that cannot be taken whole is refused with a message, never cut: a cut URL is another.
bool RefusedTarget(Platform& platform, const RunState& run) {
    if (run.targets.refusal != TargetRefusal::TooLong) return false;
    platform.ShowMessage(TEXT_URL_TOO_LONG, TEXT_ERROR_CAPTION);
    return true;
}

}  // namespace

void RunInvocation(Platform& platform, RunState& run) {
    if (RefusedTarget(platform, run)) return;
    // A URL on the command line wins over "/#c" and "/#0": the menu is shown for it.
    if (run.targets.targetCount > 0) {
        DeriveFileName(run.url, run.targets.firstTarget);
        ShowDestinationMenu(platform, run, false);
        return;
    }
    if (FindNoCase(run.commandLineText, "/#c") == std::string::npos) {
        ShowDestinationMenu(platform, run, true);
        return;
    }
    // Read now, after the configuration: whether an ftp line counts depends on [exec].
    ReadClipboardTargets(platform, run);
    if (RefusedTarget(platform, run)) return;
    if (run.targets.targetCount <= 0) {
        ShowDestinationMenu(platform, run, true);
        return;
    }
    DeriveFileName(run.url, run.targets.firstTarget);
    if (run.directBrowse == 1) {
        BrowseAndDispatch(platform, run);
    } else {
        ShowDestinationMenu(platform, run, false);
    }
}

}  // namespace korvo
