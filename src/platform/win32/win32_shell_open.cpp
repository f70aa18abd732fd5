#include "platform/win32/win32_desktop.h"

#include "platform/win32/win32_shell_result.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

namespace tinctora::platform::win32 {

namespace {

// The shell may hand the document to an extension that needs COM on this thread. Qt has usually
// set it up already; then this only counts one more use.
class ComForThisCall {
public:
    ComForThisCall()
        : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComForThisCall() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

private:
    HRESULT result_;
};

HWND ownerWindow() {
    QWindow* focused = QGuiApplication::focusWindow();
    return focused ? reinterpret_cast<HWND>(focused->winId()) : nullptr;
}

} // namespace

void Win32ShellOpen::open(const QString& fileOrAddress, std::function<void(OpenOutcome)> done) {
    // An absolute path is a file even when it holds characters that mean something in an address
    // ("#", "?", "%"); anything else is an address such as http://host/page.
    const bool isPath = QDir::isAbsolutePath(fileOrAddress);
    const QUrl url = isPath ? QUrl::fromLocalFile(fileOrAddress) : QUrl(fileOrAddress);
    if (!url.isValid() || url.isRelative() ||
        (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))) {
        done(OpenOutcome::FileNotFound);
        return;
    }
    // The program folder comes with forward slashes, which not every shell extension takes.
    const QString target =
        isPath ? QDir::toNativeSeparators(fileOrAddress) : url.toString(QUrl::FullyEncoded);
    std::intptr_t result = 0;
    {
        const ComForThisCall com;
        result = reinterpret_cast<std::intptr_t>(
            ShellExecuteW(ownerWindow(), L"open", reinterpret_cast<LPCWSTR>(target.utf16()),
                          nullptr, nullptr, SW_SHOWNORMAL));
    }
    const OpenOutcome outcome = outcomeOfShellExecute(result);
    // The shell has answered already, but the caller hears it from the event loop, as from
    // every desktop that answers later.
    QTimer::singleShot(0, [done = std::move(done), outcome] { done(outcome); });
}

} // namespace tinctora::platform::win32
