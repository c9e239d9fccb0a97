#include "fake_platform.h"

#include <algorithm>
#include <cctype>
#include <iconv.h>

#include "app/invocation.h"
#include "base/text.h"
#include "code_page_932_extras.h"
#include "ordinal_folds.h"

namespace korvo::testing {

RunState StartedRun(const std::string& program, int mouseButtonCount) {
    RunState run;
    RecordModulePath(run, "C:\\Korvo\\" + program);
    SetUpPaths(run, 1920, 1040, mouseButtonCount);
    run.configPath = run.programFolder + run.defaultConfigName;
    return run;
}

namespace {

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

bool IsAbsolute(const std::string& path) {
    return (HasDrive(path) && path.size() >= 3 && (path[2] == '\\' || path[2] == '/')) ||
           (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// Windows' file functions take a path of MAX_PATH - 1 UTF-16 units at most (Korvo does not declare
// itself aware of longer paths), GetFullPathName one of 32,767.
constexpr std::size_t MAX_PATH_UNITS = 259;
constexpr std::size_t MAX_FULL_PATH_UNITS = 32767;

std::size_t Utf16Units(const std::string& text) {
    std::size_t units = 0;
    for (unsigned char c : text) units += (c & 0xC0) == 0x80 ? 0 : c >= 0xF0 ? 2 : 1;
    return units;
}

bool Fits(const std::string& path) { return Utf16Units(path) <= MAX_PATH_UNITS; }

// The unit that CompareStringOrdinal, without case, takes `c` for: the smallest of its class.
char32_t OrdinalFold(char32_t c) {
    static const std::vector<char16_t> folds = [] {
        std::vector<char16_t> table(0x10000);
        for (std::size_t unit = 0; unit < table.size(); ++unit) table[unit] = static_cast<char16_t>(unit);
        for (const auto& [from, to, count, step] : ORDINAL_FOLDS) {
            for (int k = 0; k < count; ++k) table[from + k * step] = static_cast<char16_t>(to + k * step);
        }
        return table;
    }();
    return c < folds.size() ? folds[c] : c;
}

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts(1);
    for (char c : path) {
        if (c == '\\' || c == '/') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

}  // namespace

// GetFullPathName's rules, enough for the tests: relative names hang off the current folder, a
// leading backslash off its drive, "." and ".." are resolved, "/" becomes "\\".
std::optional<std::string> FakePlatform::FullPathName(const std::string& path) {
    std::optional<std::string> full = FullPath(path);
    if (full && Utf16Units(*full) > MAX_FULL_PATH_UNITS) return std::nullopt;
    return full;
}

std::optional<std::string> FakePlatform::FullPath(const std::string& path) const {
    if (path.empty()) return std::nullopt;
    std::string drive;
    std::string rest;
    if (HasDrive(path)) {
        drive = path.substr(0, 2);
        rest = path.substr(2);
    } else if (IsAbsolute(path)) {
        drive = currentFolder.substr(0, 2);
        rest = path;
    } else {
        drive = currentFolder.substr(0, 2);
        rest = currentFolder.substr(2) + "\\" + path;
    }
    std::vector<std::string> kept;
    std::vector<std::string> parts = Components(rest);
    for (const std::string& part : parts) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }
    std::string full = drive;
    for (const std::string& part : kept) full += "\\" + part;
    if (kept.empty() || parts.back().empty()) full += "\\";
    return full;
}

std::optional<std::string> FakePlatform::SearchPathIn(const std::string& folders,
                                                      const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (IsAbsolute(name) || HasDrive(name)) {
        return PathFileExists(name) ? FullPathName(name) : std::nullopt;
    }
    std::size_t from = 0;
    while (from <= folders.size()) {
        std::size_t end = folders.find(';', from);
        if (end == std::string::npos) end = folders.size();
        std::string folder = folders.substr(from, end - from);
        if (!folder.empty()) {
            std::string candidate = folder;
            if (candidate.back() != '\\') candidate += '\\';
            candidate += name;
            if (PathFileExists(candidate)) return FullPathName(candidate);
        }
        from = end + 1;
    }
    return std::nullopt;
}

std::optional<std::string> FakePlatform::SearchSystemPath(const std::string& name) {
    return SearchPathIn("C:\\Korvo;" + currentFolder + ";" + systemFolders, name);
}

std::optional<std::string> FakePlatform::SpecialFolderPath(int csidl) {
    ++specialFolderLookups;
    auto it = specialFolders.find(csidl);
    if (it == specialFolders.end()) return std::nullopt;
    return it->second;
}

std::string FakePlatform::Key(const std::string& path) const {
    std::string key;
    // Relative names are looked up from the current folder, as the system does.
    std::string absolute = path;
    if (!path.empty()) {
        std::optional<std::string> full = FullPath(path);
        if (full) absolute = *full;
    }
    // Names are one name when Windows' ordinal comparison without case says so.
    for (std::size_t at = 0; at < absolute.size();) {
        std::size_t length = 1;
        const char32_t c = OrdinalFold(CodePointAt(absolute, at, length));
        // Beyond ASCII a key only needs to tell characters apart: the number between two marks.
        key += c < 0x80 ? std::string(1, c == '/' ? '\\' : static_cast<char>(c)) : "\x01" + std::to_string(c) + "\x02";
        at += length;
    }
    while (key.size() > 1 && key.back() == '\\') key.pop_back();
    return key;
}

void FakePlatform::AddFolder(const std::string& path) {
    std::string key = Key(path);
    folders_.insert(key);
    // Parents exist too, as they would on a disk.
    for (std::size_t cut = key.rfind('\\'); cut != std::string::npos && cut > 0;
         cut = key.rfind('\\', cut - 1)) {
        folders_.insert(key.substr(0, cut));
        if (cut == 0) break;
    }
}

void FakePlatform::AddFile(const std::string& path, const std::string& content) {
    files_[Key(path)] = content;
    names_[Key(path)] = path;
}

bool FakePlatform::HasFile(const std::string& path) const { return files_.count(Key(path)) != 0; }

std::string FakePlatform::FileContent(const std::string& path) const {
    auto it = files_.find(Key(path));
    return it == files_.end() ? std::string() : it->second;
}

std::vector<std::string> FakePlatform::FilesIn(const std::string& folder) const {
    std::string prefix = Key(folder) + "\\";
    std::vector<std::string> found;
    for (const auto& [key, path] : names_) {
        if (files_.count(key) && key.compare(0, prefix.size(), prefix) == 0 &&
            key.find('\\', prefix.size()) == std::string::npos) {
            found.push_back(path);
        }
    }
    return found;
}

bool FakePlatform::PathFileExists(const std::string& path) {
    return !path.empty() && Fits(path) && (files_.count(Key(path)) || folders_.count(Key(path)));
}

bool FakePlatform::PathIsDirectory(const std::string& path) {
    return !path.empty() && folders_.count(Key(path));
}

std::optional<std::string> FakePlatform::ReadWholeFile(const std::string& path, OpenMode mode) {
    if (folders_.count(Key(path))) return std::nullopt;
    auto it = files_.find(Key(path));
    if (it != files_.end()) return it->second;
    if (mode == OpenMode::Existing) return std::nullopt;
    if (!InExistingFolder(Key(path))) return std::nullopt;
    AddFile(path, "");
    return std::string();
}

class FakeOutputFile : public OutputFile {
public:
    FakeOutputFile(FakePlatform& platform, std::string path)
        : platform_(platform), path_(std::move(path)) {}
    ~FakeOutputFile() override {
        if (!closed_) Close();
    }
    bool Write(const char* data, std::size_t size) override {
        if (platform_.writeFails) return false;
        std::string key = platform_.Key(path_);
        auto it = platform_.files_.find(key);
        if (it != platform_.files_.end()) it->second.append(data, size);  // deleted: lost
        return true;
    }
    bool KeepWhenClosed() override { return kept_ = true; }
    bool Close() override {
        closed_ = true;
        if (!kept_) platform_.RemoveFile(path_);  // as the system does with a file still marked
        platform_.closeOrder.push_back("file");
        return !platform_.writeFails && !platform_.closeFails;
    }

private:
    FakePlatform& platform_;
    std::string path_;
    bool closed_ = false;
    bool kept_ = false;
};

std::unique_ptr<OutputFile> FakePlatform::CreateNewFile(const std::string& path) {
    createdFiles.push_back(path);
    const std::string key = Key(path);
    if (temporaryFileFails || !Fits(path) || files_.count(key) || folders_.count(key) ||
        !InExistingFolder(key)) {
        return nullptr;
    }
    AddFile(path, "");
    return std::make_unique<FakeOutputFile>(*this, path);
}

bool FakePlatform::InExistingFolder(const std::string& key) const {
    const std::size_t cut = key.rfind('\\');
    return cut != std::string::npos && folders_.count(key.substr(0, cut)) != 0;
}

// MoveFileEx: never onto a folder, never into a missing one, never beyond MAX_PATH.
bool FakePlatform::ReplaceFile(const std::string& from, const std::string& to) {
    if (replaceFails || !Fits(from) || !Fits(to) || folders_.count(Key(to)) || !InExistingFolder(Key(to))) {
        return false;
    }
    auto it = files_.find(Key(from));
    if (it == files_.end()) return false;
    std::string content = it->second;
    files_.erase(it);
    names_.erase(Key(from));
    AddFile(to, content);
    return true;
}

bool FakePlatform::MoveToNewFile(const std::string& from, const std::string& to) {
    return !PathFileExists(to) && ReplaceFile(from, to);
}

bool FakePlatform::RemoveFile(const std::string& path) {
    names_.erase(Key(path));
    return files_.erase(Key(path)) != 0;
}

namespace {
std::optional<WaitResult> Ended(WatchAnswer answer) {
    if (answer == WatchAnswer::Cancel) return WaitResult::Cancelled;
    if (answer == WatchAnswer::TimeUp) return WaitResult::TimedOut;
    return std::nullopt;
}
}  // namespace

void FakePlatform::WorkTakes(std::uint64_t ms) {
    nowMs += ms;
    if (ms == 0 || !watching || answerDuringWork != WatchAnswer::GoOn) return;
    inWork = false;
    answerDuringWork = watching();
    inWork = true;
}

WaitResult FakePlatform::RunWatched(std::function<void()> work, std::function<WatchAnswer()> watch) {
    if (threadStartFails) return WaitResult::NotStarted;
    watching = watch;
    inWork = true;
    work();
    inWork = false;
    watching = nullptr;
    if (auto ended = Ended(answerDuringWork)) return *ended;
    for (int tick = 0; tick < watchTicks; ++tick) {
        nowMs += watchStepMs;
        if (auto ended = Ended(watch())) return *ended;
    }
    return deadlineExpires ? WaitResult::TimedOut : WaitResult::Finished;
}

bool FakePlatform::ShowProgress(const ProgressView& view) {
    progressViews.push_back(view);
    return !cancelOnShow;
}

std::optional<std::string> Recode(const std::string& bytes, const char* from, const char* to) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in = bytes;
    std::string out(bytes.size() * 3 + 1, '\0');
    char* inAt = in.data();
    char* outAt = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const bool done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!done || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// Code page 932 as Windows decodes it: the C library's table, character by character, and the
// single bytes that table leaves out as Windows maps them.
std::optional<std::string> FakePlatform::CodePage932ToUtf8(const std::string& bytes) {
    std::string text;
    for (std::size_t at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const std::size_t length = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
        const auto* extra = std::find_if(std::begin(CODE_PAGE_932_EXTRA_BYTES), std::end(CODE_PAGE_932_EXTRA_BYTES),
                                         [&](const auto& row) { return row.first == bytes[at]; });
        if (extra != std::end(CODE_PAGE_932_EXTRA_BYTES)) {
            text += extra->second;
        } else {
            const std::optional<std::string> character = Recode(bytes.substr(at, length), "CP932", "UTF-8");
            if (!character) return std::nullopt;
            text += *character;
        }
        at += length;
    }
    return text;
}

namespace {

class FakeReader : public UrlReader {
public:
    FakeReader(FakePlatform& platform, std::shared_ptr<UrlScript> script)
        : platform_(platform), script_(std::move(script)) {}
    ~FakeReader() override {
        platform_.WorkTakes(script_->closeMs);
        platform_.closeOrder.push_back("url");
    }
    std::size_t WaitForData() override {
        if (next_ >= script_->blocks.size()) return 0;
        return script_->available != 0 ? script_->available : script_->blocks[next_].size();
    }
    bool Read(char* buffer, std::size_t size, std::size_t& received) override {
        script_->asked.push_back(size);
        platform_.now += script_->secondsPerBlock;
        platform_.WorkTakes(1000ULL * static_cast<std::uint64_t>(script_->secondsPerBlock));
        received = 0;
        if (next_ >= script_->blocks.size()) return !script_->failAfterBlocks;
        const std::string& block = script_->blocks[next_++];
        received = std::min(size, block.size());
        std::copy(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(received), buffer);
        return true;
    }
    int StatusCode() const override { return script_->statusCode; }
    long long ContentLength() const override { return script_->contentLength; }
    std::string ContentDisposition() const override { return script_->contentDisposition; }
    std::string FinalUrl() const override { return script_->finalUrl; }

private:
    FakePlatform& platform_;
    std::shared_ptr<UrlScript> script_;
    std::size_t next_ = 0;
};

class FakeSession : public InternetSession {
public:
    explicit FakeSession(FakePlatform& platform) : platform_(platform) {}
    ~FakeSession() override { platform_.closeOrder.push_back("internet"); }
    std::unique_ptr<UrlReader> OpenUrl(const std::string& url) override {
        platform_.openedUrls.push_back(url);
        if (platform_.urlScripts.empty()) return nullptr;
        auto script = platform_.urlScripts.front();
        platform_.urlScripts.pop_front();
        if (!script) return nullptr;
        platform_.WorkTakes(script->openMs);
        return std::make_unique<FakeReader>(platform_, script);
    }

private:
    FakePlatform& platform_;
};

}  // namespace

std::unique_ptr<InternetSession> FakePlatform::OpenInternet(const std::string& agent) {
    internetAgent = agent;
    if (internetOpenFails) return nullptr;
    return std::make_unique<FakeSession>(*this);
}

void FakePlatform::ShowMessage(const std::string& text, const std::string& caption, BoxIcon icon) {
    messages.push_back({text, caption, icon});
}

// Eight pixels a UTF-16 unit, roughly what the menu font takes. An ellipsis that would fall
// inside a pair of units leaves the path whole, as the Win32 platform does.
std::string FakePlatform::CompactPath(const std::string& path, int pixels) {
    const std::size_t fits = static_cast<std::size_t>(pixels / 8);
    if (Utf16Units(path) <= fits) return path;
    std::size_t at = 0;
    std::size_t units = 0;
    while (units < fits - 3) {
        const auto lead = static_cast<unsigned char>(path[at]);
        at += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        units += lead < 0xF0 ? 1 : 2;
    }
    return units > fits - 3 ? path : path.substr(0, at) + "...";
}

MenuHandle FakePlatform::CreatePopupMenu() {
    MenuHandle handle = nextMenu_++;
    menus[handle].popup = true;
    return handle;
}

MenuHandle FakePlatform::CreateMenu() {
    MenuHandle handle = nextMenu_++;
    menus[handle];
    return handle;
}

void FakePlatform::AppendMenuString(MenuHandle menu, int id, const std::string& text,
                                    bool newColumn) {
    FakeMenuItem item;
    item.id = id;
    item.text = text;
    item.newColumn = newColumn;
    menus.at(menu).items.push_back(item);
}

void FakePlatform::AppendMenuSeparator(MenuHandle menu, int id) {
    FakeMenuItem item;
    item.id = id;
    item.separator = true;
    menus.at(menu).items.push_back(item);
}

void FakePlatform::AttachSubmenu(MenuHandle menu, int id, MenuHandle submenu) {
    for (auto& item : menus.at(menu).items) {
        if (item.id == id) {
            item.submenu = submenu;
            return;
        }
    }
}

int FakePlatform::MenuItemCount(MenuHandle menu) {
    return static_cast<int>(menus.at(menu).items.size());
}

void FakePlatform::DeleteMenuItemAt(MenuHandle menu, int position) {
    auto& items = menus.at(menu).items;
    if (position < 0 || position >= static_cast<int>(items.size())) return;
    if (items[position].submenu) DestroyMenu(items[position].submenu);
    items.erase(items.begin() + position);
}

MenuHandle FakePlatform::SubmenuAt(MenuHandle menu, int position) {
    auto& items = menus.at(menu).items;
    if (position < 0 || position >= static_cast<int>(items.size())) return 0;
    return items[position].submenu;
}

int FakePlatform::MenuItemIdAt(MenuHandle menu, int position) {
    auto& items = menus.at(menu).items;
    if (position < 0 || position >= static_cast<int>(items.size())) return -1;
    return items[position].id;
}

void FakePlatform::DestroyMenu(MenuHandle menu) {
    FakeMenu& fake = menus.at(menu);
    // Like DestroyMenu, a menu takes the submenus still attached to it along.
    for (auto& item : fake.items) {
        if (item.submenu && !menus.at(item.submenu).destroyed) DestroyMenu(item.submenu);
    }
    fake.destroyed = true;
}

int FakePlatform::LiveMenuCount() const {
    return static_cast<int>(std::count_if(menus.begin(), menus.end(),
                                          [](const auto& entry) { return !entry.second.destroyed; }));
}

int FakePlatform::TrackMenu(MenuHandle menu, Point at, MenuAlignment alignment) {
    ++trackCount;
    trackedMenu = menu;
    trackedAt = at;
    trackedAlignment = alignment;
    if (onTrack) onTrack(menu);
    return trackAnswer;
}

ProcessStart FakePlatform::StartProcess(const std::string& program, const std::string& parameters,
                                        const std::string& workingFolder, bool batchFile) {
    launches.push_back({program, parameters, workingFolder, batchFile ? "batch" : "process"});
    return processStart;
}

void FakePlatform::ShellExecute(const std::string& file, const std::string& parameters,
                                const std::string& workingFolder) {
    launches.push_back({file, parameters, workingFolder});
}

FileNameAnswer FakePlatform::AskFileName(Point topLeft, const std::string& name,
                                         const std::string& extension) {
    fileNameRequests.push_back({topLeft, name, extension});
    if (fileNameAnswers.empty()) return {};
    FileNameAnswer answer = fileNameAnswers.front();
    fileNameAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakePlatform::ReadClipboardText() {
    ++clipboardReads;
    return clipboardText;
}

std::string FakePlatform::BrowseForFolder(const std::string& start, const std::string& title) {
    browses.push_back({start, title});
    return browseAnswer;
}

}  // namespace korvo::testing
