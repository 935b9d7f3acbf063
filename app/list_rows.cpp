#include "app/list_rows.h"

#include <QProxyStyle>

namespace tavrinel {

namespace {

class ScrollingListStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

void ScrollingList::showPopup() {
    // Given as the window is built, a style of the list's own would polish
    // it again and build its popup at once, a noticeable part of the start
    // for a list that may never be opened.
    if (!styled_) {
        styled_ = true;
        auto* style = new ScrollingListStyle;
        style->setParent(this);
        setStyle(style);
    }
    QComboBox::showPopup();
}

}  // namespace tavrinel
