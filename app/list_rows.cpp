#include "app/list_rows.h"

#include <QComboBox>
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

void LimitOpenListRows(QComboBox& list, int rows) {
    auto* style = new ScrollingListStyle;
    style->setParent(&list);
    list.setStyle(style);
    list.setMaxVisibleItems(rows);
}

}  // namespace tavrinel
