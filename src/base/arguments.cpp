#include "base/arguments.h"

namespace korvo {

namespace {

// Blanks and line breaks, the quote, and what cmd.exe reads as commands, pipes, redirections,
// escapes, blocks and argument separators outside quotes.
constexpr std::string_view NEEDS_QUOTES = " \t\n\v\r\"&|<>^(),;=";

}  // namespace

void ArgumentReader::Add(char c) {
    if (c == '\\') {
        ++backslashes_;
        started_ = true;
        return;
    }
    if (c == '"') {
        current_.append(backslashes_ / 2, '\\');
        if (backslashes_ % 2 == 1) current_ += '"';
        else quoted_ = !quoted_;
        backslashes_ = 0;
        started_ = true;
        return;
    }
    if ((c == ' ' || c == '\t') && !quoted_) {
        if (started_) arguments_.push_back(Argument());
        current_.clear();
        started_ = false;
        return;
    }
    Argument() += c;
}

void ArgumentReader::AddWhole(std::string_view text) { Argument() += text; }

std::string& ArgumentReader::Argument() {
    current_.append(backslashes_, '\\');
    backslashes_ = 0;
    started_ = true;
    return current_;
}

std::vector<std::string> ArgumentReader::Finish() {
    if (started_) arguments_.push_back(Argument());
    current_.clear();
    started_ = false;
    return std::move(arguments_);
}

std::vector<std::string> SplitArguments(std::string_view line) {
    ArgumentReader reader;
    for (char c : line) reader.Add(c);
    return reader.Finish();
}

std::string QuotedArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(NEEDS_QUOTES) == std::string_view::npos) {
        return std::string(argument);
    }
    std::string written = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        // Backslashes before a quote, the value's own or the closing one, are doubled.
        if (c == '"') written.append(backslashes + 1, '\\');
        backslashes = c == '\\' ? backslashes + 1 : 0;
        written += c;
    }
    written.append(backslashes, '\\');
    return written + '"';
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        line += QuotedArgument(argument);
    }
    return line;
}

}  // namespace korvo
