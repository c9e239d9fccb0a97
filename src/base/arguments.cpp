#include "base/arguments.h"

namespace korvo {

namespace {

// Blanks and line breaks, the quote, and what cmd.exe reads as commands, pipes, redirections,
// escapes, blocks and argument separators outside quotes.
constexpr std::string_view NEEDS_QUOTES = " \t\n\v\r\"&|<>^(),;=";

}  // namespace

std::vector<std::string> SplitArguments(std::string_view line) {
    std::vector<std::string> arguments;
    std::string current;
    bool started = false;  // a quote alone starts an (empty) argument
    bool quoted = false;
    std::size_t backslashes = 0;
    for (char c : line) {
        if (c == '\\') {
            ++backslashes;
            started = true;
            continue;
        }
        current.append(c == '"' ? backslashes / 2 : backslashes, '\\');
        if (c == '"') {
            if (backslashes % 2 == 1) current += '"';
            else quoted = !quoted;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (started) arguments.push_back(current);
            current.clear();
            started = false;
            backslashes = 0;
            continue;
        } else {
            current += c;
        }
        backslashes = 0;
        started = true;
    }
    current.append(backslashes, '\\');
    if (started) arguments.push_back(current);
    return arguments;
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
