#pragma once

#include "colour/colour_value.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QMimeData;
class QPlainTextEdit;
class QPushButton;

namespace tinctora::widgets {
class ColourBox;
}

namespace tinctora::contrast {

class PairSample;

// The Contrast window: is text in one colour readable on another? Two colour fields (typed,
// picked from the frozen screen, dropped, swapped), the pair as sample text, as people with
// colour-vision deficiencies see it, and the report of colour/contrast.h, which Copy Report and
// Ctrl+C put on the clipboard. It is not modal and changes nothing outside itself; closing it
// deletes it.
class ContrastWindow : public QWidget {
    Q_OBJECT
public:
    // Hands the colour a screen pick gives to its argument; a cancelled pick calls nothing.
    using PickedColour = std::function<void(colour::ColourValue)>;
    using ScreenPicker = std::function<void(PickedColour)>;

    // Opens with `text` in the Text field (focused and selected) and white as the background.
    ContrastWindow(colour::ColourValue text, ScreenPicker pickFromScreen,
                   QWidget* parent = nullptr);

    colour::ColourValue textColour() const { return fields_[kText].colour; }
    colour::ColourValue backgroundColour() const { return fields_[kBackground].colour; }
    // The report as Copy Report puts it on the clipboard, lines ending in "\n".
    QString report() const;

    // Copy Report: the report on the clipboard and, where there is one, the primary selection.
    void copyReport();
    // Swap: the two colours change places.
    void swap();
    // The suggestion Enter takes: the nearest text passing AA, or else AAA, where it differs.
    void takeSuggestion();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr std::size_t kText = 0;
    static constexpr std::size_t kBackground = 1;

    struct Field {
        QLabel* label = nullptr;
        QLineEdit* edit = nullptr;
        widgets::ColourBox* swatch = nullptr;
        QPushButton* pick = nullptr;
        colour::ColourValue colour = 0;
        bool notAColour = false;
    };

    void buildControls(const ScreenPicker& pickFromScreen);
    void setColour(std::size_t field, colour::ColourValue colour);
    void fieldEdited(std::size_t field);
    void showPair();
    // The colour a drop carries: a colour, or a text a field accepts.
    static std::optional<colour::ColourValue> colourOfDrop(const QMimeData* data);
    std::optional<std::size_t> fieldOf(QObject* watched) const;

    std::array<Field, 2> fields_;
    QLabel* problemLine_ = nullptr; // which field is not a colour
    PairSample* sample_ = nullptr;  // the pair as normal, large bold text and a UI shape
    std::array<PairSample*, 4> visionSamples_{}; // the pair as each colour vision sees it
    QPlainTextEdit* reportView_ = nullptr;
    QPushButton* swapButton_ = nullptr;       // "&Swap"
    QPushButton* copyReportButton_ = nullptr; // "Copy &Report"
    // "Use #767676 for AA", "Use #595959 for AAA": take that suggestion as the text.
    std::array<QPushButton*, 2> suggestionButtons_{};
    std::array<std::optional<colour::ColourValue>, 2> suggestions_{};
};

} // namespace tinctora::contrast
