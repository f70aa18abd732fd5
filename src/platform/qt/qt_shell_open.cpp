#include "platform/qt/open_target.h"
#include "platform/qt/qt_desktop.h"

#include <QProcess>
#include <QTimer>

#include <memory>

namespace tinctora::platform::qt {

namespace {

// xdg-open's exit codes: 1 a bad command line, 2 the file does not exist, 3 no program (or no
// tool xdg-open itself needs) was found, 4 the program it started failed.
OpenOutcome outcomeOfOpenerExit(QProcess::ExitStatus status, int exitCode) {
    if (status != QProcess::NormalExit)
        return OpenOutcome::Failed;
    switch (exitCode) {
    case 0:
        return OpenOutcome::HandedOver;
    case 2:
        return OpenOutcome::FileNotFound;
    case 3:
        return OpenOutcome::NoProgram;
    default:
        return OpenOutcome::Failed;
    }
}

} // namespace

QtShellOpen::QtShellOpen(QString opener, int handOverAfterMs)
    : opener_(std::move(opener)), handOverAfterMs_(handOverAfterMs) {}

void QtShellOpen::open(const QString& fileOrAddress, std::function<void(OpenOutcome)> done) {
    const std::optional<OpenTarget> target = openTargetOf(fileOrAddress);
    if (!target) {
        done(OpenOutcome::FileNotFound);
        return;
    }

    // Not owned by anything: an opener still running when the program ends (it may have become
    // the viewer itself) is left running, where a QProcess being destroyed would kill it.
    auto* process = new QProcess;
    process->setProgram(opener_);
    process->setArguments({target->text});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);

    auto pending = std::make_shared<std::function<void(OpenOutcome)>>(std::move(done));
    const auto report = [pending](OpenOutcome outcome) {
        if (!*pending)
            return;
        const auto call = std::move(*pending);
        *pending = nullptr;
        call(outcome);
    };
    QObject::connect(process, &QProcess::finished, process,
                     [process, report](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         report(outcomeOfOpenerExit(status, exitCode));
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, report](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         process->deleteLater();
                         report(OpenOutcome::NoProgram); // the desktop has no opener at all
                     });
    // An opener that is still busy has found a program; some stay until the document is closed.
    QTimer::singleShot(handOverAfterMs_, process, [report] { report(OpenOutcome::HandedOver); });
    process->start();
}

} // namespace tinctora::platform::qt
