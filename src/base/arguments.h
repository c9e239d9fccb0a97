// Command lines as the programs Korvo starts read them. Almost every Windows program splits its
// command line by the C run-time's rules (CommandLineToArgvW gives the same arguments); these are
// those rules and their inverse.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvo {

// Reads a command line after the program's name, one character at a time: blanks and tabs
// separate arguments outside double quotes; backslashes count only right before a quote (2n give n
// and the quote opens or closes a stretch, 2n+1 give n and a literal quote).
class ArgumentReader {
public:
    void Add(char c);
    // Text that belongs to the argument being read as it stands, whatever it holds.
    void AddWhole(std::string_view text);
    // The argument being read so far.
    std::string& Argument();
    std::vector<std::string> Finish();

private:
    std::vector<std::string> arguments_;
    std::string current_;
    bool started_ = false;  // a quote or an empty value alone starts an (empty) argument
    bool quoted_ = false;
    std::size_t backslashes_ = 0;  // not yet known to be literal
};

std::vector<std::string> SplitArguments(std::string_view line);

// One argument written so that SplitArguments gives it back whole. It stands in quotes when it is
// empty, or holds a blank, a tab, a line break, a quote or a character cmd.exe reads as syntax,
// so that a batch program gets it as one argument too.
std::string QuotedArgument(std::string_view argument);

// The arguments, each written by QuotedArgument, separated by one blank.
std::string JoinArguments(const std::vector<std::string>& arguments);

}  // namespace korvo
