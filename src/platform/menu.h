#pragma once
// A menu of a window: the items that a pop-up shows, top to bottom.

#include <functional>
#include <string>
#include <vector>

namespace vz {

struct MenuItem {
    std::string name;      // design name: Setting, Hour, Fen1, About
    std::string caption;   // "-" is a separator bar
    std::function<void()> on_click;  // empty for a separator
    bool IsSeparator() const { return caption == "-"; }
};

struct Menu {
    std::string name;  // File
    std::string caption;
    std::vector<MenuItem> items;
};

}  // namespace vz
