#include "forms/Pressable.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace forms {

namespace {

const char* const kPressable = "forms.pressable";
const char* const kMarked = "forms.marked";
const char* const kShownOnly = "forms.shownChildrenOnly";
const char* const kScreenPixels = "forms.screenPixels";

// Qt's AT-SPI bridge hands a control's place on as Qt keeps it, in device-independent pixels,
// while a magnifier or mouse review reads and points in the screen's own: at a scale of 2 every
// place would be half of what it is. On X11 the platform's pixels are the screen's, so the
// window's pixel ratio is all of the scaling; elsewhere the place is left as Qt has it.
QRect inScreenPixels(const QWidget* w, const QRect& rect)
{
    const QWindow* window = w->window()->windowHandle();
    if (rect.isNull() || !window || !window->screen() || QGuiApplication::platformName() != QLatin1String("xcb"))
        return rect;
    const qreal ratio = window->devicePixelRatio();
    // The screen's corner is where both kinds of pixel agree.
    const QPoint corner = window->screen()->geometry().topLeft();
    const QPoint from = rect.topLeft() - corner;
    return {corner.x() + qRound(from.x() * ratio), corner.y() + qRound(from.y() * ratio), qRound(rect.width() * ratio),
            qRound(rect.height() * ratio)};
}

class ControlInterface : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QRect rect() const override { return inScreenPixels(widget(), QAccessibleWidget::rect()); }
};

class ShownChildrenInterface : public ControlInterface {
public:
    explicit ShownChildrenInterface(QWidget* w)
        : ControlInterface(w)
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
class PressableInterface : public ControlInterface {
public:
    explicit PressableInterface(QWidget* w)
        : ControlInterface(w)
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

QAccessibleInterface* makeInterface(const QString& className, QObject* object)
{
    auto* w = qobject_cast<QWidget*>(object);
    if (w && w->property(kPressable).isValid())
        return new PressableInterface(w);
    if (w && w->property(kShownOnly).toBool())
        return new ShownChildrenInterface(w);
    // Qt asks with each class from the object's own down to QObject, so a control reaches
    // "QWidget" only when no class of Qt's above it (a button, a label) has answered: what
    // would be a plain widget's interface becomes one that tells its place in screen pixels.
    if (w && className == QLatin1String("QWidget") && w->window()->property(kScreenPixels).toBool())
        return new ControlInterface(w);
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

void setScreenPixels(QWidget* window)
{
    installFactory();
    window->setProperty(kScreenPixels, true);
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
