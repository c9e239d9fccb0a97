#include "url/targets.h"

#include "base/text.h"

namespace korvo {

namespace {

enum class TokenResult { Rejected, Accepted };

// A clipboard line is one token, spaces included: after trimming, a space left in a line that was
// not quoted means words stand beside the URL, and the line is no URL at all (taken as one, the
// words would become part of the address).
bool HasWordsBesideUrl(const std::string& trimmed, bool quoted, int mode) {
    return mode == TARGET_MODE_CLIPBOARD && !quoted && trimmed.find(' ') != std::string::npos;
}

// Classifies the token; an accepted one becomes the run's only target.
TokenResult TestToken(TargetList& targets, std::string& token, int mode, bool ftpAllowed) {
    const bool quoted = token.size() >= 2 && token.front() == '"' && token.back() == '"';
    if (ClassifyTarget(token, ftpAllowed) > 0 && !HasWordsBesideUrl(token, quoted, mode)) {
        targets.targetCount = 1;
        targets.firstTarget = token;
        return TokenResult::Accepted;
    }
    token.clear();
    return TokenResult::Rejected;
}

}  // namespace

void ParseTargets(TargetList& targets, std::string_view text, int mode, bool ftpAllowed) {
    text = text.substr(0, text.find('\0'));
    targets = TargetList{};
    std::string token;
    bool quoted = false;
    auto append = [&token](char c) {
        if (token.size() < TOKEN_MAX_CHARS) token += c;
    };
    for (char c : text) {
        if (c == '"' && !quoted) {
            if (TestToken(targets, token, mode, ftpAllowed) == TokenResult::Accepted) return;
            token.assign(1, '"');  // not = "\"": GCC 12 warns falsely (-Wrestrict) on that form
            quoted = true;
        } else if (c == '"') {
            // A full token still gets its closing quote, in place of its last character, so that
            // an over-long quoted URL stays a (cut) URL.
            if (token.size() == TOKEN_MAX_CHARS) token.pop_back();
            append(c);
            quoted = false;
            if (TestToken(targets, token, mode, ftpAllowed) == TokenResult::Accepted) return;
        } else if (c == ' ' && !quoted && mode == TARGET_MODE_COMMAND_LINE) {
            if (TestToken(targets, token, mode, ftpAllowed) == TokenResult::Accepted) return;
        } else if (c == '\n' && mode == TARGET_MODE_CLIPBOARD) {
            quoted = false;
            if (TestToken(targets, token, mode, ftpAllowed) == TokenResult::Accepted) return;
        } else if (c == '\r' || c == '\n' || c == '\t') {
            continue;
        } else {
            append(c);
        }
    }
    if (!token.empty()) TestToken(targets, token, mode, ftpAllowed);
}

int ClassifyTarget(std::string& token, bool ftpAllowed) {
    PathUnquoteSpaces(token);
    PathRemoveBlanks(token);
    if (StartsWithNoCase(token, "http://", 7) || StartsWithNoCase(token, "https://", 8)) return 1;
    if (ftpAllowed && StartsWithNoCase(token, "ftp://", 6)) return 2;
    return 0;
}

}  // namespace korvo
