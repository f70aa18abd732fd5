// Fault tests run as an ordinary user: root ignores the permission bits that the read-only
// folder and file cases are about. Started as root, the binary first becomes "nobody" (before
// Qt or any thread starts), if nobody can reach the helper programs it runs.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

bool becomeNobody() {
    return ::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
           ::setresuid(kNobody, kNobody, kNobody) == 0;
}

// Asked in a child, so that root stays root when the answer is no (a build folder under /root).
bool nobodyCanRun(const char* program) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(becomeNobody() && ::access(program, X_OK) == 0 ? 0 : 1);
    int status = 1;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (::geteuid() == 0 && nobodyCanRun(PALETTE_SAVE_DRIVER) && !becomeNobody())
        return 3;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder; the one of the user who started the tests is not ours.
    QTemporaryDir runtimeDir;
    if (runtimeDir.isValid()) {
        QFile::setPermissions(runtimeDir.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
