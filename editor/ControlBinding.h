#pragma once
// Binds a plain control to its widget: the widget shows the control at once and after every
// change, and the user's input on the widget goes to the control, whose rules decide which
// handler runs. Shown widgets are set quietly, so a value set from code runs its handler
// once, through the plain control only. Visibility is bound only where a handler manages it.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "editor/Controls.h"
#include "editor/FormControls.h"

namespace sonavel {

enum class Visibility { Fixed, Managed };

// Shows the control's present state with `show`, then binds it.
void BindShown(FormControl& control, std::function<void()> show);

void BindArrows(ArrowPair* widget, ArrowValue& control);
void BindCheck(QCheckBox* widget, CheckValue& control);
void BindList(ListBox* widget, ListValue& control, Visibility visibility = Visibility::Fixed);
void BindButton(QPushButton* widget, ButtonValue& control, Visibility visibility = Visibility::Fixed);
// `highlight`: the box shows the typing colour while highlighted, else white.
// A managed box takes the focus as it appears.
void BindText(TextBox* widget, TextValue& control, Visibility visibility = Visibility::Fixed, bool highlight = false);
void BindLabel(QLabel* widget, TextValue& control);
void BindCaption(FrameBox* widget, TextValue& control);
void BindFiles(QListWidget* widget, FileListValue& control);

}  // namespace sonavel
