// The state of one run of Korvo: filled once from the command line and the configuration, then
// only read. WinMain creates one RunState and hands it by reference to everything else. It sits on
// the ground floor with the Platform seam: every subsystem reads it, and it knows none of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/limits.h"
#include "platform/platform.h"

namespace korvo {

// Why the first URL found was refused rather than taken.
enum class TargetRefusal {
    None,
    TooLong,  // longer than URL_MAX_CHARS
};

// The first accepted URL of the command line or the clipboard.
struct TargetList {
    int targetCount = 0;
    std::string firstTarget;  // trimmed as ClassifyTarget left it; at most URL_MAX_CHARS
    TargetRefusal refusal = TargetRefusal::None;  // the first URL found, when it was refused
};

// The first target taken apart, and the name under which its download is saved.
struct UrlParts {
    std::string scheme;
    std::string hostName;
    std::string userName;
    std::string password;
    std::string urlPath;    // without query and fragment
    std::string extraInfo;  // query and fragment, with their '?' / '#'
    std::string fileName = "index.html";
    int fileNameFromUrl = 0;
};

constexpr int IDM_FOLDER_BASE = 2000;
constexpr int IDM_SEPARATOR = 2600;
constexpr int IDM_TARGET = 2650;
constexpr int IDM_EDIT_CONFIG = 2660;
constexpr int IDM_HELP = 2670;
constexpr int IDM_VERSION = 2680;

constexpr std::uint32_t DEFAULT_TIMEOUT_SECONDS = 30;
constexpr char CANCEL_MARKER[] = "CancelData_Vanta";

enum class FolderKind : int {
    Folder = 0,
    Separator = 2,
    Column = 3,
    GroupHeader = 8,
    GroupEnd = 9,
};

struct FolderEntry {
    FolderKind kind = FolderKind::Folder;
    int level = 0;
    std::string path;   // folders only; never ends with a backslash
    std::string label;  // folders and group headers
};

using FolderTable = std::vector<FolderEntry>;  // at most FOLDER_MAX entries

struct ParamEntry {
    std::string name;
    std::string value;  // as written: one longer than a path is never inserted
};

struct ProgramEntry {
    std::string programPath;
    std::string displayName;
    std::string commandTemplate;
};

enum MenuMode : int {
    MENU_MODE_ACTIVE = 0,
    MENU_MODE_POINT = 1,
    MENU_MODE_MOUSE = 2,
    MENU_MODE_MOUSE_VCENTER = 3,
    MENU_MODE_CENTER = 4,
    MENU_MODE_UNSET = 9,
};

enum class PendingMark { None, Separator, ColumnBreak };

struct RunState {
    // Start-up and paths.
    std::string modulePath;
    std::string baseName;
    std::string defaultConfigName;
    std::string programFolder;  // ends with a backslash
    std::string helpFilePath;
    std::string configPath;
    std::string commandLineText;
    int screenWidth = 0;
    int maximizedHeight = 0;
    int mouseButtonCount = 0;

    // Command line and clipboard.
    TargetList targets;
    std::string requestedProgramName;
    int directBrowse = 0;
    UrlParts url;

    // [system]
    bool paramSeen = false;
    std::vector<ParamEntry> params;  // at most PARAM_MAX rows
    std::string searchPath;
    bool searchPathSet = false;
    int menuMode = MENU_MODE_UNSET;
    int menuX = 0;
    int menuY = 0;
    std::string baseFolder;  // no trailing backslash
    std::uint32_t timeoutSeconds = DEFAULT_TIMEOUT_SECONDS;
    std::string editorPath;

    // [dir] and [exec]
    FolderTable folders;
    std::vector<ProgramEntry> programs;  // at most PROGRAM_MAX entries
    int selectedProgram = 0;             // -1: the built-in download

    // Menu.
    PendingMark pendingMark = PendingMark::None;
    int pendingMarkIndex = 0;
    Point menuAnchor{-1, -1};
    bool menuOpen = false;
    MenuHandle shownMenu = 0;  // the destination menu while it is tracked: where groups are found
};

}  // namespace korvo
