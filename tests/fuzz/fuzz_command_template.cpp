// The [exec] section and the command-line builder on arbitrary input, with a scripted file-name
// box. The input is NUL-separated: configuration text (read as following an "[exec]" header, so
// it may also hold other sections), the "/#e=" name, the target, the destination folder, and one
// byte per answer of the file-name box.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "config/file_encoding.h"
#include "config/loader.h"
#include "fake_platform.h"
#include "template/command_template.h"
#include "template/placeholders.h"
#include "url/url_parts.h"

namespace {

std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::vector<std::string> fields(1);
    for (std::size_t at = 0; at < size; ++at) {
        if (data[at] == 0 && fields.size() < count) {
            fields.emplace_back();
        } else {
            fields.back() += static_cast<char>(data[at]);
        }
    }
    fields.resize(count);
    return fields;
}

korvo::FileNameAnswer AnswerFor(unsigned char byte) {
    korvo::FileNameAnswer answer;
    answer.end = static_cast<korvo::FileNameEnd>(byte % 3);
    answer.name = std::string(byte / 3 % 5, byte & 0x40 ? '%' : 'n');
    answer.extension = byte & 0x80 ? ".x" : "%K";
    return answer;
}

// Occurrences of `token` in `text`, ignoring case.
std::size_t Count(const std::string& text, const std::string& token) {
    std::size_t count = 0;
    std::string_view rest(text);
    for (std::size_t found = korvo::FindNoCase(rest, token); found != std::string_view::npos;
         found = korvo::FindNoCase(rest, token)) {
        ++count;
        rest.remove_prefix(found + token.size());
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> fields = Fields(data, size, 5);
    korvo::testing::FakePlatform platform;
    platform.AddFolder("C:\\Korvo\\");
    platform.AddFolder("C:\\T\\dir.exe");
    for (const char* program : {"C:\\T\\a.exe", "C:\\T\\b.exe", "C:\\T\\表.exe"}) {
        platform.AddFile(program, "");
    }
    platform.AddFile("C:\\Korvo\\Korvo.ini", "[exec]\n" + fields[0]);
    korvo::RunState run = korvo::testing::StartedRun("Korvo.exe", 1);
    run.requestedProgramName = korvo::CutToFit(fields[1], 258);

    if (korvo::LoadConfiguration(platform, run) != 1) __builtin_trap();
    const int programCount = static_cast<int>(run.programs.size());
    if (programCount > korvo::PROGRAM_MAX) __builtin_trap();
    if (run.selectedProgram < -1 || run.selectedProgram >= programCount) __builtin_trap();
    for (const auto& entry : run.programs) {
        // The path counts UTF-16 units; the name and template the configuration file's bytes.
        if (korvo::PathLength(entry.programPath) > korvo::PATH_MAX_CHARS ||
            korvo::CutToFileBytes(entry.displayName, korvo::PATH_MAX_CHARS) != entry.displayName ||
            korvo::CutToFileBytes(entry.commandTemplate, korvo::PATH_MAX_CHARS) !=
                entry.commandTemplate) {
            __builtin_trap();
        }
    }

    std::string commandTemplate = korvo::CutToFit(fields[0], korvo::PATH_MAX_CHARS);
    if (programCount > 0) {
        commandTemplate = run.programs[run.selectedProgram < 0 ? 0 : run.selectedProgram].commandTemplate;
    }
    run.targets = {1, korvo::CutToFit(fields[2], korvo::URL_MAX_CHARS)};
    korvo::DeriveFileName(run.url, run.targets.firstTarget);
    for (unsigned char byte : fields[4]) platform.fileNameAnswers.push_back(AnswerFor(byte));
    run.menuAnchor = {static_cast<int>(fields[4].size()) * 97 - 1, 1000};

    std::string expanded = commandTemplate;
    if (run.paramSeen) expanded = korvo::ExpandPlaceholders(platform, run, commandTemplate);
    std::string line = korvo::BuildCommandLine(platform, run, commandTemplate,
                                               korvo::CutToFit(fields[3], korvo::PATH_MAX_CHARS));
    // A token of two characters or more gives at most a quoted URL with its backslashes doubled.
    if (korvo::PathLength(line) > korvo::PathLength(expanded) * (korvo::URL_MAX_CHARS + 2)) __builtin_trap();
    // The box opens once for each "%$K" of the expanded template, and only those.
    if (platform.fileNameRequests.size() > Count(expanded, "%$K")) __builtin_trap();
    for (const auto& request : platform.fileNameRequests) {
        if (request.topLeft.x + 160 > run.screenWidth || request.topLeft.y + 65 > run.maximizedHeight) {
            __builtin_trap();
        }
    }
    return 0;
}
