#include "sim/script.h"

#include <cctype>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace vz {

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

const struct {
    const char* word;
    Command::Kind kind;
    std::size_t arguments;
} kCommands[] = {
    {"start", Command::Kind::Start, 0},   {"stop", Command::Kind::Stop, 0},
    {"wait", Command::Kind::Wait, 1},     {"click", Command::Kind::Click, 1},
    {"hover", Command::Kind::Hover, 1},   {"choose", Command::Kind::Choose, 1},
    {"dismiss", Command::Kind::Dismiss, 0}, {"select", Command::Kind::Select, 2},
    {"key", Command::Kind::Key, 1},       {"snap", Command::Kind::Snap, 1},
    {"sleep", Command::Kind::Sleep, 1},
};

// What the user's desktop would tell: one word, or `busy on`, `busy off`.
const struct {
    const char* word;
    Presence presence;
} kPresenceWords[] = {
    {"away", Presence::Away}, {"back", Presence::Back},
    {"lock", Presence::Locked}, {"unlock", Presence::Unlocked},
};

bool ParsePresence(const std::vector<std::string>& words, Command& c, std::string& error) {
    if (words[0] == "busy") {
        if (words.size() == 2 && (words[1] == "on" || words[1] == "off")) {
            c.kind = Command::Kind::Tell;
            c.presence = words[1] == "on" ? Presence::BusyOn : Presence::BusyOff;
            return true;
        }
        error = "busy takes on or off";
        return false;
    }
    for (const auto& known : kPresenceWords) {
        if (words[0] != known.word) continue;
        c.kind = Command::Kind::Tell;
        c.presence = known.presence;
        if (words.size() == 1) return true;
        error = words[0] + " takes 0 arguments";
        return false;
    }
    return false;
}

// put NAME HEX…, mkdir NAME, remove NAME: a file of the data folder, no path.
bool ParseFileCommand(const std::vector<std::string>& words, Command& c, std::string& error) {
    const bool put = words[0] == "put";
    c.kind = put ? Command::Kind::Put : words[0] == "mkdir" ? Command::Kind::Mkdir
                                                            : Command::Kind::Remove;
    if (words.size() < 2 || (!put && words.size() != 2)) {
        error = words[0] + " takes a file name" + (put ? " and bytes" : "");
        return false;
    }
    c.name = words[1];
    if (c.name.find_first_of("/\\") != std::string::npos || c.name == "." || c.name == "..") {
        error = "bad file name: " + c.name;
        return false;
    }
    for (std::size_t i = 2; i < words.size(); ++i) {
        char* end = nullptr;
        const long b = std::strtol(words[i].c_str(), &end, 16);
        if (*end || words[i].size() != 2 || b < 0) {
            error = "bad byte: " + words[i];
            return false;
        }
        c.bytes.push_back(std::uint8_t(b));
    }
    return true;
}

}  // namespace

long long ParseDuration(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i == 0 || i > 12) return -1;
    const long long n = std::stoll(text.substr(0, i));
    const std::string unit = text.substr(i);
    if (unit == "ms") return n;
    if (unit == "s") return n * 1000;
    if (unit == "m") return n * 60'000;
    if (unit == "h") return n * 3'600'000;
    return -1;
}

std::optional<Command> ParseCommand(const std::string& line, std::string& error) {
    error.clear();
    const std::vector<std::string> words = Words(line);
    if (words.empty()) return std::nullopt;
    Command c;
    const std::string& word = words[0];
    if (word == "put" || word == "mkdir" || word == "remove") {
        if (!ParseFileCommand(words, c, error)) return std::nullopt;
        return c;
    }
    if (ParsePresence(words, c, error) || !error.empty()) {
        if (!error.empty()) return std::nullopt;
        return c;
    }
    if (word == "print") {
        c.kind = Command::Kind::Print;
        if (words.size() == 3 && words[1] == "file") {
            c.name = "file " + words[2];
            return c;
        }
        if (words.size() != 2) {
            error = "print takes 1 argument";
            return std::nullopt;
        }
        c.name = words[1];
        return c;
    }
    for (const auto& known : kCommands) {
        if (word != known.word) continue;
        c.kind = known.kind;
        if (words.size() != known.arguments + 1) {
            error = word + " takes " + std::to_string(known.arguments) + " argument" +
                    (known.arguments == 1 ? "" : "s");
            return std::nullopt;
        }
        if (known.arguments > 0) c.name = words[1];
        switch (c.kind) {
            case Command::Kind::Wait:
            case Command::Kind::Sleep:
                c.ms = ParseDuration(words[1]);
                if (c.ms < 0) error = "bad duration: " + words[1];
                break;
            case Command::Kind::Key:
                if (words[1] == "Enter" || words[1] == "Escape")
                    c.key = words[1] == "Enter" ? Key::Enter : Key::Escape;
                else
                    error = "bad target: " + words[1];
                break;
            case Command::Kind::Select: {
                char* end = nullptr;
                c.position = int(std::strtol(words[2].c_str(), &end, 10));
                if (*end || words[2].empty()) error = "bad list position: " + words[2];
                break;
            }
            default:
                break;
        }
        if (!error.empty()) return std::nullopt;
        return c;
    }
    error = "unknown command: " + word;
    return std::nullopt;
}

}  // namespace vz
