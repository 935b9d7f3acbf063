#include "app/window_font.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "app/colour_button.h"

namespace tavrinel {

namespace {

struct FamilyChoice {
    const char* Family;
    int CaptionPixelSize;  // largest bold size at which the captions fit
};

// DejaVu Sans shares Verdana's wide, open letter forms; its condensed cut
// comes closest in width, so it is preferred when installed. Both run wider
// than Verdana, so their captions start smaller; the sizes are checked at
// start all the same, and a smaller one taken if a caption does not fit.
constexpr FamilyChoice kFamilies[] = {
    {"Verdana", kDesignPixelSize},
    {"DejaVu Sans Condensed", 10},
    {"DejaVu Sans", 9},
};

// Entries this many characters shorter than the longest of their list are
// not measured: they cannot be the widest.
constexpr qsizetype kEntryLengthSlack = 4;

bool FitsIn(const QSize& needed, const QRect& room) {
    return needed.width() <= room.width() && needed.height() <= room.height();
}

bool IndicatorCaptionFits(const QAbstractButton& button, const QFont& font, bool radio) {
    const QStyle* style = button.style();
    const int indicator = style->pixelMetric(
        radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, &button);
    const int spacing = style->pixelMetric(
        radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr,
        &button);
    const QSize text = QFontMetrics(font, &button).size(Qt::TextShowMnemonic, button.text());
    return indicator + spacing + text.width() <= button.width() &&
           text.height() <= button.height();
}

QRect ButtonTextRoom(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
}

bool ComboEntriesFit(const QComboBox& combo, const QFont& font) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = false;
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &combo);
    const QFontMetrics metrics(font, &combo);
    qsizetype longest = 0;
    for (int i = 0; i < combo.count(); ++i) {
        longest = std::max(longest, combo.itemText(i).size());
    }
    for (int i = 0; i < combo.count(); ++i) {
        const QString entry = combo.itemText(i);
        if (entry.size() + kEntryLengthSlack >= longest &&
            metrics.horizontalAdvance(entry) > field.width()) {
            return false;
        }
    }
    return metrics.height() <= field.height();
}

}  // namespace

QString PickWindowFontFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const FamilyChoice& choice : kFamilies) {
        if (installed.contains(QLatin1String(choice.Family), Qt::CaseInsensitive)) {
            return QLatin1String(choice.Family);
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

std::optional<int> MeasuredCaptionPixelSize(const QString& family) {
    for (const FamilyChoice& choice : kFamilies) {
        if (family.compare(QLatin1String(choice.Family), Qt::CaseInsensitive) == 0) {
            return choice.CaptionPixelSize;
        }
    }
    return std::nullopt;
}


QFont WindowFont(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

bool CaptionFits(const QWidget& widget, const QFont& font) {
    // Measured for the widget's own screen, so that the font engine loaded
    // here is the one the widget paints with.
    const QFontMetrics metrics(font, &widget);
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        const QRect room = label->contentsRect();
        if (!label->wordWrap()) {
            return FitsIn(QSize(metrics.horizontalAdvance(label->text()), metrics.height()), room);
        }
        const int flags = int(label->alignment()) | Qt::TextWordWrap;
        return FitsIn(metrics.boundingRect(room, flags, label->text()).size(), room);
    }
    if (const auto* button = qobject_cast<const ColourButton*>(&widget)) {
        const QRect room = button->TextRoom();
        return FitsIn(metrics.boundingRect(room, ColourButton::kTextFlags, button->text()).size(),
                      room);
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
        return FitsIn(metrics.size(Qt::TextShowMnemonic, button->text()), ButtonTextRoom(*button));
    }
    if (const auto* radio = qobject_cast<const QRadioButton*>(&widget)) {
        return IndicatorCaptionFits(*radio, font, true);
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(&widget)) {
        return IndicatorCaptionFits(*check, font, false);
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        return metrics.horizontalAdvance(frame->title()) <= frame->width() &&
               metrics.height() <= frame->height();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        return ComboEntriesFit(*combo, font);
    }
    return true;
}

int FittingPixelSize(const std::vector<const QWidget*>& widgets, const QString& family,
                     bool bold, int largest) {
    for (int size = largest; size > kSmallestPixelSize; --size) {
        const QFont font = WindowFont(family, size, bold);
        bool fits = true;
        for (const QWidget* widget : widgets) {
            if (!CaptionFits(*widget, font)) {
                fits = false;
                break;
            }
        }
        if (fits) {
            return size;
        }
    }
    return kSmallestPixelSize;
}

}  // namespace tavrinel
