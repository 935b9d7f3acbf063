// Names and descriptions for assistive technology: a screen reader reads a
// text box's neighbouring caption only if the box is told what it is.
#pragma once

class QWidget;

namespace tavrinel {

// Gives every control of the window (found by object name) the caption a
// sighted user reads beside it and a one-line description of what it takes.
void DescribeControls(QWidget& window);

}  // namespace tavrinel
