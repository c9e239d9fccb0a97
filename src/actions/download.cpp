#include "actions/download.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

#include "actions/download_name.h"
#include "actions/download_progress.h"
#include "base/text.h"
#include "base/texts.h"
#include "url/url_parts.h"

namespace korvo {

namespace {

// Everything the transfer touches. The worker holds it through a shared_ptr and touches nothing
// else (not the Platform, which lives in the entry point's frame): after a time-out or a cancel
// that worker may still be blocked in a read, and outlive DownloadUrl and the Platform both.
struct TransferJob {
    std::unique_ptr<InternetSession> session;
    std::unique_ptr<OutputFile> file;
    std::string url;
    std::uint32_t timeoutSeconds = 0;
    std::function<std::uint64_t()> clock;
    TransferOutcome outcome = TransferOutcome::OpenFailed;

    // Read by the waiting thread for the progress window while the worker runs. The texts are
    // written once, before `opened` is set, and only read after it is seen set.
    std::atomic<bool> opened{false};
    std::atomic<std::uint64_t> openedAtMs{0};  // the worker clock when the URL had been opened
    std::atomic<unsigned long long> received{0};
    std::atomic<long long> announced{-1};
    std::string contentDisposition;
    std::string finalUrl;
    // Set once the whole body is in the temporary file and the file is closed: what happens
    // after that (the network's closing exchange) can no longer cost the user the file.
    std::atomic<bool> saved{false};
    // While the user is asked for a password, no time counts; the opening counts again from
    // the answer.
    std::atomic<bool> asking{false};
    std::atomic<std::uint64_t> answeredAtMs{0};
    // Whether the waiting thread has given up on the transfer (a time-out, a cancel), decided
    // under the lock with which the worker keeps a whole file: see KeepFile.
    std::mutex keepLock;
    bool abandoned = false;
};

bool IsErrorStatus(int statusCode) { return statusCode >= 400; }

// A body shorter than the length the server announced means the connection dropped.
bool BodyIsShort(const UrlReader& reader, unsigned long long received) {
    const long long announced = reader.ContentLength();
    return announced >= 0 && received < static_cast<unsigned long long>(announced);
}

// The time-out counts whole seconds from `startMs`, the moment the URL had been opened, as two
// readings of a seconds clock would.
TransferOutcome CopyBody(TransferJob& job, UrlReader& reader, std::uint64_t startMs) {
    std::vector<char> buffer(READ_BLOCK_SIZE);  // one block, reused for the whole body
    unsigned long long received = 0;
    std::size_t pace = 1;
    for (;;) {
        // What has arrived is taken whole; beyond it, only as much as the link brings in soon. A
        // link that fills the whole buffer that soon is read without asking (the question costs
        // WinINet under Wine about a tenth of a millisecond, a quarter of a fast transfer's time).
        const std::uint64_t before = job.clock();
        const std::size_t ask =
            pace >= buffer.size() ? buffer.size()
                                  : std::min(std::max(reader.WaitForData(), pace), buffer.size());
        std::size_t count = 0;
        if (!reader.Read(buffer.data(), ask, count)) return TransferOutcome::ReadFailed;
        pace = NextReadSize(count, job.clock() - before, buffer.size());
        if (count == 0) {
            return BodyIsShort(reader, received) ? TransferOutcome::ReadFailed
                                                 : TransferOutcome::Complete;
        }
        if (!job.file->Write(buffer.data(), count)) return TransferOutcome::WriteFailed;
        received += count;
        job.received.store(received, std::memory_order_relaxed);
        if (TimeoutExceeded(startMs / 1000, job.clock() / 1000, job.timeoutSeconds)) {
            return TransferOutcome::TimedOut;
        }
    }
}

// The body is whole: the file is to stay once closed, unless the waiting thread has given up
// first and removes it. Both decide under one lock, so that a file the run has removed is never
// kept again by the worker's late mark.
bool KeepFile(TransferJob& job) {
    const std::lock_guard<std::mutex> lock(job.keepLock);
    return !job.abandoned && job.file->KeepWhenClosed();
}

void Abandon(TransferJob& job) {
    const std::lock_guard<std::mutex> lock(job.keepLock);
    job.abandoned = true;
}

// Closes the complete body's file, kept, before the URL and the session: their closing (an FTP
// goodbye on a slow link) may take its time, and the file must not wait for it.
void SaveFile(TransferJob& job) {
    const bool kept = KeepFile(job);
    const bool closed = job.file->Close();
    if (kept && closed) {
        job.saved.store(true, std::memory_order_release);
    } else {
        job.outcome = TransferOutcome::WriteFailed;
    }
}

// Runs on the worker. Closes the URL, then the Internet session, then (unless saved) the file,
// which the system deletes as it closes.
void Transfer(TransferJob& job) {
    std::unique_ptr<UrlReader> reader = job.session->OpenUrl(job.url);
    if (reader && !IsErrorStatus(reader->StatusCode())) {
        const std::uint64_t openedAt = job.clock();
        job.contentDisposition = reader->ContentDisposition();
        job.finalUrl = reader->FinalUrl();
        job.announced.store(reader->ContentLength(), std::memory_order_relaxed);
        job.openedAtMs.store(openedAt, std::memory_order_relaxed);
        job.opened.store(true, std::memory_order_release);
        job.outcome = CopyBody(job, *reader, openedAt);
    }
    const bool complete = job.outcome == TransferOutcome::Complete;
    if (complete) SaveFile(job);
    reader.reset();
    job.session.reset();
    if (!complete) job.file->Close();
}

const char* FailureCaption(TransferOutcome outcome) {
    switch (outcome) {
        case TransferOutcome::ReadFailed: return TEXT_READ_ERROR_CAPTION;
        case TransferOutcome::WriteFailed: return TEXT_WRITE_ERROR_CAPTION;
        case TransferOutcome::NotStarted: return TEXT_INIT_ERROR_CAPTION;
        default: return TEXT_OPEN_ERROR_CAPTION;
    }
}

void ReportFailure(Platform& platform, TransferOutcome outcome) {
    if (outcome == TransferOutcome::TimedOut) {
        platform.ShowMessage(TEXT_TIMEOUT, TEXT_TIMEOUT_CAPTION);
    } else {
        platform.ShowMessage(TEXT_DOWNLOAD_FAILED, FailureCaption(outcome));
    }
}

// The wall-clock limit of each of the transfer's two parts, counted separately: the opening of
// the URL (a server may take a while to start answering) and the body, from the moment the URL
// had been opened, as the per-block check counts it. One second more than the time-out, so that
// a body that keeps arriving ends by that check, which fires once a full second past the limit
// has been counted; this limit catches a server that stops sending.
std::uint64_t PartLimitMs(std::uint32_t timeoutSeconds) {
    return 1000ULL * (static_cast<std::uint64_t>(timeoutSeconds) + 1);
}

// A temporary file of a name of Korvo's own, no longer than the room the folder leaves, so that
// it can be created wherever the final file could be. Names that exist already are skipped.
std::unique_ptr<OutputFile> CreateTemporaryFile(Platform& platform, const std::string& folderPath,
                                                std::string& temporaryPath) {
    if (PathLength(folderPath) >= PATH_MAX_CHARS) return nullptr;
    const std::size_t room = PATH_MAX_CHARS - PathLength(folderPath);
    const auto seed = static_cast<unsigned>(platform.NowMilliseconds());
    for (unsigned attempt = 0; attempt < TEMPORARY_NAME_ATTEMPTS; ++attempt) {
        const std::string path = folderPath + TemporaryFileName(room, seed + attempt);
        if (platform.PathFileExists(path)) continue;
        if (auto file = platform.CreateNewFile(path)) {
            temporaryPath = path;
            return file;
        }
    }
    return nullptr;
}

// The name the file is saved under, and whether Korvo chose it (the user never saw it).
struct ChosenName {
    std::string name;
    bool chosenByKorvo = false;
};

// The URL's name, seen in the menu; else the server's name, or the fallback when the server gives
// none: a name the user never saw, numbered and shortened to fit like any other Korvo chose.
ChosenName SavedName(const RunState& run, const TransferJob& job) {
    if (run.url.fileNameFromUrl != 0) return {run.url.fileName, false};
    std::string name;
    if (job.opened.load(std::memory_order_acquire)) name = ServerFileName(job.contentDisposition, job.finalUrl);
    return {name.empty() ? run.url.fileName : name, true};
}

// How many numbered names a server's name tries before the folder counts as full of them.
constexpr unsigned NUMBERED_NAME_ATTEMPTS = 1000;

enum class NameTrial { Taken, Done, GiveUp };

// Offers `trial` the server's name, then "name (2).ext", "name (3).ext" and so on, each short
// enough for the folder, until one is Done; returns it, or "" when the names run out or the trial
// gives up.
template <typename Trial>
std::string FirstNumberedName(const std::string& name, const std::string& folderPath, Trial trial) {
    const std::size_t room = PATH_MAX_CHARS - PathLength(folderPath);
    for (unsigned number = 1; number <= NUMBERED_NAME_ATTEMPTS; ++number) {
        std::string candidate = NumberedFileName(name, number, room);
        if (candidate.empty()) break;
        const NameTrial result = trial(folderPath + candidate);
        if (result == NameTrial::Done) return candidate;
        if (result == NameTrial::GiveUp) break;
    }
    return {};
}

// The name the progress window announces: a server's name as it will be numbered, if need be.
std::string AnnouncedName(Platform& platform, const ChosenName& chosen, const std::string& folderPath) {
    if (!chosen.chosenByKorvo) return chosen.name;
    const std::string free = FirstNumberedName(chosen.name, folderPath, [&](const std::string& path) {
        return platform.PathFileExists(path) ? NameTrial::Taken : NameTrial::Done;
    });
    return free.empty() ? chosen.name : free;
}

// A name from the URL was seen in the menu: it replaces a file of that name. A name Korvo chose
// (the server's, or the fallback) was not, so it never replaces: it takes the first free
// "name (n).ext", and the move itself refuses to replace, so a file that appears in the meantime
// is not overwritten either. Returns the name the file took, or "" when it could take none.
std::string MoveIntoPlace(Platform& platform, const std::string& temporaryPath,
                          const std::string& folderPath, const ChosenName& chosen) {
    if (!chosen.chosenByKorvo) {
        return platform.ReplaceFile(temporaryPath, folderPath + chosen.name) ? chosen.name : "";
    }
    return FirstNumberedName(chosen.name, folderPath, [&](const std::string& path) {
        if (platform.MoveToNewFile(temporaryPath, path)) return NameTrial::Done;
        // Failed for another reason than a file of that name: another number would fail alike.
        return platform.PathFileExists(path) ? NameTrial::Taken : NameTrial::GiveUp;
    });
}

// Tells the system where the file came from, as browsers do, so that what opens it later treats
// it as the Internet's. The record never holds the URL's user name or password. False when the
// user's policy or a virus scan removed the file, which the user is told.
bool MarkAsDownloaded(Platform& platform, const std::string& path, const std::string& url) {
    const std::string source = RequestUrl(UrlWithoutCredentials(url));
    if (platform.MarkAsDownloaded(path, source) != MarkResult::Removed) return true;
    platform.ShowMessage(TEXT_REMOVED_BY_SECURITY, TEXT_ERROR_CAPTION);
    return false;
}

// Decides, on the waiting thread, when the time is up, when the progress window opens and what it
// says, and passes on the user's Cancel.
class ProgressWatch {
public:
    ProgressWatch(Platform& platform, const RunState& run, const TransferJob& job,
                  std::string folderPath)
        : platform_(platform), run_(run), job_(job), folder_(std::move(folderPath)),
          start_(platform.NowMilliseconds()) {}
    ~ProgressWatch() {
        if (shown_) platform_.CloseProgress();
    }

