#include "platform/network/qt_downloader.h"
#include "platform/text_body.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

#include <memory>

namespace tinctora::platform::network {

namespace {

DownloadOutcome failed(const QString& why) {
    return {DownloadOutcome::Status::Failed, why};
}

// Replaces the local copy in one step: a failed write leaves the previous copy as it was.
DownloadOutcome store(const QByteArray& body, const QString& localPath) {
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return failed("cannot write " + localPath + ": " + file.errorString());
    if (file.write(body) != body.size()) {
        file.cancelWriting();
        return failed("cannot write " + localPath + ": " + file.errorString());
    }
    if (!file.commit())
        return failed("cannot write " + localPath + ": " + file.errorString());
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

} // namespace

DownloadOutcome QtDownloader::download(const QUrl& url, const QString& localPath, int timeoutMs,
                                       bool keepUserInputOut) {
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QEventLoop loop;
    QByteArray body;
    QString refused;
    bool timedOut = false;
    const auto refuse = [&](const QString& why) {
        if (refused.isEmpty())
            refused = why;
        reply->abort();
    };
    const auto take = [&] {
        body += reply->read(kMaxBytes + 1 - body.size());
        if (body.size() > kMaxBytes)
            refuse("the reply is larger than 64 KiB");
    };

    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    // The size is checked as announced and again as the bytes arrive: a server need not
    // announce it, nor tell the truth.
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kMaxBytes)
            refuse(QString("the reply announces %1 bytes").arg(length.toLongLong()));
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);

    if (!reply->isFinished()) {
        deadline.start(timeoutMs);
        loop.exec(keepUserInputOut ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    }
    if (!reply->isFinished()) {
        // The application is quitting and has ended every event loop.
        reply->abort();
        return failed("the transfer was interrupted");
    }
    if (timedOut)
        return {DownloadOutcome::Status::TimedOut,
                QString("no complete reply within %1 ms").arg(timeoutMs)};
    if (!refused.isEmpty())
        return failed(refused);
    if (const QString why = refusalOf(*reply); !why.isEmpty())
        return failed(why);
    take();
    if (!refused.isEmpty())
        return failed(refused);
    if (!isTextBody(std::string_view(body.constData(), static_cast<std::size_t>(body.size()))))
        return failed("the reply is not text");
    return store(body, localPath);
}

} // namespace tinctora::platform::network
