// How many rows a drop-down list shows when it is opened.
#pragma once

#include <QComboBox>

namespace tavrinel {

// A drop-down list that opens as at most maxVisibleItems() rows with a
// scroll bar for the rest. Styles that open a list like a menu, as tall as
// the screen allows, are told not to for this list alone; the list keeps the
// style's look otherwise. It has no meta-object of its own, so assistive
// technology and styles see the QComboBox it was before.
class ScrollingList final : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override;

private:
    bool styled_ = false;
};

}  // namespace tavrinel
