#pragma once
// Widgets for the model's controls. Each shows its control's design and
// properties as the model holds them and reports the user's clicks and
// pointer moves on it; none of them decides anything.

#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include "platform/controls.h"
#include "qt/input_sink.h"

namespace vz::qt {

// Reports a click (press and release on the widget) and pointer moves, as
// input on `control` (nullptr: the window itself).
class PointerWidget : public QWidget {
public:
    PointerWidget(QWidget* parent, InputSink& sink, Control* control);
    Control* Model() const { return control_; }
    // A click on it from the keyboard or a screen reader, at its middle.
    void Activate();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    InputSink& sink_;
    Control* control_;
    bool pressed_ = false;
};

// A hidden label stays a shown widget that draws nothing and lets the pointer
// through: showing a widget again asks the X server where the pointer is, and
// the rest screen's slogan blinks.
class LabelView : public PointerWidget {
public:
    LabelView(QWidget* parent, InputSink& sink, Label& label);
    // Reads the label's properties; `box` is its rectangle in the window.
    void Sync(const Label& label, QRect box);
    const QString& Text() const { return text_; }
    bool Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString text_;
    QColor back_, fore_;
    bool transparent_ = false;
    Qt::Alignment align_;
    bool wrap_ = true;
    bool shown_ = true;
};

class PictureView : public PointerWidget {
public:
    PictureView(QWidget* parent, InputSink& sink, Control& control, QPixmap picture,
                QColor back);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
    QColor back_;  // invalid: nothing behind the picture
};

class LineView : public QWidget {
public:
    LineView(QWidget* parent, const Line& line);
    // The line's ends in the window; the view covers the whole window.
    void Sync(QPoint from, QPoint to);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QLineF line_;
    QColor color_;
    int width_;
};

class ComboView : public QComboBox {
public:
    ComboView(QWidget* parent, InputSink& sink, ComboBox& combo);
    void Sync(const ComboBox& combo);
    ComboBox* Model() const { return combo_; }

private:
    ComboBox* combo_;
};

class ButtonView : public QPushButton {
public:
    ButtonView(QWidget* parent, InputSink& sink, CommandButton& button);
    void Sync(const CommandButton& button);

protected:
    // Enter on the button that has the keyboard presses it, as Space does.
    void keyPressEvent(QKeyEvent* e) override;
};

}  // namespace vz::qt
