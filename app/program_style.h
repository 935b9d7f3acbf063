// The application's style: the platform's own, except that the icons a
// menu bar asks for while it is built are made only when first drawn.
#pragma once

#include <QProxyStyle>

namespace tavrinel {

class ProgramStyle final : public QProxyStyle {
public:
    // Takes `platformStyle` over: the application's style so far, which
    // honours the user's choice (-style, QT_STYLE_OVERRIDE).
    explicit ProgramStyle(QStyle* platformStyle) : QProxyStyle(platformStyle) {}

    // The menu bar's overflow button takes its icon as the bar is made, and
    // reading the picture files loads every image plugin installed; the
    // button shows only on a bar too narrow for its menus.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

}  // namespace tavrinel
