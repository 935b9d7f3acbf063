// How many rows a drop-down list shows when it is opened.
#pragma once

class QComboBox;
class QWidget;

namespace tavrinel {

// At most `rows` rows, with a scroll bar for the rest. Styles that open a
// list like a menu, as tall as the screen allows, are told not to for this
// list alone (by the program's style, which asks OpensAsScrollingList); the
// list keeps the style's look otherwise.
void LimitOpenListRows(QComboBox& list, int rows);

// Whether `widget` is a list LimitOpenListRows was given.
bool OpensAsScrollingList(const QWidget* widget);

}  // namespace tavrinel
