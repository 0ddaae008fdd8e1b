#include "qt/accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>

#include "frontend/accessible.h"
#include "qt/control_views.h"
#include "qt/form_window.h"

namespace vz::qt {

namespace {

QAccessible::Role ToQt(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::Window: return QAccessible::Window;
        case AccessibleRole::Dialog: return QAccessible::Dialog;
        case AccessibleRole::Notification: return QAccessible::Notification;
        case AccessibleRole::Text: return QAccessible::StaticText;
        case AccessibleRole::Button: return QAccessible::Button;
        case AccessibleRole::ComboBox: return QAccessible::ComboBox;
        case AccessibleRole::Picture: return QAccessible::Graphic;
        case AccessibleRole::Separator: return QAccessible::Separator;
    }
    return QAccessible::Client;
}

// The control a view shows, while its model window is still there.
const Control* ModelOf(QWidget* view, const Control* control) {
    auto* window = dynamic_cast<FormWindow*>(view->window());
    return window && window->form() ? control : nullptr;
}

class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(FormWindow* w) : QAccessibleWidget(w) {}
    QAccessible::Role role() const override {
        const Form* form = Window()->form();
        return form ? ToQt(Describe(*form).role) : QAccessible::Window;
    }
    QString text(QAccessible::Text t) const override {
        const Form* form = Window()->form();
        if (t == QAccessible::Name && form) return QString::fromStdString(Describe(*form).name);
        return QAccessibleWidget::text(t);
    }

private:
    FormWindow* Window() const { return static_cast<FormWindow*>(widget()); }
};

// A label, a picture or a rule: painted by the view itself.
class ControlAccessible : public QAccessibleWidget {
public:
    ControlAccessible(PointerWidget* w, const Control* control)
        : QAccessibleWidget(w), control_(control) {}
    QAccessible::Role role() const override {
        const Control* c = Model();
        return c ? ToQt(Describe(*c).role) : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        const Control* c = Model();
        if (t == QAccessible::Name && c) return QString::fromStdString(Describe(*c).name);
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        // A hidden label stays a shown widget that draws nothing.
        if (const Control* c = Model(); c && !c->Visible()) s.invisible = true;
        return s;
    }
    QStringList actionNames() const override {
        const Control* c = Model();
        return c && c->Visible() && Describe(*c).acts ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override {
        if (action == pressAction() && !actionNames().isEmpty())
            static_cast<PointerWidget*>(widget())->Activate();
    }

private:
    const Control* Model() const { return ModelOf(widget(), control_); }
    const Control* control_;
};

// A list named by the label before it, with its value and unit: Qt's own
// takes the name from the value.
class ComboAccessible : public QAccessibleWidget {
public:
    explicit ComboAccessible(ComboView* w) : QAccessibleWidget(w, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override {
        const Control* c = Model();
        if (!c) return QAccessibleWidget::text(t);
        const Accessible a = Describe(*c);
        switch (t) {
            case QAccessible::Name: return QString::fromStdString(a.name);
            case QAccessible::Value: return QString::fromStdString(a.value);
            case QAccessible::Description: return QString::fromStdString(a.description);
            default: return QAccessibleWidget::text(t);
        }
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == Combo()->view() ? 0 : -1;
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> found;
        const Control* c = Model();
        auto* window = dynamic_cast<FormWindow*>(widget()->window());
        if (c && window && (match & QAccessible::Label)) {
            if (const Control* label = Describe(*c).labelled_by)
                if (QWidget* view = window->View(label->name()))
                    found.append({QAccessible::queryAccessibleInterface(view), QAccessible::Label});
        }
        return found;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) Combo()->showPopup();
    }

private:
    ComboView* Combo() const { return static_cast<ComboView*>(widget()); }
    const Control* Model() const { return ModelOf(widget(), Combo()->Model()); }
};

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<Announcer*>(widget())->Text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Describer(const QString&, QObject* object) {
    if (auto* w = dynamic_cast<FormWindow*>(object)) return new WindowAccessible(w);
    if (auto* w = dynamic_cast<ComboView*>(object)) return new ComboAccessible(w);
    if (auto* w = dynamic_cast<Announcer*>(object)) return new AnnouncerAccessible(w);
    if (auto* w = dynamic_cast<PointerWidget*>(object)) return new ControlAccessible(w, w->Model());
    if (auto* w = dynamic_cast<LineView*>(object))
        return new QAccessibleWidget(w, QAccessible::Separator);
    return nullptr;
}

}  // namespace

void StartAccessibility() {
    static const bool started = [] {
        QAccessible::installFactory(Describer);
        // Asking makes the platform bring its bridge up, which then joins the
        // accessibility bus while the program waits for the first reminder.
        QAccessible::isActive();
        return true;
    }();
    (void)started;
}

Announcer::Announcer(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::Say(const QString& text) {
    // Shown anew each time, so that a screen reader hears each text once.
    hide();
    text_ = text;
    show();
}

}  // namespace vz::qt
