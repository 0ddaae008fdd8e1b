#pragma once
// The program's icon on its windows, given to the application when its first
// window is about to be shown rather than at the start: reading the icon's six
// sizes, and Qt's look for image plugins that comes with it, can wait, since
// no window shows until the hour's end.

#include <QObject>

namespace vz::qt {

class ProgramIcon : public QObject {
public:
    // Watches the application's events until the first window shows.
    explicit ProgramIcon(QObject* parent = nullptr);
    // Whether the application has the icon now.
    bool Given() const { return given_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Give();
    bool given_ = false;
};

}  // namespace vz::qt
