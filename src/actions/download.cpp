#include "actions/download.h"

#include <limits>
#include <memory>
#include <vector>

#include "base/text.h"
#include "base/texts.h"

namespace korvo {

namespace {

// Everything the transfer touches. It is shared with the worker that runs the transfer, because
// after a time-out that worker may still be blocked in a read and outlive DownloadUrl.
struct TransferJob {
    Platform& platform;
    std::unique_ptr<InternetSession> session;
    std::unique_ptr<OutputFile> file;
    std::string url;
    std::uint32_t timeoutSeconds = 0;
    TransferOutcome outcome = TransferOutcome::OpenFailed;
};

bool IsErrorStatus(int statusCode) { return statusCode >= 400; }

// A body shorter than the length the server announced means the connection dropped.
bool BodyIsShort(const UrlReader& reader, unsigned long long received) {
    const long long announced = reader.ContentLength();
    return announced >= 0 && received < static_cast<unsigned long long>(announced);
}

TransferOutcome CopyBody(TransferJob& job, UrlReader& reader) {
    std::vector<char> buffer(READ_BLOCK_SIZE);  // one block, reused for the whole body
    unsigned long long received = 0;
    const std::uint64_t start = job.platform.NowSeconds();
    for (;;) {
        std::size_t count = 0;
        if (!reader.Read(buffer.data(), buffer.size(), count)) return TransferOutcome::ReadFailed;
        if (count == 0) {
            return BodyIsShort(reader, received) ? TransferOutcome::ReadFailed
                                                 : TransferOutcome::Complete;
        }
        if (!job.file->Write(buffer.data(), count)) return TransferOutcome::WriteFailed;
        received += count;
        if (TimeoutExceeded(start, job.platform.NowSeconds(), job.timeoutSeconds)) {
            return TransferOutcome::TimedOut;
        }
    }
}

// Runs on the worker. Closes the URL, then the Internet session, then the file.
void Transfer(TransferJob& job) {
    std::unique_ptr<UrlReader> reader = job.session->OpenUrl(job.url);
    if (reader && !IsErrorStatus(reader->StatusCode())) {
        job.outcome = CopyBody(job, *reader);
    }
    reader.reset();
    job.session.reset();
    const bool closed = job.file->Close();
    if (job.outcome == TransferOutcome::Complete && !closed) job.outcome = TransferOutcome::WriteFailed;
}

const char* FailureCaption(TransferOutcome outcome) {
    switch (outcome) {
        case TransferOutcome::ReadFailed: return TEXT_READ_ERROR_CAPTION;
        case TransferOutcome::WriteFailed: return TEXT_WRITE_ERROR_CAPTION;
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

// The wall-clock limit of the whole transfer. One second more than the time-out, so that a body
// that keeps arriving ends by the per-block check, which fires once a full second past the limit
// has been counted.
std::uint32_t DeadlineSeconds(std::uint32_t timeoutSeconds) {
    return timeoutSeconds == std::numeric_limits<std::uint32_t>::max() ? timeoutSeconds
                                                                       : timeoutSeconds + 1;
}

}  // namespace

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
    const std::string destination = folderPath + run.url.fileName;

    auto job = std::make_shared<TransferJob>(TransferJob{platform, nullptr, nullptr, url,
                                                         run.timeoutSeconds});
    job->session = platform.OpenInternet("download");
    if (!job->session) {
        platform.ShowMessage(TEXT_DOWNLOAD_FAILED, TEXT_INIT_ERROR_CAPTION);
        return 0;
    }
    std::string temporaryPath;
    if (destination.size() <= PATH_MAX_CHARS) {
        job->file = platform.CreateTemporaryFile(folderPath, temporaryPath);
    }
    if (!job->file) {
        job->session.reset();
        ReportFailure(platform, TransferOutcome::WriteFailed);
        return 0;
    }

    const WaitResult wait =
        platform.RunWithDeadline([job] { Transfer(*job); }, DeadlineSeconds(run.timeoutSeconds),
                                 IsUnlimitedTimeout(run.timeoutSeconds));
    // After a time-out the worker may still hold the file open: it was opened so that it can be
    // removed all the same, and the job stays alive with the worker.
    const TransferOutcome outcome = wait == WaitResult::TimedOut ? TransferOutcome::TimedOut
                                                                 : job->outcome;
    if (outcome == TransferOutcome::Complete && platform.ReplaceFile(temporaryPath, destination)) {
        return 1;
    }
    platform.RemoveFile(temporaryPath);
    ReportFailure(platform, outcome == TransferOutcome::Complete ? TransferOutcome::WriteFailed
                                                                 : outcome);
    return 0;
}

}  // namespace korvo