    WatchAnswer Look() {
        if (job_.asking.load(std::memory_order_acquire)) return WatchAnswer::GoOn;
        const std::uint64_t answered = job_.answeredAtMs.load(std::memory_order_acquire);
        if (answered != answerSeen_) {
            // The password box took the keyboard; the user's window gets it back.
            answerSeen_ = answered;
            platform_.ReturnForeground();
        }
        const std::uint64_t now = platform_.NowMilliseconds();
        if (TimeIsUp(now)) {
            savedInTime_ = job_.saved.load(std::memory_order_acquire);
            return WatchAnswer::TimeUp;
        }
        return Tick(now - start_) ? WatchAnswer::GoOn : WatchAnswer::Cancel;
    }

    // Whether the file had been saved whole when the time ran out: only the closing of its
    // connection was left, and that never costs the user the file.
    bool SavedInTime() const { return savedInTime_; }

private:
    bool TimeIsUp(std::uint64_t now) const {
        if (IsUnlimitedTimeout(job_.timeoutSeconds)) return false;
        const std::uint64_t since = job_.opened.load(std::memory_order_acquire)
                                        ? job_.openedAtMs.load(std::memory_order_relaxed)
                                        : std::max(start_, answerSeen_);
        return now >= since && now - since >= PartLimitMs(job_.timeoutSeconds);
    }

