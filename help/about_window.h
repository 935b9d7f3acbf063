// frmAbout: the About window of the Help menu. Shown modally by the caller
// (exec()); its only actions are opening the home page and closing.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "platform/platform.h"

class QFrame;

namespace tavrinel {

inline constexpr char kAboutCaption[] = "Tavrinel v1.15";
inline constexpr char kAboutText[] =
    "Tavrinel shows the rulership of the planets in the signs they are present in based on "
    "Vedic Astrology. Each planet may or may not be compatible with the sign it is present "
    "in. The placements effects the expression of the characteristics reflected by the "
    "planet.";

// The home-page link: a button to the keyboard and to assistive technology
// (Tab reaches it, Space or Return presses it, a screen reader can press it),
// drawn as an underlined link with a frame round it while it has the focus.
class LinkButton final : public QPushButton {
    Q_OBJECT
public:
    LinkButton(const QString& text, const QColor& colour, QWidget* parent = nullptr);
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
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
    LinkButton* lblHomePage;
    QFrame* Line1;
    QFrame* Line2;
    QPushButton* cmdOK;
};

}  // namespace tavrinel
