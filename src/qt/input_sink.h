#pragma once
// Where the front end's widgets send what the user did, by the model's target
// names ("frmSplash", "frmSplash.Label2"). The model decides what it means.

#include <QPoint>
#include <string>

namespace vz::qt {

class InputSink {
public:
    virtual ~InputSink() = default;
    // `global` is where the pointer was, for a pop-up menu that the click opens.
    virtual void Click(const std::string& target, QPoint global) = 0;
    virtual void Hover(const std::string& target) = 0;
    virtual void Select(const std::string& target, int position) = 0;
    virtual void Key(const std::string& key) = 0;  // "Enter" or "Escape"
};

}  // namespace vz::qt
