#include "fakes/fake_platform.h"

#include <QFile>

namespace tinctora::platform::fake {

colour::ColourValue FakeScreen::pixelAt(ScreenPoint p) {
    ++reads;
    const auto found = painted.find({p.x, p.y});
    return found != painted.end() ? found->second : background;
}

MonitorProfile FakeDisplayProfiles::profileAt(ScreenPoint p) {
    ++reads;
    for (const Monitor& monitor : monitors)
        if (monitor.rect.contains(p.x, p.y))
            return monitor.profile ? MonitorProfile{MonitorProfile::Status::Found, *monitor.profile}
                                   : MonitorProfile{};
    return {};
}

void FakeKeys::press(HotKey key) {
    together({{key, true}});
}

void FakeKeys::release(HotKey key) {
    together({{key, false}});
}

void FakeKeys::tap(HotKey key) {
    together({{key, true}, {key, false}});
}

void FakeKeys::together(const KeyBatch& batch) {
    for (const KeyChange& change : batch) {
        down_[change.key] = change.down;
        if (change.down)
            pressedSince_[change.key] = true;
    }
    if (mode == Delivery::Events && listener_)
        listener_(batch);
}

void FakeKeys::listen(std::function<void(const KeyBatch&)> listener) {
    listener_ = std::move(listener);
}

bool FakeKeys::isDown(HotKey key) {
    return down_[key];
}

bool FakeKeys::downOrPressedSincePrevious(HotKey key) {
    const bool result = down_[key] || pressedSince_[key];
    pressedSince_[key] = false;
    return result;
}

void FakeWindowLayer::setTopmost(QWidget*, bool on) {
    topmost = on;
    calls.push_back(on);
}

void FakeDownloader::download(const QUrl& url, const QString& localPath, int timeoutMs,
                              bool keepUserInputOut, std::function<void(DownloadOutcome)> done) {
    const Call call{url, localPath, timeoutMs, keepUserInputOut};
    calls.push_back(call);
    if (respond) {
        done(respond(call));
        return;
    }
    if (forwardTo) {
        forwardTo->download(url, localPath, timeoutMs, keepUserInputOut, std::move(done));
        return;
    }
    QFile file(localPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size()) {
        done({DownloadOutcome::Status::Failed, "cannot write the local copy"});
        return;
    }
    done({DownloadOutcome::Status::Stored, {}});
}

MessageAnswer FakeDialogs::message(QWidget*, const QString& text, const QString& title,
                                   MessageButtons buttons, MessageIcon icon) {
    messages.push_back({text, title, buttons, icon});
    if (whileOpen)
        whileOpen();
    if (messageAnswers.empty()) {
        if (buttons != MessageButtons::Ok)
            unexpected << "message without a queued answer: " + text;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

namespace {

QString takeFile(std::deque<QString>& answers, QStringList& unexpected, const QString& title) {
    if (answers.empty()) {
        unexpected << "file dialog without a queued answer: " + title;
        return {};
    }
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

QString FakeDialogs::openFileName(QWidget*, const QString& title, const QString& folder,
                                  const QString& filter) {
    fileRequests.push_back({title, folder, filter, false});
    if (whileOpen)
        whileOpen();
    return takeFile(fileAnswers, unexpected, title);
}

QString FakeDialogs::saveFileName(QWidget*, const QString& title, const QString& folder,
                                  const QString& filter) {
    fileRequests.push_back({title, folder, filter, true});
    if (whileOpen)
        whileOpen();
    return takeFile(fileAnswers, unexpected, title);
}

colour::ColourValue FakeDialogs::chooseColour(colour::ColourValue initial,
                                              const colour::ColourValue (&customColours)[16]) {
    colourInitials.push_back(initial);
    colourCustoms.emplace_back(std::begin(customColours), std::end(customColours));
    if (whileOpen)
        whileOpen();
    if (colourAnswers.empty()) {
        unexpected << "colour dialog without a queued answer";
        return colour::kNoColour;
    }
    const colour::ColourValue answer = colourAnswers.front();
    colourAnswers.pop_front();
    return answer;
}

} // namespace tinctora::platform::fake
