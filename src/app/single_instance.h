#pragma once

#include "platform/instance_channel.h"

#include <QString>

#include <memory>

class QLockFile;

namespace tinctora::app {

// One copy of the program per palette folder. Two copies on one folder would each write
// default.ini at their close, and the one closed last would drop, without a word, what the
// other stored. A later start on the same folder therefore asks the running copy to bring its
// window to the front and ends; copies with palette folders of their own run side by side.
//
// The folder holds a lock file while its copy runs; a lock left by a copy that was killed is
// taken over, since its process is gone.
class SingleInstance {
public:
    enum class Claim {
        Claimed,     // this copy owns the folder and answers later starts
        OtherRaised, // another copy owns it and was asked to come to the front
        OtherSilent, // another copy owns it but did not answer
        Unguarded,   // the folder cannot hold the lock (not made, read-only): this copy runs
    };

    // paletteFolder: made here when missing, since it holds the lock.
    explicit SingleInstance(QString paletteFolder);
    ~SingleInstance();

    Claim claim();
    // A line for standard error about the outcome of claim(); empty for Claimed.
    QString report() const;

    // Emits called() when a later start on this folder asks for the window.
    platform::InstanceChannel& channel() { return channel_; }

    static constexpr const char* kLockFileName = ".tinctora.lock";
    static constexpr int kCallTimeoutMs = 5000;

private:
    const QString folder_;
    std::unique_ptr<QLockFile> lock_;
    platform::InstanceChannel channel_;
    Claim claim_ = Claim::Unguarded;
    QString problem_; // why the folder could not be locked
};

// The name a copy answers under: made from the folder's canonical path, so that every way of
// naming the folder (a link, "..") gives the same name, and short enough for any system.
QString instanceChannelName(const QString& canonicalFolder);

} // namespace tinctora::app
