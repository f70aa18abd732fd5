#pragma once

#include <QObject>

class QSocketNotifier;

namespace tinctora::platform {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread, so that a
// terminated program closes its window the ordinary way and keeps its colours. Windows, which
// ends programs with messages, has nothing to catch (win32/).
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tinctora::platform
