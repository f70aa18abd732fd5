// Live sampling, the hot keys, and the Start and Stop buttons of the main window.
#include "app/Form1.h"
#include "capture/capture_texts.h"
#include "capture/hotkey_poll.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace tinctora::app {

using capture::kCaptured;
using capture::kPressF2;
using capture::kPressF3;
using capture::kPressF4;

namespace {

void setCaption(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

void setText(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
}

} // namespace

void Form1::colourReadOut(capture::ColourValue v, const QString& decimalText) {
    Picture1->setBackColor(v);
    setCaption(Label1, decimalText);
    setCaption(Label2, QString::fromLatin1(capture::hexText(v)));
    const capture::RgbComponents rgb = capture::rgbComponents(v);
    setText(Text4, QString::number(rgb.red));
    setText(Text5, QString::number(rgb.green));
    setText(Text6, QString::number(rgb.blue));
    setCaption(Label3, QString::fromLatin1(capture::rgbTripleText(rgb)));
    setText(Text1, Label1->text());
    setText(Text2, Label2->text());
    setText(Text3, Label3->text());
}

void Form1::Timer1_Timer() {
    // One pointer read and one pixel read per tick: every field shows the same pixel, so the
    // decimal text an add stores always matches the swatch colour it paints.
    setCaption(Label9, QString());
    const std::optional<platform::ScreenPoint> where = platform.pointer.position();
    if (!where)
        return;
    const capture::ColourValue c = platform.pixels.pixelAt(*where);
    // A pixel that cannot be read is no colour: the panel keeps the last good one.
    if (c == capture::kNoColour)
        return;
    const QString decimal = QString::fromLatin1(capture::paddedDecimalText(c));
    if (Picture1->backColor() == c && Text1->text() == decimal)
        return; // nothing on screen would change
    colourReadOut(c, decimal);
}

void Form1::Timer2_Timer() {
    using platform::HotKey;
    capture::HotKeyReadings keys;
    keys.f2DownOrPressedSincePrevious = platform.keys.downOrPressedSincePrevious(HotKey::F2);
    keys.f4DownOrPressedSincePrevious = platform.keys.downOrPressedSincePrevious(HotKey::F4);
    keys.f3DownOrPressedSincePrevious = platform.keys.downOrPressedSincePrevious(HotKey::F3);
    const capture::CaptureState state{Timer1->isActive(), Label8->text() == kPressF3, f2Armed,
                                      f3Armed, f4Armed};

    const capture::HotKeyDecision decision = capture::decideHotKeys(keys, state);
    switch (decision.action) {
    case capture::CaptureAction::Freeze:
        setCaption(Label8, kPressF3);
        setCaption(Label9, kCaptured);
        Timer1->stop();
        setCaption(Label10, QString());
        break;
    case capture::CaptureAction::Resume:
        Timer1->start();
        setCaption(Label10, kPressF2);
        setCaption(Label8, kPressF4);
        break;
    case capture::CaptureAction::None:
        break;
    }
    if (decision.addAfterFreeze)
        setcolor();
    if (decision.addForF2)
        setcolor();
    f2Armed = decision.f2ArmedAfter;
    f3Armed = decision.f3ArmedAfter;
    f4Armed = decision.f4ArmedAfter;
}

void Form1::Command1_Click() {
    setCaption(Label8, kPressF4);
    if (!Timer1->isActive())
        Timer1->start();
    setCaption(Label10, kPressF2);
}

void Form1::Command3_Click() {
    setCaption(Label8, kPressF3);
    Timer1->stop();
    setCaption(Label10, QString());
    setCaption(Label9, kCaptured);
}

} // namespace tinctora::app
