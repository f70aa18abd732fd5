#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace tinctora::app {

QString instanceChannelName(const QString& canonicalFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(canonicalFolder.toUtf8(), QCryptographicHash::Sha256);
    return "tinctora-" + QString::fromLatin1(hash.toHex().left(24));
}

SingleInstance::SingleInstance(QString paletteFolder) : folder_(std::move(paletteFolder)) {}

SingleInstance::~SingleInstance() = default;

SingleInstance::Claim SingleInstance::claim() {
    if (!QDir().mkpath(folder_)) {
        problem_ = "the folder cannot be made";
        return claim_ = Claim::Unguarded;
    }
    const QString name = instanceChannelName(QFileInfo(folder_).canonicalFilePath());
    lock_ = std::make_unique<QLockFile>(folder_ + '/' + kLockFileName);
    // A copy may run for weeks: only a lock whose process is gone is stale, never an old one.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        if (!channel_.listen(name, &problem_)) {
            // The folder is still guarded; only a later start cannot reach this window.
            problem_ = "later starts cannot reach this window: " + problem_;
        }
        return claim_ = Claim::Claimed;
    }
    if (lock_->error() == QLockFile::LockFailedError)
        return claim_ = platform::InstanceChannel::call(name, kCallTimeoutMs) ? Claim::OtherRaised
                                                                              : Claim::OtherSilent;
    problem_ = lock_->error() == QLockFile::PermissionError ? "the folder cannot be written"
                                                            : "the lock file cannot be made";
    lock_.reset();
    return claim_ = Claim::Unguarded;
}

QString SingleInstance::report() const {
    const QString folder = QDir::toNativeSeparators(folder_);
    switch (claim_) {
    case Claim::Claimed:
        return problem_.isEmpty() ? QString() : problem_ + '.';
    case Claim::OtherRaised:
        return QString("Tinctora is already running with the palettes in %1; its window is "
                       "brought to the front.")
            .arg(folder);
    case Claim::OtherSilent:
        return QString("Tinctora is already running with the palettes in %1, but does not "
                       "answer; this copy ends, so that it cannot overwrite their colours.")
            .arg(folder);
    case Claim::Unguarded:
        return QString("The palettes in %1 cannot be locked (%2); a second copy started on "
                       "them could overwrite their colours when it closes.")
            .arg(folder, problem_);
    }
    return {};
}

} // namespace tinctora::app
