#pragma once
// What a screen reader learns of the windows through Qt's accessibility
// bridge (AT-SPI on Linux): each window's and control's role and name as
// the core describes them (frontend/accessible.h), for the widgets that
// paint themselves and for the lists, whose name Qt would otherwise take
// from their value. A window also carries an announcer: a child of no size
// whose showing a screen reader speaks unasked.

#include <QString>
#include <QWidget>

namespace vz::qt {

// Installs the descriptions for the front end's widgets and brings the
// bridge up now, so that the first banner's events are not lost to a bridge
// that joins the bus only when a first window shows.
void StartAccessibility();

// Speaks a text from its window by showing itself anew; it draws nothing
// and takes no input.
class Announcer : public QWidget {
public:
    explicit Announcer(QWidget* window);
    void Say(const QString& text);
    const QString& Text() const { return text_; }

private:
    QString text_;
};

}  // namespace vz::qt
