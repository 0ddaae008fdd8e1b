#include "qt/control_views.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "qt/fonts.h"
#include "qt/units.h"

namespace vz::qt {

PointerWidget::PointerWidget(QWidget* parent, InputSink& sink, Control* control)
    : QWidget(parent), sink_(sink), control_(control) {
    setMouseTracking(true);  // moves without a button held count too
}

void PointerWidget::Activate() { sink_.Click(control_, mapToGlobal(rect().center())); }

void PointerWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) pressed_ = true;
    e->accept();
}

void PointerWidget::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    if (e->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    // A click is a press and a release on the same control.
    if (rect().contains(e->position().toPoint()))
        sink_.Click(control_, e->globalPosition().toPoint());
}

void PointerWidget::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    sink_.Hover(control_);
}

namespace {
Qt::Alignment ToQt(Alignment a) {
    switch (a) {
        case Alignment::Right: return Qt::AlignRight;
        case Alignment::Center: return Qt::AlignHCenter;
        default: return Qt::AlignLeft;
    }
}
}  // namespace

LabelView::LabelView(QWidget* parent, InputSink& sink, Label& label)
    : PointerWidget(parent, sink, &label) {
    setObjectName(QString::fromStdString(label.Path()));
    setFont(ToQFont(label.font));
}

void LabelView::Sync(const Label& label, QRect box) {
    text_ = QString::fromStdString(label.Caption());
    back_ = ToQColor(label.back_color);
    fore_ = ToQColor(label.fore_color);
    transparent_ = label.transparent;
    align_ = ToQt(label.alignment);
    wrap_ = !label.auto_size;  // one that sizes itself has its one line
    setGeometry(box);
    if (shown_ != label.Visible()) {
        shown_ = label.Visible();
        setAttribute(Qt::WA_TransparentForMouseEvents, !shown_);
    }
    update();
}

void LabelView::paintEvent(QPaintEvent*) {
    if (!shown_) return;
    QPainter p(this);
    if (!transparent_) p.fillRect(rect(), back_);
    p.setPen(fore_);
    p.setFont(font());
    p.drawText(rect(), int(align_ | Qt::AlignTop) | (wrap_ ? Qt::TextWordWrap : 0), text_);
}

PictureView::PictureView(QWidget* parent, InputSink& sink, Control& control,
                         QPixmap picture, QColor back)
    : PointerWidget(parent, sink, &control), picture_(std::move(picture)), back_(back) {
    setObjectName(QString::fromStdString(control.Path()));
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (back_.isValid()) p.fillRect(rect(), back_);
    p.drawPixmap(0, 0, picture_);  // at its own size, clipped to the control
}

LineView::LineView(QWidget* parent, const Line& line)
    : QWidget(parent), color_(ToQColor(line.color)), width_(std::max(1, line.width_px)) {
    setObjectName(QString::fromStdString(line.Path()));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineView::Sync(QPoint from, QPoint to) {
    line_ = QLineF(from, to);
    setGeometry(parentWidget()->rect());
    update();
}

void LineView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(color_, width_, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(line_);
}

ComboView::ComboView(QWidget* parent, InputSink& sink, ComboBox& combo)
    : QComboBox(parent), combo_(&combo) {
    // The program's own colours, whatever the desktop's theme: a dark one
    // would put light text on the list's white.
    setPalette(style()->standardPalette());
    setObjectName(QString::fromStdString(combo.Path()));
    setFont(ToQFont(combo.font));
    setFocusPolicy(Qt::StrongFocus);
    // Only the user's picks: the program's own writes of ListIndex do not
    // emit `activated`.
    connect(this, &QComboBox::activated, this,
            [&sink, &combo](int index) { sink.Select(combo, index); });
}

void ComboView::Sync(const ComboBox& combo) {
    QStringList items;
    for (const std::string& s : combo.Items()) items << QString::fromStdString(s);
    QStringList shown;
    for (int i = 0; i < count(); ++i) shown << itemText(i);
    if (items != shown) {
        clear();
        addItems(items);
    }
    if (currentIndex() != combo.ListIndex()) {
        setCurrentIndex(combo.ListIndex());
        // A screen reader reads the list's new value.
        QAccessibleValueChangeEvent changed(this, currentText().trimmed());
        QAccessible::updateAccessibility(&changed);
    }
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(combo.back_color));
    pal.setColor(QPalette::Button, ToQColor(combo.back_color));
    setPalette(pal);
    setVisible(combo.Visible());
}

ButtonView::ButtonView(QWidget* parent, InputSink& sink, CommandButton& button)
    : QPushButton(parent) {
    setObjectName(QString::fromStdString(button.Path()));
    setFont(ToQFont(button.font));
    setAutoDefault(false);  // Enter and Escape go to the window, which tells the model
    setPalette(style()->standardPalette());  // as the lists: the program's colours
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, this, [this, &sink, &button] {
        sink.Click(&button, mapToGlobal(rect().center()));
    });
}

void ButtonView::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(e);
}

void ButtonView::Sync(const CommandButton& button) {
    setText(QString::fromStdString(button.caption));
    setVisible(button.Visible());
}

}  // namespace vz::qt
