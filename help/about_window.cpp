#include "help/about_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "help/program_icon.h"
#include "help/web_links.h"

namespace tavrinel {

namespace {

constexpr int kIconSize = 64;
constexpr int kTextWidth = 380;  // pixels; keeps Label1 to a few comfortable lines
constexpr int kTitlePointSize = 14;
constexpr int kTextPointSize = 9;
const QColor kLinkColour(192, 31, 120);  // the main window's magenta
constexpr int kLinkPadding = 3;  // pixels between the link's text and its focus frame

// Verdana where it is installed, else the system's sans-serif.
QFont VerdanaFont(int pointSize, bool bold) {
    QFont font(QStringList{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QFrame* MakeLine(const QString& name, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

LinkButton::LinkButton(const QString& text, const QColor& colour, QWidget* parent)
    : QPushButton(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setFlat(true);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::ButtonText, colour);
    setPalette(linkPalette);
}

QSize LinkButton::sizeHint() const {
    const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
    return text + QSize(2 * kLinkPadding, 2 * kLinkPadding);
}

void LinkButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect room = rect().adjusted(kLinkPadding, kLinkPadding, -kLinkPadding, -kLinkPadding);
    painter.drawText(room.translated(isDown() ? 1 : 0, isDown() ? 1 : 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
    if (hasFocus()) {
        // A line in the link's own colour all round: the style's dotted
        // outline is faint beside coloured text.
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

frmAbout::frmAbout(WebService& web, QWidget* parent) : QDialog(parent), web_(web) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromLatin1(kAboutCaption));
    setWindowIcon(ProgramIcon());
    setModal(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(ProgramIconPixmap(kIconSize));
    picIcon->setFixedSize(kIconSize, kIconSize);

    Label2 = new QLabel(QString::fromLatin1(kAboutCaption), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(VerdanaFont(kTitlePointSize, true));

    Line1 = MakeLine(QStringLiteral("Line1"), this);

    Label1 = new QLabel(QString::fromLatin1(kAboutText), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(VerdanaFont(kTextPointSize, false));
    Label1->setWordWrap(true);
    Label1->setFixedWidth(kTextWidth);

    lblHomePage = new LinkButton(
        QStringLiteral("Click here to visit us at %1").arg(QString::fromLatin1(kHomePageAddress)),
        kLinkColour, this);
    lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
    QFont linkFont = VerdanaFont(kTextPointSize, false);
    linkFont.setUnderline(true);
    lblHomePage->setFont(linkFont);
    lblHomePage->setToolTip(QString::fromLatin1(kHomePageAddress));
    lblHomePage->setAccessibleDescription(QStringLiteral("Opens the home page in your browser"));
    connect(lblHomePage, &QPushButton::clicked, this, [this] { OpenHomePage(web_); });

    // The atlas's data asks for this credit (CC BY 4.0).
    auto* lblCredits = new QLabel(
        QStringLiteral("The atlas of places is GeoNames data (geonames.org), licensed under "
                       "CC BY 4.0; time zones come from the IANA time-zone database."),
        this);
    lblCredits->setObjectName(QStringLiteral("lblCredits"));
    lblCredits->setFont(VerdanaFont(kTextPointSize, false));
    lblCredits->setWordWrap(true);
    lblCredits->setFixedWidth(kTextWidth);

    Line2 = MakeLine(QStringLiteral("Line2"), this);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setAccessibleDescription(QStringLiteral("Closes this window"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* heading = new QHBoxLayout;
    heading->setSpacing(16);
    heading->addWidget(picIcon);
    heading->addWidget(Label2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(12);
    layout->addLayout(heading);
    layout->addWidget(Line1);
    layout->addWidget(Label1);
    layout->addWidget(lblHomePage, 0, Qt::AlignLeft);
    layout->addWidget(lblCredits);
    layout->addWidget(Line2);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    cmdOK->setFocus();
}

}  // namespace tavrinel
