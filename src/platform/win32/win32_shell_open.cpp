#include "platform/win32/win32_desktop.h"

#include "platform/qt/open_target.h"
#include "platform/win32/win32_shell_result.h"

#include <QDir>
#include <QGuiApplication>
#include <QTimer>
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
    const std::optional<qt::OpenTarget> found = qt::openTargetOf(fileOrAddress);
    if (!found) {
        done(OpenOutcome::FileNotFound);
        return;
    }
    // The program folder comes with forward slashes, which not every shell extension takes.
    const QString target = found->isFile ? QDir::toNativeSeparators(found->text) : found->text;
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
