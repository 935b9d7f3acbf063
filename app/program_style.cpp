#include "app/program_style.h"

#include <QGuiApplication>
#include <QPointer>
#include <QStyleOption>

#include "help/deferred_icon.h"

namespace tavrinel {

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton) {
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    // The arrow points by the direction in force now, as it would have.
    const Qt::LayoutDirection direction =
        option ? option->direction : QGuiApplication::layoutDirection();
    return DeferredIcon([style = QPointer<QStyle>(baseStyle()),
                         asker = QPointer<const QWidget>(widget), icon, direction] {
        if (!style) {
            return QIcon();
        }
        QStyleOption made;
        made.direction = direction;
        return style->standardIcon(icon, &made, asker.data());
    });
}

}  // namespace tavrinel
