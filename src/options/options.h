#pragma once
// The program's options: each key with the values it takes, its value for this
// run and where that came from. A value comes from, weakest first: the key's
// default, the user's options file, `--set` on the command line, the
// machine-wide file (or Windows policy), which the others cannot change.
// A line that names no key or gives a bad value is kept as a problem to
// report once; the value stays as it was.

#include <string>
#include <string_view>
#include <vector>

namespace vz {

// Where a value came from, in rising strength.
enum class OptionOrigin { Default, UserFile, CommandLine, MachineWide };

// One key and the values it takes; the first is the default.
struct OptionKey {
    const char* name;
    std::vector<const char*> values;
};

// Every key the program knows, in the order --options lists them.
const std::vector<OptionKey>& OptionKeys();

class Options {
public:
    Options();  // every key at its default

    // The value of `key` (one of its values, as written in OptionKeys).
    // Asking for a key that is not in OptionKeys is a programming error.
    const std::string& Get(std::string_view key) const;
    // For the keys whose values are off and on.
    bool On(std::string_view key) const { return Get(key) == "on"; }
    OptionOrigin Origin(std::string_view key) const;
    // The file and line (or registry key) of the value; empty for a default.
    const std::string& Where(std::string_view key) const;

    // Reads an options file's text: `key = value` a line, `#` to the end of a
    // line is a comment, blank lines are skipped. `where` names the file.
    void ReadText(std::string_view text, const std::string& where, OptionOrigin origin);
    // One value from `place` (a file and its line, a registry value, `--set`).
    // False when the key or value is bad (a problem is kept) or when a
    // stronger origin holds the key (a note is kept, unless equal).
    bool Set(std::string_view key, std::string_view value, OptionOrigin origin,
             const std::string& place);
    // `--set KEY=VALUE`'s argument.
    bool SetFromCommandLine(std::string_view assignment);
    // A problem found outside the text, such as a file that cannot be read.
    void AddProblem(std::string problem) { problems_.push_back(std::move(problem)); }

    // What was wrong, one message each, in the order found.
    const std::vector<std::string>& Problems() const { return problems_; }
    // One line a key: `key = value (where it came from)`.
    std::vector<std::string> Describe() const;

private:
    struct Entry {
        const OptionKey* key;
        std::string value;
        OptionOrigin origin = OptionOrigin::Default;
        std::string where;
    };
    const Entry& Find(std::string_view key) const;

    std::vector<Entry> entries_;
    std::vector<std::string> problems_;
};

}  // namespace vz
