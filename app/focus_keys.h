// Keyboard habits desktop users expect that the widgets do not have here on
// their own: Tab enters a group of option buttons on the selected one, and
// Return presses a focused button as Space does.
#pragma once

#include <initializer_list>

class QAbstractButton;
class QRadioButton;

namespace tavrinel {

// Only the selected button of the group takes the focus by Tab (all of them
// while none is selected); the arrow keys still move within the group.
// The order of the tab chain is not changed.
void TabToSelectedOption(std::initializer_list<QRadioButton*> group);

// Return and Enter on the focused button click it.
void PressOnReturn(QAbstractButton& button);

}  // namespace tavrinel