    // False when the user asked to cancel.
    bool Tick(std::uint64_t elapsed) {
        if (elapsed < PROGRESS_DELAY_MS) return true;
        if (name_.empty() && job_.opened.load(std::memory_order_acquire)) {
            name_ = AnnouncedName(platform_, SavedName(run_, job_), folder_);
        }
        ProgressView view;
        view.fileName = DisplayedFileName(name_.empty() ? run_.url.fileName : name_);
        view.folder = folder_;
        const unsigned long long received = job_.received.load(std::memory_order_relaxed);
        const long long announced = job_.announced.load(std::memory_order_relaxed);
        view.status = ProgressStatus(received, announced, elapsed);
        view.percent = ProgressPercent(received, announced);
        view.caption = ProgressTitle(view.fileName, view.percent);
        view.anchor = run_.menuAnchor;
        view.cancelLabel = TEXT_CANCEL;
        shown_ = true;
        return platform_.ShowProgress(view);
    }

    Platform& platform_;
    const RunState& run_;
    const TransferJob& job_;
    std::string folder_;
    std::uint64_t start_;
    std::string name_;
    bool shown_ = false;
    std::uint64_t answerSeen_ = 0;
    bool savedInTime_ = false;
};

}  // namespace

std::size_t NextReadSize(std::size_t received, std::uint64_t tookMs, std::size_t capacity) {
    std::uint64_t next = 2 * static_cast<std::uint64_t>(received);
    if (tookMs > 0) next = std::min<std::uint64_t>(next, received * READ_PACE_MS / tookMs);
    return static_cast<std::size_t>(std::clamp<std::uint64_t>(next, 1, capacity));
}

bool IsUnlimitedTimeout(std::uint32_t timeoutSeconds) {
    return timeoutSeconds > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
}

bool TimeoutExceeded(std::uint64_t start, std::uint64_t now, std::uint32_t timeoutSeconds) {
    const auto elapsed = static_cast<std::uint32_t>(now - start);
    return elapsed > timeoutSeconds;
}

int DownloadUrl(Platform& platform, const RunState& run, const std::string& url,
                const std::string& folder) {
    std::string folderPath = CutToFit(folder, PATH_MAX_CHARS);
    PathAddBackslash(folderPath);

    // The menu has closed on this folder: what the user types next belongs to their own window.
    platform.ReturnForeground();
    auto job = std::make_shared<TransferJob>();
    job->url = url;
    job->timeoutSeconds = run.timeoutSeconds;
    job->clock = platform.WorkerClock();
    job->session = platform.OpenInternet("download");
    if (!job->session) {
        platform.ShowMessage(TEXT_DOWNLOAD_FAILED, TEXT_INIT_ERROR_CAPTION);
        return 0;
    }
    // The session belongs to the job and is closed before it: the job outlives every call.
    job->session->WhileAskingUser([state = job.get()](bool asking) {
        if (!asking) state->answeredAtMs.store(state->clock(), std::memory_order_release);
        state->asking.store(asking, std::memory_order_release);
    });
    std::string temporaryPath;
    if (PathLength(folderPath) + PathLength(run.url.fileName) <= PATH_MAX_CHARS) {
        job->file = CreateTemporaryFile(platform, folderPath, temporaryPath);
    }
    if (!job->file) {
        job->session.reset();
        ReportFailure(platform, TransferOutcome::WriteFailed);
        return 0;
    }

    WaitResult wait = WaitResult::Finished;
    {
        ProgressWatch watch(platform, run, *job, folderPath);
        wait = platform.RunWatched([job] { Transfer(*job); }, [&watch] { return watch.Look(); });
        if (wait == WaitResult::TimedOut && watch.SavedInTime()) wait = WaitResult::Finished;
    }  // the progress window closes before the file is renamed or a message is shown

    // Only a finished worker's outcome may be read: an abandoned one may still be writing it.
    TransferOutcome outcome = TransferOutcome::Complete;
    switch (wait) {
        case WaitResult::Finished: outcome = job->outcome; break;
        case WaitResult::TimedOut: outcome = TransferOutcome::TimedOut; break;
        case WaitResult::Cancelled: outcome = TransferOutcome::Cancelled; break;
        case WaitResult::NotStarted:
            // The work never ran: its handles are still ours to close before the file goes.
            job->session.reset();
            job->file.reset();
            outcome = TransferOutcome::NotStarted;
            break;
    }
    // After a time-out or a cancel the worker may still hold the file open: it was opened so that
    // it can be removed all the same, and the job stays alive with the worker.
    if (outcome == TransferOutcome::Complete) {
        const ChosenName chosen = SavedName(run, *job);
        const std::string name = MoveIntoPlace(platform, temporaryPath, folderPath, chosen);
        if (!name.empty()) return MarkAsDownloaded(platform, folderPath + name, url) ? 1 : 0;
        outcome = TransferOutcome::WriteFailed;
    }
    Abandon(*job);
    platform.RemoveFile(temporaryPath);
    if (outcome != TransferOutcome::Cancelled) ReportFailure(platform, outcome);
    return 0;
}

}  // namespace korvo
