#include "platform/win32/win32_desktop.h"

#include "platform/win32/win32_monitor_layout.h"

#include <windows.h>

namespace tinctora::platform::win32 {

namespace {

const QString kRefused = QStringLiteral(
    "The screen could not be frozen because Windows refused to hand over its picture.");
const QString kResized = QStringLiteral(
    "The screen could not be frozen because it changed size while it was being read; try again.");
const QString kNoMemory = QStringLiteral(
    "The screen could not be frozen because there is not enough memory for its picture.");

GrabOutcome failed(const QString& message) {
    GrabOutcome outcome;
    outcome.status = GrabOutcome::Status::Failed;
    outcome.message = message;
    return outcome;
}

// The bounding rectangle of all monitors.
QRect virtualScreen() {
    return QRect(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                 GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
    reinterpret_cast<std::vector<QRect>*>(list)->push_back(QRect(
        QPoint(area->left, area->top), QSize(area->right - area->left, area->bottom - area->top)));
    return TRUE;
}

std::vector<QRect> reportedMonitors() {
    std::vector<QRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// A 32-bit top-down bitmap whose pixels (B, G, R, unused) are QImage's RGB32 as they stand; it
// is freed with the last copy of the picture.
struct Picture {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
};

Picture makePicture(HDC screen, QSize size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width();
    info.bmiHeader.biHeight = -size.height(); // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Picture picture;
    picture.bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &picture.bits, nullptr, 0);
    if (!picture.bitmap)
        picture.bits = nullptr;
    return picture;
}

bool copyScreen(HDC screen, const Picture& picture, const QRect& area) {
    HDC memory = CreateCompatibleDC(screen);
    if (!memory)
        return false;
    const HGDIOBJ before = SelectObject(memory, picture.bitmap);
    // CAPTUREBLT takes in the layered windows (menus, tool tips, translucent windows), as the
    // user sees the screen.
    const bool copied = BitBlt(memory, 0, 0, area.width(), area.height(), screen, area.x(),
                               area.y(), SRCCOPY | CAPTUREBLT) != FALSE;
    GdiFlush();
    SelectObject(memory, before);
    DeleteDC(memory);
    return copied;
}

// GDI leaves the top byte of each pixel 0; QImage's RGB32 has it 0xFF.
void makeOpaque(QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] |= 0xFF000000u;
    }
}

} // namespace

void Win32ScreenGrabber::grabScreen(std::function<void(GrabOutcome)> done) {
    done(grab());
}

GrabOutcome Win32ScreenGrabber::grab() {
    const QRect before = virtualScreen();
    if (before.isEmpty())
        return failed(kRefused);
    HDC screen = GetDC(nullptr);
    if (!screen)
        return failed(kRefused);
    const Picture picture = makePicture(screen, before.size());
    const bool copied = picture.bitmap && copyScreen(screen, picture, before);
    ReleaseDC(nullptr, screen);
    if (!picture.bitmap)
        return failed(kNoMemory);
    if (!copied) {
        DeleteObject(picture.bitmap);
        return failed(kRefused); // for example while the secure desktop is shown
    }
    QImage image(
        static_cast<uchar*>(picture.bits), before.width(), before.height(), before.width() * 4,
        QImage::Format_RGB32, [](void* bitmap) { DeleteObject(static_cast<HBITMAP>(bitmap)); },
        picture.bitmap);
    if (image.isNull()) {
        DeleteObject(picture.bitmap);
        return failed(kNoMemory);
    }
    makeOpaque(image);
    // A monitor added or removed meanwhile would leave part of the screen out of the picture.
    if (virtualScreen() != before)
        return failed(kResized);

    GrabOutcome outcome;
    outcome.status = GrabOutcome::Status::Grabbed;
    outcome.screen = FrozenScreen{std::move(image), before.topLeft(),
                                  monitorsWithin(before, reportedMonitors())};
    return outcome;
}

} // namespace tinctora::platform::win32
