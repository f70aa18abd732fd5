#include "platform/win32/win32_keys.h"

#include "platform/win32/win32_key_translation.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tinctora::platform::win32 {

namespace {

constexpr USHORT kGenericDesktopPage = 0x01;
constexpr USHORT kKeyboardUsage = 0x06;

} // namespace

// A window that is never shown and gets no broadcasts, only the raw keyboard reports that
// Windows sends it for every keyboard of the session, also while another program has the focus.
class Win32Keys::RawInputWindow {
public:
    // Null when the window cannot be made or raw input is refused.
    static std::unique_ptr<RawInputWindow> open(Win32Keys& owner) {
        std::unique_ptr<RawInputWindow> made(new RawInputWindow(owner));
        return made->create() ? std::move(made) : nullptr;
    }

    ~RawInputWindow() {
        if (stillRegisteredHere()) {
            // The registration belongs to the process: it is taken back only while it still
            // names this window.
            RAWINPUTDEVICE device{kGenericDesktopPage, kKeyboardUsage, RIDEV_REMOVE, nullptr};
            RegisterRawInputDevices(&device, 1, sizeof device);
        }
        if (window_)
            DestroyWindow(window_);
        if (classRegistered_)
            UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
    }
    RawInputWindow(const RawInputWindow&) = delete;
    RawInputWindow& operator=(const RawInputWindow&) = delete;

private:
    // A window class of its own per object, so that two objects never share one.
    explicit RawInputWindow(Win32Keys& owner)
        : owner_(owner),
          className_(L"TinctoraRawKeys" + std::to_wstring(reinterpret_cast<std::uintptr_t>(this))) {
    }

    bool create() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &RawInputWindow::procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = className_.c_str();
        classRegistered_ = RegisterClassExW(&windowClass) != 0;
        if (!classRegistered_)
            return false;
        window_ = CreateWindowExW(0, className_.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr);
        if (!window_)
            return false;
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        // RIDEV_INPUTSINK: the reports come while another program is in the foreground too.
        // Legacy key messages stay as they are, for this program's windows and every other.
        RAWINPUTDEVICE device{kGenericDesktopPage, kKeyboardUsage, RIDEV_INPUTSINK, window_};
        registered_ = RegisterRawInputDevices(&device, 1, sizeof device) != FALSE;
        return registered_;
    }

    bool stillRegisteredHere() const {
        if (!registered_)
            return false;
        UINT count = 0;
        if (GetRegisteredRawInputDevices(nullptr, &count, sizeof(RAWINPUTDEVICE)) != 0 ||
            count == 0)
            return false;
        std::vector<RAWINPUTDEVICE> devices(count);
        if (GetRegisteredRawInputDevices(devices.data(), &count, sizeof(RAWINPUTDEVICE)) ==
            static_cast<UINT>(-1))
            return false;
        for (const RAWINPUTDEVICE& device : devices)
            if (device.usUsagePage == kGenericDesktopPage && device.usUsage == kKeyboardUsage &&
                device.hwndTarget == window_)
                return true;
        return false;
    }

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<RawInputWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message != WM_INPUT || !self)
            return DefWindowProcW(window, message, wParam, lParam);
        self->read(reinterpret_cast<HRAWINPUT>(lParam));
        // Windows frees the report's data only in its own handling of the message.
        DefWindowProcW(window, message, wParam, lParam);
        // Reports already waiting belong to the same moment: keys pressed together arrive in
        // one batch, as one poll would have seen them.
        MSG waiting{};
        while (PeekMessageW(&waiting, window, WM_INPUT, WM_INPUT, PM_REMOVE)) {
            self->read(reinterpret_cast<HRAWINPUT>(waiting.lParam));
            DefWindowProcW(window, waiting.message, waiting.wParam, waiting.lParam);
        }
        // From the event loop's dispatch, never from inside a read of the pointer or the
        // screen, which dispatch nothing.
        self->owner_.deliver();
        return 0;
    }

    void read(HRAWINPUT handle) {
        RAWINPUT input{};
        UINT size = sizeof input;
        // Reports of other devices are larger than a keyboard's and fail here, unread.
        if (GetRawInputData(handle, RID_INPUT, &input, &size, sizeof(RAWINPUTHEADER)) ==
                static_cast<UINT>(-1) ||
            input.header.dwType != RIM_TYPEKEYBOARD)
            return;
        const RAWKEYBOARD& keyboard = input.data.keyboard;
        if (const std::optional<KeyChange> change =
                hotKeyChangeOf({keyboard.VKey, keyboard.MakeCode, keyboard.Flags}))
            owner_.heard(*change);
    }

    Win32Keys& owner_;
    std::wstring className_;
    bool classRegistered_ = false;
    HWND window_ = nullptr;
    bool registered_ = false;
};

Win32Keys::Win32Keys(Source preferred) {
    if (preferred == Source::RawInputAndKeyState)
        window_ = RawInputWindow::open(*this);
}

Win32Keys::~Win32Keys() = default;

Win32Keys::Delivery Win32Keys::delivery() const {
    return window_ ? Delivery::Events : Delivery::Polling;
}

void Win32Keys::listen(std::function<void(const KeyBatch&)> listener) {
    listener_ = std::move(listener);
    heard_.clear();
}

void Win32Keys::heard(const KeyChange& change) {
    if (change.down)
        pressedSincePrevious_[change.key] = true;
    if (listener_)
        heard_.push_back(change);
}

void Win32Keys::deliver() {
    if (heard_.empty() || !listener_)
        return;
    KeyBatch batch;
    batch.swap(heard_);
    // A copy: the listener may stop listening while it runs.
    const std::function<void(const KeyBatch&)> listener = listener_;
    listener(batch);
}

bool Win32Keys::isDown(HotKey key) {
    return (GetAsyncKeyState(virtualKeyOf(key)) & 0x8000) != 0;
}

bool Win32Keys::downOrPressedSincePrevious(HotKey key) {
    const SHORT state = GetAsyncKeyState(virtualKeyOf(key));
    bool& pressed = pressedSincePrevious_[key];
    // Without raw input, the key state's own "pressed since the last call" bit is all there is,
    // though any other program's call clears it too.
    const bool result = (state & 0x8000) != 0 || pressed || (!window_ && (state & 1) != 0);
    pressed = false;
    return result;
}

} // namespace tinctora::platform::win32
