#include "url/targets.h"

#include "base/text.h"

namespace korvo {

namespace {

enum class TokenResult { Rejected, Decided };

// A clipboard line is one token, spaces included: after trimming, a space left in a line that was
// not quoted means words stand beside the URL, and the line is no URL at all (taken as one, the
// words would become part of the address).
bool HasWordsBesideUrl(const std::string& trimmed, bool quoted, int mode) {
    return mode == TARGET_MODE_CLIPBOARD && !quoted && trimmed.find(' ') != std::string::npos;
}

// More of the word right after a closing quote: the URL would go on past the quote.
bool WordGoesOn(std::string_view text, std::size_t at) {
    return at < text.size() && std::string_view(" \t\r\n").find(text[at]) == std::string_view::npos;
}

// Classifies the token. A URL glued to a double quote is none: the quote would belong to it, and
// would end the quotes that carry it to a program. The first URL decides the parse: it becomes
// the run's only target, or is refused whole when it is too long.
TokenResult TestToken(TargetList& targets, std::string& token, int mode, bool ftpAllowed,
                      bool gluedToQuote) {
    const bool quoted = token.size() >= 2 && token.front() == '"' && token.back() == '"';
    if (gluedToQuote || ClassifyTarget(token, ftpAllowed) == 0 ||
        HasWordsBesideUrl(token, quoted, mode)) {
        token.clear();
        return TokenResult::Rejected;
    }
    if (PathLength(token) > URL_MAX_CHARS) {
        targets.refusal = TargetRefusal::TooLong;
    } else {
        targets.targetCount = 1;
        targets.firstTarget = token;
    }
    return TokenResult::Decided;
}

}  // namespace

void ParseTargets(TargetList& targets, std::string_view text, int mode, bool ftpAllowed) {
    text = text.substr(0, text.find('\0'));
    targets = TargetList{};
    // Tokens grow without a cut: each is part of a text that is bounded already, and a cut URL
    // would be another URL.
    std::string token;
    bool quoted = false;
    auto test = [&](bool gluedToQuote) {
        return TestToken(targets, token, mode, ftpAllowed, gluedToQuote) == TokenResult::Decided;
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"' && !quoted) {
            // Text right before an opening quote goes on past it.
            if (test(!token.empty())) return;
            token.assign(1, '"');  // not = "\"": GCC 12 warns falsely (-Wrestrict) on that form
            quoted = true;
        } else if (c == '"') {
            token += c;
            quoted = false;
            if (test(WordGoesOn(text, at + 1))) return;
        } else if (c == ' ' && !quoted && mode == TARGET_MODE_COMMAND_LINE) {
            if (test(false)) return;
        } else if (c == '\n' && mode == TARGET_MODE_CLIPBOARD) {
            quoted = false;
            if (test(false)) return;
        } else if (c == '\r' || c == '\n' || c == '\t') {
            continue;
        } else {
            token += c;
        }
    }
    if (!token.empty()) test(false);
}

int ClassifyTarget(std::string& token, bool ftpAllowed) {
    PathUnquoteSpaces(token);
    PathRemoveBlanks(token);
    if (StartsWithNoCase(token, "http://", 7) || StartsWithNoCase(token, "https://", 8)) return 1;
    if (ftpAllowed && StartsWithNoCase(token, "ftp://", 6)) return 2;
    return 0;
}

}  // namespace korvo
