#include "app/list_rows.h"

#include <QComboBox>

namespace tavrinel {

namespace {

// A mark the program's style reads, rather than a style of the list's own:
// giving one widget a style polishes it again and builds its popup at once,
// a noticeable part of the window's start for a list that may never open.
constexpr const char* kScrollingListProperty = "tavrinelScrollingList";

}  // namespace

void LimitOpenListRows(QComboBox& list, int rows) {
    list.setProperty(kScrollingListProperty, true);
    list.setMaxVisibleItems(rows);
}

bool OpensAsScrollingList(const QWidget* widget) {
    return widget && widget->property(kScrollingListProperty).toBool();
}

}  // namespace tavrinel
