#pragma once

class QWidget;

namespace forms {

// Tells assistive technology that a control which reports clicks by a clicked() signal is a
// push button: its role is a push button, it can take the focus, and its Press action is a
// click. Anything else about the control (name, description) stays as the control has it.
// A control's interface is made once, on the first question, so a control that is to become
// pressable later is made not pressable before anything asks.
void setPressable(QWidget* control, bool pressable);

// Whether assistive technology is to take the control as the one with the focus: a window
// that moves its own mark over its controls, instead of the keyboard focus, says so here.
void setMarked(QWidget* control, bool marked);

// Makes assistive technology see only the shown controls in the container: a control that is
// hidden leaves its tree, and comes back when it is shown. Like setPressable, before anything
// asks.
void setShownChildrenOnly(QWidget* container);

// Makes assistive technology get the places of the window's controls in the screen's pixels
// whatever the window's scale, as magnifiers and mouse review expect. Holds for the controls
// made pressable or shown-only above and for plain widgets; controls with an interface of
// Qt's own (buttons, labels, lists) keep it. Before anything asks, like setPressable.
void setScreenPixels(QWidget* window);

} // namespace forms
