#pragma once

#include "fakes/fake_screen_grab.h"
#include "platform/platform.h"

#include <QRect>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

// Fakes of every platform interface: tests set the pointer, paint the screen, press keys and
// queue the user's answers to dialogs, then read back what the program asked of the platform.
namespace tinctora::platform::fake {

class FakePointer final : public Pointer {
public:
    std::optional<ScreenPoint> at = ScreenPoint{0, 0};
    int reads = 0;
    std::optional<ScreenPoint> position() override {
        ++reads;
        return at;
    }
};

class FakeScreen final : public ScreenPixels {
public:
    // Every pixel not painted has this colour; kNoColour makes the whole screen unreadable.
    colour::ColourValue background = 0;
    std::map<std::pair<int, int>, colour::ColourValue> painted;
    int reads = 0;
    void paint(ScreenPoint p, colour::ColourValue c) { painted[{p.x, p.y}] = c; }
    colour::ColourValue pixelAt(ScreenPoint p) override;
};

// A keyboard. By default it sends its changes as events, as the X11 backend with XInput2 does:
// press(), release() and tap() are each one batch, together() presses keys in one batch. With
// mode = Polling it sends nothing and the program polls; tap() is then a press and release
// that both happen between two polls.
class FakeKeys final : public KeyState {
public:
    Delivery mode = Delivery::Events;
    void press(HotKey key);
    void release(HotKey key);
    void tap(HotKey key);
    void together(const KeyBatch& batch);
    // Someone listens for key events.
    bool heard() const { return static_cast<bool>(listener_); }

    Delivery delivery() const override { return mode; }
    void listen(std::function<void(const KeyBatch&)> listener) override;
    bool isDown(HotKey key) override;
    bool downOrPressedSincePrevious(HotKey key) override;

private:
    std::map<HotKey, bool> down_;
    std::map<HotKey, bool> pressedSince_;
    std::function<void(const KeyBatch&)> listener_;
};

class FakeWindowLayer final : public WindowLayer {
public:
    bool topmost = false;
    std::vector<bool> calls; // every setTopmost, in order
    void setTopmost(QWidget* window, bool on) override;
};

class FakeShellOpen final : public ShellOpen {
public:
    OpenOutcome outcome = OpenOutcome::HandedOver;
    // When set, the outcome is not given at once: the last request's `done` waits in
    // unanswered, as it would while the desktop is still busy.
    bool answerLater = false;
    std::function<void(OpenOutcome)> unanswered;
    QStringList opened;
    void open(const QString& fileOrAddress, std::function<void(OpenOutcome)> done) override {
        opened << fileOrAddress;
        if (answerLater)
            unanswered = std::move(done);
        else
            done(outcome);
    }
};

class FakeDownloader final : public Downloader {
public:
    struct Call {
        QUrl url;
        QString localPath;
        int timeoutMs;
        bool keepUserInputOut;
    };
    // Called for each download, whose outcome it gives at once; by default the download writes
    // `body` to the local path and reports Stored.
    std::function<DownloadOutcome(const Call&)> respond;
    QByteArray body = "1.1\r\n";
    // When set (and respond is not), every download is made by this one instead, and still
    // recorded.
    Downloader* forwardTo = nullptr;
    std::vector<Call> calls;
    void download(const QUrl& url, const QString& localPath, int timeoutMs, bool keepUserInputOut,
                  std::function<void(DownloadOutcome)> done) override;
};

// Answers queued by the test, taken in order; a dialog with no queued answer is a test failure
// reported through unexpected.
class FakeDialogs final : public Dialogs {
public:
    struct Message {
        QString text;
        QString title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    struct FileRequest {
        QString title;
        QString folder;
        QString filter;
        bool save;
    };
    std::deque<MessageAnswer> messageAnswers;
    std::deque<QString> fileAnswers;               // "" is Cancel
    std::deque<colour::ColourValue> colourAnswers; // kNoColour is Cancel
    std::vector<Message> messages;
    std::vector<FileRequest> fileRequests;
    std::vector<colour::ColourValue> colourInitials;
    std::vector<std::vector<colour::ColourValue>> colourCustoms;
    QStringList unexpected;
    // Called while a dialog is "open", e.g. to check the window's topmost state meanwhile.
    std::function<void()> whileOpen;

    MessageAnswer message(QWidget* parent, const QString& text, const QString& title,
                          MessageButtons buttons, MessageIcon icon) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    colour::ColourValue chooseColour(colour::ColourValue initial,
                                     const colour::ColourValue (&customColours)[16]) override;
};

// Monitors and their display profiles, as a desktop publishes them: a point on no listed monitor
// has none. The bytes are handed out shared, as a backend keeps them.
class FakeDisplayProfiles final : public DisplayProfiles {
public:
    struct Monitor {
        QRect rect;
        std::optional<QByteArray> profile; // nothing: the monitor has no display profile
    };
    std::vector<Monitor> monitors;
    int reads = 0;
    MonitorProfile profileAt(ScreenPoint p) override;
};

// All fakes together, ready to hand to a window.
struct FakePlatform {
    FakePointer pointer;
    FakeScreen screen;
    FakeKeys keys;
    FakeWindowLayer layer;
    FakeShellOpen shell;
    FakeDownloader downloader;
    FakeDialogs dialogs;
    FakeScreenGrabber grabber;
    FakePointerMover mover{pointer};
    FakeDisplayProfiles profiles;
    Platform platform{pointer, screen,  keys,  layer,     shell,   downloader,
                      dialogs, grabber, mover, QString(), nullptr, &profiles};
};

} // namespace tinctora::platform::fake
