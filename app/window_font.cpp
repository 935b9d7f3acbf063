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

#include "app/wrapping_button.h"

namespace tavrinel {

namespace {

// DejaVu Sans shares Verdana's wide, open letter forms; its condensed cut
// comes closest in width, so it is preferred when installed.
constexpr const char* kFamilies[] = {"Verdana", "DejaVu Sans Condensed", "DejaVu Sans"};

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
    const QSize text = QFontMetrics(font).size(Qt::TextShowMnemonic, button.text());
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
    const QFontMetrics metrics(font);
    for (int i = 0; i < combo.count(); ++i) {
        if (metrics.horizontalAdvance(combo.itemText(i)) > field.width()) {
            return false;
        }
    }
    return metrics.height() <= field.height();
}

}  // namespace

QString PickWindowFontFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const char* family : kFamilies) {
        if (installed.contains(QLatin1String(family), Qt::CaseInsensitive)) {
            return QLatin1String(family);
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont WindowFont(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

bool CaptionFits(const QWidget& widget, const QFont& font) {
    const QFontMetrics metrics(font);
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect room = label->contentsRect();
        return FitsIn(metrics.boundingRect(room, flags, label->text()).size(), room);
    }
    if (const auto* button = qobject_cast<const WrappingButton*>(&widget)) {
        const QRect room = ButtonTextRoom(*button);
        const int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
        return FitsIn(metrics.boundingRect(room, flags, button->text()).size(), room);
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
                     bool bold) {
    for (int size = kDesignPixelSize; size > kSmallestPixelSize; --size) {
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
