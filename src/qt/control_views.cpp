#include "qt/control_views.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/fonts.h"
#include "qt/units.h"

namespace vz::qt {

PointerWidget::PointerWidget(QWidget* parent, InputSink& sink, std::string target)
    : QWidget(parent), sink_(sink), target_(std::move(target)) {
    setMouseTracking(true);  // moves without a button held count too
}

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
        sink_.Click(target_, e->globalPosition().toPoint());
}

void PointerWidget::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    sink_.Hover(target_);
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

LabelView::LabelView(QWidget* parent, InputSink& sink, const Label& label)
    : PointerWidget(parent, sink, label.Path()) {
    setObjectName(QString::fromStdString(label.Path()));
    setFont(ToQFont(label.font));
}

void LabelView::Sync(const Label& label, QRect box) {
    text_ = QString::fromStdString(label.Caption());
    back_ = ToQColor(label.back_color);
    fore_ = ToQColor(label.fore_color);
    transparent_ = label.transparent;
    align_ = ToQt(label.alignment);
    wrap_ = !label.auto_size;
    if (label.auto_size) {
        // An auto-sized label is as large as its one line of text. It keeps
        // to its box by the alignment: centred text stays centred in the box,
        // right-aligned text keeps the right edge. A longer text outgrows it.
        const QSize text = fontMetrics().size(Qt::TextSingleLine, text_);
        int x = box.left();
        if (label.alignment == Alignment::Center) x = box.left() + (box.width() - text.width()) / 2;
        if (label.alignment == Alignment::Right) x = box.right() + 1 - text.width();
        box = QRect(x, box.top(), text.width(), text.height());
    }
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

PictureView::PictureView(QWidget* parent, InputSink& sink, const Control& control,
                         QPixmap picture, QColor back)
    : PointerWidget(parent, sink, control.Path()), picture_(std::move(picture)), back_(back) {
    setObjectName(QString::fromStdString(control.Path()));
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (back_.isValid()) p.fillRect(rect(), back_);
    p.drawPixmap(0, 0, picture_);  // at its own size, clipped to the control
}

LineView::LineView(QWidget* parent, const Line& line, QPoint client_origin)
    : QWidget(parent),
      line_(QPointF(client_origin) + QPointF(line.x1, line.y1) / 15.0,
            QPointF(client_origin) + QPointF(line.x2, line.y2) / 15.0),
      color_(ToQColor(line.color)),
      width_(std::max(1, line.width_px)) {
    setObjectName(QString::fromStdString(line.Path()));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(parent->rect());
}

void LineView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(color_, width_, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(line_);
}

ComboView::ComboView(QWidget* parent, InputSink& sink, const ComboBox& combo) : QComboBox(parent) {
    setObjectName(QString::fromStdString(combo.Path()));
    setFont(ToQFont(combo.font));
    setFocusPolicy(Qt::StrongFocus);
    const std::string target = combo.Path();
    // Only the user's picks: the program's own writes of ListIndex do not
    // emit `activated`.
    connect(this, &QComboBox::activated, this,
            [&sink, target](int index) { sink.Select(target, index); });
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
    setCurrentIndex(combo.ListIndex());
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(combo.back_color));
    pal.setColor(QPalette::Button, ToQColor(combo.back_color));
    setPalette(pal);
    setVisible(combo.Visible());
}

ButtonView::ButtonView(QWidget* parent, InputSink& sink, const CommandButton& button)
    : QPushButton(parent) {
    setObjectName(QString::fromStdString(button.Path()));
    setFont(ToQFont(button.font));
    setAutoDefault(false);  // Enter and Escape go to the window, which tells the model
    setFocusPolicy(Qt::StrongFocus);
    const std::string target = button.Path();
    connect(this, &QPushButton::clicked, this, [this, &sink, target] {
        sink.Click(target, mapToGlobal(rect().center()));
    });
}

void ButtonView::Sync(const CommandButton& button) {
    setText(QString::fromStdString(button.caption));
    setVisible(button.Visible());
}

}  // namespace vz::qt
