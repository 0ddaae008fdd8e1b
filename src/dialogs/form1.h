#pragma once
// The menu carrier: never shown, it holds the menu File that the rest screen
// pops up.

#include "platform/form.h"

namespace vz {

class Form1 : public Form {
public:
    static constexpr const char* kName = "Form1";
    explicit Form1(Runtime& runtime);

    void Setting_Click();
    void Hour_Click();
    void About_Click();
};

// The number of hours the usage-hours window shows: half the count, rounded
// to one decimal, plus one.
double HoursOfUse(int half_hours);

}  // namespace vz
