#pragma once
// A property's or variable's value as the program holds it: a Boolean, a
// number or a text. How it is written out is up to whoever shows it.

#include <string>

namespace vz {

struct Value {
    enum class Kind { Boolean, Number, Text };

    Value() : Value(false) {}
    explicit Value(bool b) : kind(Kind::Boolean), boolean(b) {}
    explicit Value(double n) : kind(Kind::Number), number(n) {}
    explicit Value(std::string t) : kind(Kind::Text), text(std::move(t)) {}

    Kind kind;
    bool boolean = false;
    double number = 0;
    std::string text;
};

}  // namespace vz
