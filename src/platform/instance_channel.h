#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace tinctora::platform {

// Lets a later start of the program reach the copy that is already running, by a name both
// make from what they share. Nothing of it outlives the process, also after a kill -9: on Linux
// a socket in the abstract namespace, which needs no file (posix/); on Windows a named pipe
// (win32/). Each user has names of their own.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    // Answers calls under the name from now on, from the event loop; false when it cannot, with
    // the reason in *reason when it is given.
    bool listen(const QString& name, QString* reason = nullptr);

    // Calls the copy that listens under the name and waits up to timeoutMs for its answer (it
    // may still be starting); true once it has answered. Where the desktop needs it, the copy
    // called is allowed to bring its window to the front.
    static bool call(const QString& name, int timeoutMs);

signals:
    // A later start called.
    void called();

private:
    struct Listener;
    std::unique_ptr<Listener> listener_;
};

} // namespace tinctora::platform
