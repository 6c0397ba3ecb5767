#include "forms/Pressable.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace forms {

namespace {

const char* const kPressable = "forms.pressable";
const char* const kMarked = "forms.marked";
const char* const kShownOnly = "forms.shownChildrenOnly";

class ShownChildrenInterface : public QAccessibleWidget {
public:
    explicit ShownChildrenInterface(QWidget* w)
        : QAccessibleWidget(w)
    {
    }

    int childCount() const override { return int(shownChildren().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> shown = shownChildren();
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(shownChildren().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> shownChildren() const
    {
        QList<QWidget*> shown;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !w->isHidden())
                shown << w;
        }
        return shown;
    }
};

// What a control looks like to assistive technology is asked afresh at each question, so a
// control may become pressable after its interface was made.
class PressableInterface : public QAccessibleWidget {
public:
    explicit PressableInterface(QWidget* w)
        : QAccessibleWidget(w)
    {
    }

    QAccessible::Role role() const override
    {
        return pressable() ? QAccessible::Button : QAccessibleWidget::role();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (pressable()) {
            s.focusable = true;
            s.focused = widget()->property(kMarked).toBool();
        }
        return s;
    }

    QStringList actionNames() const override
    {
        return pressable() ? QStringList{pressAction()} : QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        // The click comes from the event loop, as a mouse click does, and not inside the
        // assistive technology's call.
        if (pressable() && action == pressAction())
            QMetaObject::invokeMethod(widget(), "clicked", Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    bool pressable() const { return widget()->property(kPressable).toBool(); }
};

QAccessibleInterface* makeInterface(const QString&, QObject* object)
{
    auto* w = qobject_cast<QWidget*>(object);
    if (w && w->property(kPressable).isValid())
        return new PressableInterface(w);
    if (w && w->property(kShownOnly).toBool())
        return new ShownChildrenInterface(w);
    return nullptr;
}

void installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

void setPressable(QWidget* control, bool pressable)
{
    installFactory();
    control->setProperty(kPressable, pressable);
}

void setShownChildrenOnly(QWidget* container)
{
    installFactory();
    container->setProperty(kShownOnly, true);
}

void setMarked(QWidget* control, bool marked)
{
    control->setProperty(kMarked, marked);
    if (marked && control->isVisible()) {
        QAccessibleEvent focus(control, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

} // namespace forms
