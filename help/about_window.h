// frmAbout: the About window of the Help menu. Shown modally by the caller
// (exec()); its only actions are opening the home page and closing.
#pragma once

#include <QDialog>
#include <QLabel>

#include "platform/platform.h"

class QFrame;
class QPushButton;

namespace tavrinel {

inline constexpr char kAboutCaption[] = "Tavrinel v1.15";
inline constexpr char kAboutText[] =
    "Tavrinel shows the rulership of the planets in the signs they are present in based on "
    "Vedic Astrology. Each planet may or may not be compatible with the sign it is present "
    "in. The placements effects the expression of the characteristics reflected by the "
    "planet.";

// A label that acts like a link: a click, or Space or Enter while it has the
// focus, emits clicked().
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class frmAbout final : public QDialog {
    Q_OBJECT
public:
    // The web service must outlive the window.
    explicit frmAbout(WebService& web, QWidget* parent = nullptr);

private:
    WebService& web_;
    QLabel* picIcon;
    QLabel* Label2;
    QLabel* Label1;
    ClickableLabel* lblHomePage;
    QFrame* Line1;
    QFrame* Line2;
    QPushButton* cmdOK;
};

}  // namespace tavrinel
