#include "options/options.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace vz {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Keys and values are plain words; an administrator's capitals are no mistake.
std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Choices(const OptionKey& key) {
    std::string out;
    for (std::size_t i = 0; i < key.values.size(); ++i) {
        if (i) out += i + 1 == key.values.size() ? " or " : ", ";
        out += key.values[i];
    }
    return out;
}

}  // namespace

const std::vector<OptionKey>& OptionKeys() {
    static const std::vector<OptionKey> keys = {
        {"away-counts-as-rest", {"off", "on"}},
        {"hold-while-busy", {"off", "on"}},
        {"motion", {"blink", "still", "desktop"}},
    };
    return keys;
}

Options::Options() {
    for (const OptionKey& key : OptionKeys()) entries_.push_back({&key, key.values.front(), OptionOrigin::Default, {}});
}

const Options::Entry& Options::Find(std::string_view key) const {
    for (const Entry& e : entries_)
        if (key == e.key->name) return e;
    throw std::out_of_range("no option " + std::string(key));
}

const std::string& Options::Get(std::string_view key) const { return Find(key).value; }
OptionOrigin Options::Origin(std::string_view key) const { return Find(key).origin; }
const std::string& Options::Where(std::string_view key) const { return Find(key).where; }

bool Options::Set(std::string_view key_text, std::string_view value_text, OptionOrigin origin,
                  const std::string& place) {
    const std::string key = Lower(Trim(key_text));
    const std::string value = Lower(Trim(value_text));
    auto entry = std::find_if(entries_.begin(), entries_.end(),
                              [&](const Entry& e) { return key == e.key->name; });
    if (entry == entries_.end()) {
        problems_.push_back(place + ": unknown option '" + key + "'; ignored");
        return false;
    }
    const auto& values = entry->key->values;
    const auto known = std::find(values.begin(), values.end(), value);
    if (known == values.end()) {
        problems_.push_back(place + ": bad value '" + value + "' for " + key + " (" +
                            Choices(*entry->key) + "); using " + entry->value);
        return false;
    }
    if (origin < entry->origin) {
        // Only the administrator's value outranks the user's own choices.
        if (entry->origin == OptionOrigin::MachineWide && value != entry->value)
            problems_.push_back(place + ": " + key + " is set to " + entry->value + " by " +
                                entry->where + "; " + value + " ignored");
        return false;
    }
    entry->value = *known;
    entry->origin = origin;
    entry->where = place;
    return true;
}

void Options::ReadText(std::string_view text, const std::string& where, OptionOrigin origin) {
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        line = Trim(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        const std::string place = where + ":" + std::to_string(number);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || Trim(line.substr(0, equals)).empty()) {
            problems_.push_back(place + ": not 'key = value': " + std::string(line) + "; ignored");
            continue;
        }
        Set(line.substr(0, equals), line.substr(equals + 1), origin, place);
    }
}

bool Options::SetFromCommandLine(std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) {
        problems_.push_back("--set " + std::string(assignment) + ": not KEY=VALUE; ignored");
        return false;
    }
    return Set(assignment.substr(0, equals), assignment.substr(equals + 1),
               OptionOrigin::CommandLine, "--set");
}

std::vector<std::string> Options::Describe() const {
    std::vector<std::string> lines;
    for (const Entry& e : entries_) {
        std::string from;
        switch (e.origin) {
            case OptionOrigin::Default: from = "default; " + Choices(*e.key); break;
            case OptionOrigin::UserFile: from = e.where; break;
            case OptionOrigin::CommandLine: from = "--set"; break;
            case OptionOrigin::MachineWide: from = "locked by " + e.where; break;
        }
        lines.push_back(std::string(e.key->name) + " = " + e.value + " (" + from + ")");
    }
    return lines;
}

}  // namespace vz
