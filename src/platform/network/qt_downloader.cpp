#include "platform/network/qt_downloader.h"
#include "platform/atomic_file.h"
#include "platform/text_body.h"

#include <QCoreApplication>
#include <QEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace tinctora::platform::network {

namespace {

DownloadOutcome failed(const QString& why) {
    return {DownloadOutcome::Status::Failed, why};
}

// Replaces the local copy in one step, as a palette is saved: a failed write leaves the previous
// copy as it was.
DownloadOutcome store(const QByteArray& body, const QString& localPath) {
    QString why;
    if (!writeFileAtomically(
            localPath, std::string_view(body.constData(), static_cast<std::size_t>(body.size())),
            &why))
        return failed("cannot write " + localPath + ": " + why);
    return {DownloadOutcome::Status::Stored, {}};
}

// Whether a finished reply may be stored; the reason when not.
QString refusalOf(QNetworkReply& reply) {
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return reply.error() != QNetworkReply::NoError ? reply.errorString() : "not an HTTP reply";
    const int code = status.toInt();
    // The version file is trusted only from the address asked for, so no redirect is followed.
    if (code >= 300 && code < 400)
        return QString("redirected (HTTP %1) to %2")
            .arg(code)
            .arg(reply.header(QNetworkRequest::LocationHeader).toString());
    if (code < 200 || code >= 300)
        return QString("HTTP %1").arg(code);
    if (reply.error() != QNetworkReply::NoError)
        return reply.errorString();
    return {};
}

// Keeps the user's mouse and key input away from every window while it lives; painting, timers
// and the network go on. Only what comes from the window system is held back, as a modal wait
// would.
class UserInputBlock final : public QObject {
public:
    UserInputBlock() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (!event->spontaneous())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
        }
    }
};

// One download from start to outcome. It belongs to the application, so that a transfer still
// running when the program ends goes with it (and then reports nothing).
class Transfer final : public QObject {
public:
    Transfer(const QUrl& url, QString localPath, int timeoutMs, bool keepUserInputOut,
             std::function<void(DownloadOutcome)> done)
        : QObject(QCoreApplication::instance()), localPath_(std::move(localPath)),
          timeoutMs_(timeoutMs), done_(std::move(done)) {
        if (keepUserInputOut)
            block_ = std::make_unique<UserInputBlock>();
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::ManualRedirectPolicy);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
        reply_.reset(manager_.get(request));

        deadline_.setSingleShot(true);
        deadline_.setTimerType(Qt::PreciseTimer);
        connect(&deadline_, &QTimer::timeout, this, [this] {
            timedOut_ = true;
            reply_->abort();
        });
        // The size is checked as announced and again as the bytes arrive: a server need not
        // announce it, nor tell the truth.
        connect(reply_.get(), &QNetworkReply::metaDataChanged, this, [this] {
            const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > Downloader::kMaxBytes)
                refuse(QString("the reply announces %1 bytes").arg(length.toLongLong()));
        });
        connect(reply_.get(), &QNetworkReply::readyRead, this, &Transfer::take);
        connect(reply_.get(), &QNetworkReply::finished, this, &Transfer::finish);
        deadline_.start(timeoutMs_);
    }

private:
    void refuse(const QString& why) {
        if (refused_.isEmpty())
            refused_ = why;
        reply_->abort();
    }
    void take() {
        body_ += reply_->read(Downloader::kMaxBytes + 1 - body_.size());
        if (body_.size() > Downloader::kMaxBytes)
            refuse("the reply is larger than 64 KiB");
    }
    DownloadOutcome outcome() {
        if (timedOut_)
            return {DownloadOutcome::Status::TimedOut,
                    QString("no complete reply within %1 ms").arg(timeoutMs_)};
        if (!refused_.isEmpty())
            return failed(refused_);
        if (const QString why = refusalOf(*reply_); !why.isEmpty())
            return failed(why);
        take();
        if (!refused_.isEmpty())
            return failed(refused_);
        if (!isTextBody(
                std::string_view(body_.constData(), static_cast<std::size_t>(body_.size()))))
            return failed("the reply is not text");
        return store(body_, localPath_);
    }
    void finish() {
        if (!done_)
            return; // a reply aborted while its outcome is made finishes again
        const std::function<void(DownloadOutcome)> done = std::move(done_);
        done_ = nullptr;
        deadline_.stop();
        block_.reset();
        const DownloadOutcome result = outcome();
        deleteLater();
        done(result);
    }

    QNetworkAccessManager manager_;
    std::unique_ptr<QNetworkReply> reply_;
    QTimer deadline_;
    std::unique_ptr<UserInputBlock> block_;
    const QString localPath_;
    const int timeoutMs_;
    std::function<void(DownloadOutcome)> done_;
    QByteArray body_;
    QString refused_;
    bool timedOut_ = false;
};

} // namespace

void QtDownloader::download(const QUrl& url, const QString& localPath, int timeoutMs,
                            bool keepUserInputOut, std::function<void(DownloadOutcome)> done) {
    new Transfer(url, localPath, timeoutMs, keepUserInputOut, std::move(done));
}

} // namespace tinctora::platform::network
